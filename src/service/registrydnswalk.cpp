#include "registrydnswalk.h"

#include <QHash>

namespace {

const char networkClassGuid[] = "{4D36E972-E325-11CE-BFC1-08002BE10318}";
const char kernelDebuggerInstance[] = "ROOT\\KDNIC\\0000";
const char tapDeviceId[] = "tap0901";

} // namespace

QString RegistryDnsWalk::ipv4InterfacesKey()
{
    return QStringLiteral(
        "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces");
}

QString RegistryDnsWalk::ipv6InterfacesKey()
{
    return QStringLiteral(
        "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip6\\Parameters\\Interfaces");
}

QString RegistryDnsWalk::nameServerValue()
{
    return QStringLiteral("NameServer");
}

QString RegistryDnsWalk::connectionKey(const QString& guid)
{
    return QStringLiteral("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Network\\%1\\%2"
                          "\\Connection")
        .arg(QLatin1String(networkClassGuid), guid);
}

QString RegistryDnsWalk::adapterClassKey()
{
    return QStringLiteral("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class\\") +
           QLatin1String(networkClassGuid);
}

QSet<QString> RegistryDnsWalk::presentGuids(const QString& wmicOutput)
{
    QSet<QString> guids;
    const QStringList parts = wmicOutput.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        // wmic ends its lines with "\r\r\n" and pads them with blanks.
        const QString line = part.simplified();
        if (line.startsWith(QLatin1Char('{')))
            guids.insert(line.toUpper());
    }
    return guids;
}

Platform::DnsFacts RegistryDnsWalk::walk(const KeyReader& registry,
                                         const QSet<QString>& presentGuids)
{
    Platform::DnsFacts facts;
    const AdapterDnsList ipv4 = familyList(registry, ipv4InterfacesKey(), false, presentGuids);
    const AdapterDnsList ipv6 = familyList(registry, ipv6InterfacesKey(), true, presentGuids);
    // Paired by GUID, which the registry compares without case: two lists of as many adapters
    // may hold different ones, or the same in another order, and an adapter would take another
    // one's IPv6 servers.
    QSet<QString> ipv4Guids;
    for (const AdapterDns& item : ipv4)
        ipv4Guids.insert(item.id.toUpper());
    QHash<QString, QStringList> ipv6Servers;
    for (const AdapterDns& item : ipv6)
        ipv6Servers.insert(item.id.toUpper(), item.ipv6Dns);
    const QStringList ipv6Guids = ipv6Servers.keys();
    if (ipv4Guids.size() != ipv4.size() || ipv6Servers.size() != ipv6.size() ||
        ipv4Guids != QSet<QString>(ipv6Guids.begin(), ipv6Guids.end())) {
        facts.familiesMismatch = true;
        return facts;
    }
    for (AdapterDns entry : ipv4) {
        entry.ipv6Dns = ipv6Servers.value(entry.id.toUpper());
        entry.isVpn = isTunnelAdapter(registry, entry.id);
        facts.adapters.append(entry);
    }
    return facts;
}

AdapterDnsList RegistryDnsWalk::familyList(const KeyReader& registry, const QString& key, bool ipv6,
                                           const QSet<QString>& presentGuids)
{
    AdapterDnsList items;
    const QStringList guids = registry.subkeys(key);
    for (const QString& guid : guids) {
        const QString name = connectionName(registry, guid);
        if (name.isEmpty() || !presentGuids.contains(guid.toUpper()))
            continue;
        const QString text = registry.value(key + QLatin1Char('\\') + guid, nameServerValue());
        const QStringList servers = text.isEmpty() ? QStringList() : text.split(QLatin1Char(','));
        AdapterDns item;
        item.id = guid;
        item.name = name;
        (ipv6 ? item.ipv6Dns : item.ipv4Dns) = servers;
        items.append(item);
    }
    return items;
}

QString RegistryDnsWalk::connectionName(const KeyReader& registry, const QString& guid)
{
    const QString key = connectionKey(guid);
    if (registry.value(key, QStringLiteral("PnPInstanceId")) ==
        QLatin1String(kernelDebuggerInstance))
        return {};
    return registry.value(key, QStringLiteral("Name"));
}

bool RegistryDnsWalk::isTunnelAdapter(const KeyReader& registry, const QString& id)
{
    const QString classKey = adapterClassKey();
    const QStringList subkeys = registry.subkeys(classKey);
    for (const QString& subkey : subkeys) {
        const QString key = classKey + QLatin1Char('\\') + subkey;
        if (registry.value(key, QStringLiteral("MatchingDeviceId")) != QLatin1String(tapDeviceId))
            continue;
        if (registry.value(key, QStringLiteral("NetCfgInstanceId"))
                .compare(id, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}
