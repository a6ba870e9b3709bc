// The DNS servers the Linux build reads from the system; the first byte picks the source, the
// rest is its text: even /etc/resolv.conf (DnsManager::serversFromResolvConf), odd the output of
// "resolvectl dns" (DnsManager::serversFromResolvectl). A DNS entry found goes back to the
// root-run dns tool, inside an "id@servers" argument.
#include "clientsupport.h"
#include "service/dnsmanager.h"

namespace {

void checkEntries(const AdapterDns& servers)
{
    for (const QString& entry : servers.ipv4Dns)
        FUZZ_CHECK(DnsManager::userDnsEntryFamily(entry) == 4);
    for (const QString& entry : servers.ipv6Dns)
        FUZZ_CHECK(DnsManager::userDnsEntryFamily(entry) == 6);
    for (const QStringList* list : {&servers.ipv4Dns, &servers.ipv6Dns}) {
        for (const QString& entry : *list) {
            FUZZ_CHECK(!entry.isEmpty() && !fuzz::hasControlCharacter(entry));
            FUZZ_CHECK(!entry.contains(QLatin1Char(',')) && !entry.contains(QLatin1Char('@')));
            FUZZ_CHECK(!entry.contains(QLatin1Char(' ')) && !entry.contains(QLatin1Char('"')));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startClient();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QString text = QString::fromUtf8(fuzz::bytes(data + 1, size - 1));
    if (data[0] & 1) {
        const QMap<QString, AdapterDns> links = DnsManager::serversFromResolvectl(text);
        for (const AdapterDns& link : links)
            checkEntries(link);
    } else {
        checkEntries(DnsManager::serversFromResolvConf(text));
    }
    return 0;
}
