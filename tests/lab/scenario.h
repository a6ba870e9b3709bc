#pragma once

#include "leakmonitor.h"

#include <QObject>
#include <QProcess>
#include <QTimer>

class LabControl;
class VpnCore;

// One transition tried under the leak monitor. Traffic runs all along (pings to the internet's
// hosts of both families, lookups of the router's own name); the scenario records when the
// connection was up, when the tunnel's resolvers took over and when the user let protection go,
// then prints its table and names every packet outside its promises:
// - kill switch on: from the first Connected until the user lets go, nothing but the servers'
//   tunnels and what the kill switch lets through by design;
// - from the tunnel's resolvers in place until the user lets go, no DNS to the network's (with
//   WireGuard, whose tunnel service sets and restores them with each tunnel, until that tunnel
//   ends: between two of its tunnels nothing protects anything);
// - IPv6 off: no IPv6 packet while Connected.
class Scenario : public QObject
{
    Q_OBJECT

public:
    // The OpenVPN protocols run with the kill switch on, WireGuard (where it is not offered)
    // without.
    Scenario(const LabControl& control, const QString& title, int protocol,
             const QStringList& servers);
    ~Scenario() override;

    // The monitor and the traffic; then the moments, from a client in this process or marked.
    bool begin();
    void watch(VpnCore* core);
    void markConnected();
    void markDisconnected();
    void letGo();
    // Ends the capture; prints the table. True when no packet breaks a promise.
    bool finish();

    static LeakMonitor::Network networkFor(int protocol, const QStringList& servers);

private:
    struct Interval
    {
        qint64 from = 0;
        qint64 to = 0; // 0 while it lasts
        qint64 tunnelDns = 0;
    };

    void pollResolvers();
    QList<LeakMonitor::Promise> promises() const;

    const LabControl& m_control;
    QString m_title;
    LeakMonitor::Network m_network;
    bool m_killSwitch;
    bool m_dnsFollowsTunnel;
    LeakMonitor m_monitor;
    QProcess m_traffic;
    QTimer m_resolverPoll;
    qint64 m_firstConnected = 0;
    qint64 m_tunnelDns = 0;
    qint64 m_letGo = 0;
    QList<Interval> m_connected;
};
