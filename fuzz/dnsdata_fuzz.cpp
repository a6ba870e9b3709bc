// The dns tool's saved state (dns.dat and the per-user file in the state folder):
// DnsData::fromJson.
#include "addresstext.h"
#include "dnsdata.h"
#include "dnsentry.h"
#include "fuzzsupport.h"
#include "resolvconftext.h"

namespace {

bool sameLinks(const QMap<QString, DnsData::LinkSettings>& a,
               const QMap<QString, DnsData::LinkSettings>& b)
{
    if (a.keys() != b.keys())
        return false;
    for (auto it = a.begin(); it != a.end(); ++it) {
        const DnsData::LinkSettings other = b.value(it.key());
        if (it->servers != other.servers || it->domains != other.domains)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DnsData read;
    if (!DnsData::fromJson(fuzz::bytes(data, size), &read))
        return 0;

    // What the tool would put back: a checked text, a link only into /run, plain link names.
    FUZZ_CHECK(ResolvConfText::isAcceptable(read.content));
    FUZZ_CHECK((read.mode & ~0644u) == 0);
    if (read.kind == DnsData::FileKind::Link) {
        FUZZ_CHECK(DnsData::isLinkTarget(read.linkTarget));
        FUZZ_CHECK(!read.linkTarget.split(QLatin1Char('/')).contains(QStringLiteral("..")) ||
                   read.linkTarget.startsWith(QLatin1String("../run/")));
    }
    for (const auto* links : {&read.links, &read.applied}) {
        for (auto it = links->begin(); it != links->end(); ++it) {
            FUZZ_CHECK(AddressText::isInterfaceName(it.key()));
            for (const QString& server : it->servers)
                FUZZ_CHECK(DnsEntry::serverFamily(server) != 0);
            for (const QString& domain : it->domains)
                FUZZ_CHECK(DnsData::isDomain(domain) && !domain.startsWith(QLatin1Char('-')));
        }
    }

    // Saved again, it reads back the same.
    DnsData again;
    FUZZ_CHECK(DnsData::fromJson(read.toJson(), &again));
    FUZZ_CHECK(again.backend == read.backend && again.kind == read.kind);
    FUZZ_CHECK(again.content == read.content && again.written == read.written);
    FUZZ_CHECK(again.mode == read.mode && again.linkTarget == read.linkTarget);
    FUZZ_CHECK(sameLinks(again.links, read.links) && sameLinks(again.applied, read.applied));
    return 0;
}
