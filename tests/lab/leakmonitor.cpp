#include "leakmonitor.h"

#include "labcontrol.h"

#include <QDateTime>
#include <QFile>
#include <QHostAddress>
#include <QVector>

namespace {

const QStringList neighbourDiscovery{QStringLiteral("router solicitation"),
                                     QStringLiteral("neighbor solicitation"),
                                     QStringLiteral("neighbor advertisement")};

// "198.18.0.1.53" or "2001:db8::1.53": the address and the port after its last dot.
void splitPort(const QString& text, QString* address, int* port)
{
    const int dot = text.lastIndexOf(QLatin1Char('.'));
    bool ok = false;
    const int value = dot > 0 ? text.mid(dot + 1).toInt(&ok) : -1;
    *address = ok ? text.left(dot) : text;
    *port = ok ? value : -1;
}

bool inAnyPrefix(const QString& address, const QStringList& prefixes)
{
    const QHostAddress host(address);
    for (const QString& prefix : prefixes) {
        if (host.isInSubnet(QHostAddress::parseSubnet(prefix)))
            return true;
    }
    return false;
}

QString cell(const QString& text, int width)
{
    return text.rightJustified(width);
}

} // namespace

LeakMonitor::LeakMonitor(const LabControl& control) : m_control(control) {}

bool LeakMonitor::start()
{
    m_packets.clear();
    m_startMs = QDateTime::currentMSecsSinceEpoch();
    return m_control.ask(QStringLiteral("monitor-start")) == QLatin1String("ok");
}

bool LeakMonitor::stop(const QString& packetsFile)
{
    if (m_control.ask(QStringLiteral("monitor-stop")) != QLatin1String("ok"))
        return false;
    QFile file(packetsFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    while (!file.atEnd()) {
        Packet packet;
        if (parse(QString::fromUtf8(file.readLine()).trimmed(), &packet))
            m_packets << packet;
    }
    return true;
}

bool LeakMonitor::parse(const QString& line, Packet* packet)
{
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    bool ok = false;
    const double seconds = words.value(0).toDouble(&ok);
    if (!ok || words.size() < 3)
        return false;
    packet->ms = qint64(seconds * 1000);
    packet->line = line;
    const QString kind = words.at(1);
    if (kind != QLatin1String("IP") && kind != QLatin1String("IP6")) {
        packet->family = 0;
        return true;
    }
    packet->family = kind == QLatin1String("IP") ? 4 : 6;
    if (words.size() < 6 || words.at(3) != QLatin1String(">"))
        return false;
    QString destination = words.at(4);
    destination.chop(1); // its ':'
    const QString rest = words.mid(5).join(QLatin1Char(' '));
    if (rest.startsWith(QLatin1String("UDP")) || rest.startsWith(QLatin1String("tcp"))) {
        packet->transport =
            rest.startsWith(QLatin1String("UDP")) ? QStringLiteral("udp") : QStringLiteral("tcp");
        splitPort(destination, &packet->destination, &packet->port);
    } else {
        packet->destination = destination;
        if (rest.contains(QLatin1String("ICMP6")))
            packet->transport = QStringLiteral("icmp6");
        else if (rest.startsWith(QLatin1String("ICMP")))
            packet->transport = QStringLiteral("icmp");
    }
    return true;
}

LeakMonitor::Kind LeakMonitor::classify(const Packet& packet, const Network& network)
{
    if (packet.family == 0)
        return ByDesign;
    const bool datagram = packet.transport == QLatin1String("udp");
    if (datagram && (packet.port == 67 || packet.port == 547))
        return ByDesign;
    if (packet.transport == QLatin1String("icmp6")) {
        for (const QString& type : neighbourDiscovery) {
            if (packet.line.contains(type))
                return ByDesign;
        }
    }
    if (network.servers.contains(packet.destination)) {
        // The tunnel's own packets, and a latency probe of the server it already reveals.
        if ((packet.transport == network.transport && network.ports.contains(packet.port)) ||
            (packet.transport == QLatin1String("icmp") &&
             packet.line.contains(QLatin1String("echo request"))))
            return Server;
    }
    const bool dnsPort = packet.port == 53 || packet.port == 853;
    if ((datagram || packet.transport == QLatin1String("tcp")) && dnsPort &&
        network.resolvers.contains(packet.destination))
        return NetworkDns;
    if (inAnyPrefix(packet.destination, network.localPrefixes))
        return ByDesign;
    return packet.family == 4 ? OtherIpv4 : OtherIpv6;
}

bool LeakMonitor::breaks(const Promise& promise, const Packet& packet, Kind kind)
{
    if (packet.ms < promise.from || packet.ms >= promise.to)
        return false;
    switch (promise.rule) {
    case OnlyServerAndByDesign:
        return kind != Server && kind != ByDesign;
    case NoNetworkDns:
        return kind == NetworkDns;
    case NoIpv6:
        return packet.family == 6;
    }
    return false;
}

QString LeakMonitor::kindName(Kind kind)
{
    switch (kind) {
    case Server:
        return QStringLiteral("server");
    case NetworkDns:
        return QStringLiteral("network DNS");
    case ByDesign:
        return QStringLiteral("by design");
    case OtherIpv4:
        return QStringLiteral("other IPv4");
    case OtherIpv6:
        return QStringLiteral("other IPv6");
    case KindCount:
        break;
    }
    return {};
}

QString LeakMonitor::table(const QString& title, const Network& network,
                           const QList<Promise>& promises) const
{
    const qint64 start = m_startMs;
    QString text =
        QStringLiteral("%1: %2 packets left the uplink\n").arg(title).arg(m_packets.size());
    QString head = QStringLiteral("  %1%2").arg(QStringLiteral("kind").leftJustified(13),
                                                cell(QStringLiteral("all"), 6));
    for (const Promise& promise : promises) {
        head += cell(QStringLiteral("%1 [%2 s, %3 s)")
                         .arg(promise.name)
                         .arg((promise.from - start) / 1000.0, 0, 'f', 1)
                         .arg((promise.to - start) / 1000.0, 0, 'f', 1),
                     34);
    }
    text += head + QLatin1Char('\n');
    for (int k = 0; k < KindCount; ++k) {
        const Kind kind = Kind(k);
        int all = 0;
        QVector<int> inWindow(promises.size(), 0);
        for (const Packet& packet : m_packets) {
            if (classify(packet, network) != kind)
                continue;
            ++all;
            for (int p = 0; p < promises.size(); ++p) {
                if (packet.ms >= promises.at(p).from && packet.ms < promises.at(p).to)
                    ++inWindow[p];
            }
        }
        QString row = QStringLiteral("  %1%2").arg(kindName(kind).leftJustified(13),
                                                   cell(QString::number(all), 6));
        for (const int count : inWindow)
            row += cell(QString::number(count), 34);
        text += row + QLatin1Char('\n');
    }
    const QStringList broken = breaches(network, promises);
    text += broken.isEmpty()
                ? QStringLiteral("  no packet breaks a promise\n")
                : QStringLiteral("  breaches:\n    ") +
                      broken.mid(0, 20).join(QStringLiteral("\n    ")) + QLatin1Char('\n');
    return text;
}

QStringList LeakMonitor::breaches(const Network& network, const QList<Promise>& promises) const
{
    QStringList lines;
    for (const Packet& packet : m_packets) {
        const Kind kind = classify(packet, network);
        for (const Promise& promise : promises) {
            if (breaks(promise, packet, kind)) {
                lines << QStringLiteral("+%1 s: %2 (%3, breaks \"%4\")")
                             .arg((packet.ms - m_startMs) / 1000.0, 0, 'f', 3)
                             .arg(packet.line, kindName(kind), promise.name);
                break;
            }
        }
    }
    return lines;
}
