#include "dnsarguments.h"

namespace {

const int maxEntries = 64;

} // namespace

bool DnsArguments::parse(const QStringList& arguments, QString* error)
{
    entries.clear();
    if (arguments == QStringList{QStringLiteral("reset")}) {
        mode = Mode::Reset;
        return true;
    }
    if (arguments.size() < 2 || arguments.size() > maxEntries + 1 ||
        (arguments.first() != QLatin1String("vpn") && arguments.first() != QLatin1String("user"))) {
        *error = QStringLiteral("usage: dns vpn|user INTERFACE@SERVERS… | reset");
        return false;
    }
    mode = arguments.first() == QLatin1String("vpn") ? Mode::Vpn : Mode::User;
    for (int i = 1; i < arguments.size(); ++i) {
        DnsEntry entry;
        if (!DnsEntry::parse(arguments.at(i), mode == Mode::User, &entry, error))
            return false;
        entries << entry;
    }
    return true;
}

QStringList DnsArguments::allServers() const
{
    QStringList servers;
    for (const DnsEntry& entry : entries) {
        for (const QString& server : entry.servers) {
            if (!servers.contains(server))
                servers << server;
        }
    }
    return servers;
}
