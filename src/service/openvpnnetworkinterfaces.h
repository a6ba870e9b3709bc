#pragma once

#include "service/networkinterface.h"

#include <QObject>
#include <QStringList>

// The tunnel adapters OpenVPN can use, found once at start-up.
class OpenVpnNetworkInterfaces : public QObject
{
    Q_OBJECT

public:
    explicit OpenVpnNetworkInterfaces(QObject* parent = nullptr);

    void detect(bool vpnOnly);
    bool isEmpty() const { return m_interfaces.isEmpty(); }
    NetworkInterfaces interfaces() const { return m_interfaces; }
    void logInterfaces() const;

    // The interface list of Windows' "route print".
    static NetworkInterfaces parseRoutePrint(const QStringList& lines, bool vpnOnly);

private:
    NetworkInterfaces m_interfaces;
    bool m_vpnOnly = true;
};
