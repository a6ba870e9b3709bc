#include "openvpnnetworkinterfaces.h"

#include "app/logger.h"
#include "platform/platform.h"

OpenVpnNetworkInterfaces::OpenVpnNetworkInterfaces(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("NetworkInterfaces"));
}

void OpenVpnNetworkInterfaces::detect(bool vpnOnly)
{
    m_vpnOnly = vpnOnly;
    m_interfaces = Platform::networkInterfaces(vpnOnly);
}

NetworkInterfaces OpenVpnNetworkInterfaces::parseRoutePrint(const QStringList& lines, bool vpnOnly)
{
    NetworkInterfaces found;
    for (const QString& line : lines) {
        if (line.contains(QLatin1String("Software Loopback Interface")))
            continue;
        if (vpnOnly && !line.contains(QLatin1String("TAP-Windows Adapter")))
            continue;
        const int index = line.split(QStringLiteral("...")).first().toInt();
        const QStringList parts = line.split(QStringLiteral("......"));
        const QString name = parts.size() >= 2 ? parts.at(1).simplified() : QString();
        if (index > 0 && !name.isEmpty())
            found.append(NetworkInterface{name, index});
    }
    return found;
}

void OpenVpnNetworkInterfaces::logInterfaces() const
{
    const QString kind = m_vpnOnly ? QStringLiteral("VPN") : QStringLiteral("network");
    if (m_interfaces.isEmpty()) {
        Logger::critical(objectName(), QStringLiteral("No %1 interfaces found").arg(kind));
        return;
    }
    for (const NetworkInterface& entry : m_interfaces)
        Logger::info(objectName(), QStringLiteral("Detected %1 interface, id: %2, name: '%3'")
                                       .arg(kind)
                                       .arg(entry.index)
                                       .arg(entry.name));
}
