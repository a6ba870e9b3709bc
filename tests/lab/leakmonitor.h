#pragma once

#include <QList>
#include <QStringList>

class LabControl;

// Every packet that left the client side by its uplink during a scenario, as the root side
// captured it, sorted into kinds and held against the scenario's promises: time windows in which
// some kinds must not appear.
class LeakMonitor
{
public:
    enum Kind
    {
        Server,     // to a server of the scenario, on its tunnel's transport and port
        NetworkDns, // a DNS query to one of the network's own resolvers
        ByDesign,   // what protection lets through: DHCP, neighbour discovery, ARP, local devices
        OtherIpv4,
        OtherIpv6,
        KindCount
    };

    struct Packet
    {
        qint64 ms = 0;
        int family = 0; // 4, 6, or 0 for what is not IP (ARP)
        QString destination;
        QString transport; // "tcp", "udp", "icmp", "icmp6", or empty
        int port = -1;
        QString line;
    };

    // What a packet is held against: the servers the scenario used, the ports the tunnel's
    // transport uses, the network's resolvers and, with local access on, its local prefixes.
    struct Network
    {
        QStringList servers;
        QString transport;
        QList<int> ports;
        QStringList resolvers;
        QStringList localPrefixes;
    };

    enum Rule
    {
        OnlyServerAndByDesign,
        NoNetworkDns,
        NoIpv6
    };

    struct Promise
    {
        QString name;
        Rule rule = OnlyServerAndByDesign;
        qint64 from = 0;
        qint64 to = 0; // the end, not included
    };

    explicit LeakMonitor(const LabControl& control);

    bool start();
    // Ends the capture and reads what it saw from the root side's file.
    bool stop(const QString& packetsFile);

    const QList<Packet>& packets() const { return m_packets; }
    // Times in it count from the start of the capture.
    QString table(const QString& title, const Network& network,
                  const QList<Promise>& promises) const;
    // One line per packet that breaks a promise.
    QStringList breaches(const Network& network, const QList<Promise>& promises) const;

    // A line of "tcpdump -nn -tt -q": the epoch time, then the packet.
    static bool parse(const QString& line, Packet* packet);
    static Kind classify(const Packet& packet, const Network& network);
    static bool breaks(const Promise& promise, const Packet& packet, Kind kind);
    static QString kindName(Kind kind);

private:
    const LabControl& m_control;
    qint64 m_startMs = 0;
    QList<Packet> m_packets;
};
