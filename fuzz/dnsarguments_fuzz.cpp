// The dns tool's command line: DnsArguments::parse, NUL-separated elements.
#include "addresstext.h"
#include "dnsarguments.h"
#include "dnsentry.h"
#include "fuzzsupport.h"
#include "resolvconftext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DnsArguments parsed;
    QString error;
    if (!parsed.parse(fuzz::arguments(data, size), &error)) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    if (parsed.mode == DnsArguments::Mode::Reset) {
        FUZZ_CHECK(parsed.entries.isEmpty());
        return 0;
    }
    // Links name resolvectl's interfaces and servers end in resolv.conf or resolvectl. A link
    // may begin with '-' here: the service refuses such an element before the tool runs.
    for (const DnsEntry& entry : parsed.entries) {
        FUZZ_CHECK(AddressText::isInterfaceName(entry.link));
        for (const QString& server : entry.servers) {
            FUZZ_CHECK(!fuzz::hasControlCharacter(server) && !server.contains(QLatin1Char(' ')));
            // IPv6 may come in any case or zero compression; resolv.conf reads them all.
            if (parsed.mode == DnsArguments::Mode::Vpn)
                FUZZ_CHECK(!AddressText::canonicalIp(server).isEmpty());
            else
                FUZZ_CHECK(DnsEntry::serverFamily(server) != 0);
        }
    }
    // The resolv.conf the tool writes for these servers passes its own check for a text.
    const QByteArray written = ResolvConfText::withServers(QByteArray(), parsed.allServers());
    FUZZ_CHECK(ResolvConfText::isAcceptable(written));
    return 0;
}
