#include "scenario.h"

#include "core/connectionstate.h"
#include "core/vpncore.h"

#include <QDateTime>
#include <QFile>

namespace {

const int tcpProtocol = 1;
const int stealthProtocol = 2;
const int wireGuardProtocol = 3;

qint64 now()
{
    return QDateTime::currentMSecsSinceEpoch();
}

QString lab(const char* name)
{
    return qEnvironmentVariable(name);
}

QStringList networkResolvers()
{
    return lab("LAB_NETWORK_RESOLVERS").split(QLatin1Char(','), Qt::SkipEmptyParts);
}

// Whether the system resolves through none of the network's own resolvers.
bool tunnelResolversInPlace()
{
    QFile file(QStringLiteral("/etc/resolv.conf"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString text = QString::fromUtf8(file.readAll());
    if (!text.contains(QLatin1String("nameserver")))
        return false;
    for (const QString& resolver : networkResolvers()) {
        if (text.contains(QStringLiteral("nameserver ") + resolver))
            return false;
    }
    return true;
}

} // namespace

Scenario::Scenario(const LabControl& control, const QString& title, int protocol,
                   const QStringList& servers)
    : m_control(control), m_title(title), m_network(networkFor(protocol, servers)),
      m_killSwitch(protocol != wireGuardProtocol),
      m_dnsFollowsTunnel(protocol == wireGuardProtocol), m_monitor(control)
{
    m_resolverPoll.setInterval(20);
    connect(&m_resolverPoll, &QTimer::timeout, this, &Scenario::pollResolvers);
}

Scenario::~Scenario()
{
    if (m_traffic.state() != QProcess::NotRunning) {
        m_traffic.kill();
        m_traffic.waitForFinished();
    }
}

LeakMonitor::Network Scenario::networkFor(int protocol, const QStringList& servers)
{
    LeakMonitor::Network network;
    network.servers = servers;
    network.resolvers = networkResolvers();
    // The ports each of the lab's servers takes for each transport.
    if (protocol == wireGuardProtocol) {
        network.transport = QStringLiteral("udp");
        network.ports = {55888};
    } else if (protocol == stealthProtocol) {
        network.transport = QStringLiteral("tcp");
        network.ports = {443};
    } else if (protocol == tcpProtocol) {
        network.transport = QStringLiteral("tcp");
        network.ports = {20, 21, 23, 53, 80, 110, 143, 3389, 8080};
    } else {
        network.transport = QStringLiteral("udp");
        network.ports = {53, 88, 123};
    }
    return network;
}

bool Scenario::begin()
{
    if (!m_monitor.start())
        return false;
    // Small requests all along, one of each kind at a time.
    const QString loop =
        QStringLiteral("while :; do ping -n -c1 -W1 %1; ping -6 -n -c1 -W1 %2; "
                       "getent hosts %3; sleep 0.2; done")
            .arg(lab("LAB_INTERNET_ADDRESS"), lab("LAB_INTERNET_ADDRESS6"), lab("LAB_ROUTER_NAME"));
    m_traffic.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_traffic.setStandardOutputFile(QProcess::nullDevice());
    m_traffic.start(QStringLiteral("sh"), {QStringLiteral("-c"), loop});
    m_resolverPoll.start();
    return m_traffic.waitForStarted();
}

void Scenario::watch(VpnCore* core)
{
    connect(core, &VpnCore::connectionStateChanged, this, [this](int state) {
        if (state == ConnectionState::Connected)
            markConnected();
        else
            markDisconnected();
    });
}

void Scenario::markConnected()
{
    if (!m_connected.isEmpty() && m_connected.last().to == 0)
        return;
    if (m_firstConnected == 0)
        m_firstConnected = now();
    m_connected << Interval{now(), 0, 0};
}

void Scenario::markDisconnected()
{
    if (!m_connected.isEmpty() && m_connected.last().to == 0)
        m_connected.last().to = now();
}

void Scenario::letGo()
{
    if (m_letGo == 0)
        m_letGo = now();
}

void Scenario::pollResolvers()
{
    if (m_connected.isEmpty() || m_connected.last().to != 0 || m_connected.last().tunnelDns != 0 ||
        !tunnelResolversInPlace())
        return;
    m_connected.last().tunnelDns = now();
    if (m_tunnelDns == 0)
        m_tunnelDns = m_connected.last().tunnelDns;
}

QList<LeakMonitor::Promise> Scenario::promises() const
{
    const qint64 end = m_letGo != 0 ? m_letGo : now();
    QList<LeakMonitor::Promise> list;
    if (m_killSwitch && m_firstConnected != 0)
        list << LeakMonitor::Promise{QStringLiteral("kill switch"),
                                     LeakMonitor::OnlyServerAndByDesign, m_firstConnected, end};
    if (m_tunnelDns != 0 && !m_dnsFollowsTunnel)
        list << LeakMonitor::Promise{QStringLiteral("tunnel DNS"), LeakMonitor::NoNetworkDns,
                                     m_tunnelDns, end};
    for (const Interval& interval : m_connected) {
        // Once the user lets go, no promise holds, whenever the client notices.
        const qint64 to = interval.to != 0 ? qMin(interval.to, end) : end;
        if (interval.tunnelDns != 0 && m_dnsFollowsTunnel)
            list << LeakMonitor::Promise{QStringLiteral("tunnel DNS"), LeakMonitor::NoNetworkDns,
                                         interval.tunnelDns, to};
        list << LeakMonitor::Promise{QStringLiteral("connected"), LeakMonitor::NoIpv6,
                                     interval.from, to};
    }
    return list;
}

bool Scenario::finish()
{
    m_resolverPoll.stop();
    m_traffic.kill();
    m_traffic.waitForFinished();
    markDisconnected();
    if (!m_monitor.stop(lab("LAB_MONITOR"))) {
        qWarning("%s: the leak monitor read nothing", qPrintable(m_title));
        return false;
    }
    const QList<LeakMonitor::Promise> list = promises();
    qInfo("%s", qPrintable(m_monitor.table(m_title, m_network, list)));
    return m_monitor.breaches(m_network, list).isEmpty();
}
