#pragma once

#include "platform/icmpecho.h"

#include <QElapsedTimer>
#include <QHash>
#include <QTimer>

#include <deque>
#include <map>

class QSocketNotifier;

// ICMP echo over one socket: an ICMP datagram socket where net.ipv4.ping_group_range allows it,
// else a raw socket when the process may open one. Requests leave at a steady pace, replies are
// read as they arrive through a socket notifier.
class IcmpEchoLinux : public IcmpEcho
{
    Q_OBJECT

public:
    // Sends per event-loop turn, one turn a millisecond: a catalogue leaves within a second.
    static constexpr int sendBatch = 32;
    static constexpr int sendIntervalMs = 1;
    static constexpr int readBatch = 512;
    // Room for the replies of a whole catalogue that arrive between two reads.
    static constexpr int receiveBufferBytes = 8 * 1024 * 1024;

    struct Packet
    {
        enum class Kind
        {
            Other,
            Reply,
            Error
        };
        Kind kind = Kind::Other;
        quint16 identifier = 0;
        quint16 sequence = 0;
        int type = 0;
        int code = 0;
    };

    explicit IcmpEchoLinux(QObject* parent = nullptr);
    ~IcmpEchoLinux() override;

    quint64 request(const QString& address, int timeoutMs, Completion done) override;
    void cancel(quint64 id) override;

    // An echo request with its checksum.
    static QByteArray echoRequest(quint16 identifier, quint16 sequence);
    // What a received packet is: a raw socket's packets start with the IP header, a datagram
    // socket's with the ICMP header.
    static Packet parsePacket(const QByteArray& data, bool withIpHeader);
    // An ICMP error from a datagram socket's error queue: the message it reports and the echo
    // request it returned.
    static Packet parseQueuedError(const QByteArray& original, int type, int code);

private:
    struct Request
    {
        quint32 address = 0;
        bool valid = false;
        int timeoutMs = 0;
        Completion done;
        bool sent = false;
        quint16 sequence = 0;
        qint64 sentAtNs = 0;
        qint64 firstTryMs = -1;
    };

    enum class SendResult
    {
        Sent,
        Later,
        Failed
    };

    void openSocket();
    void sendQueued();
    SendResult send(Request& request);
    void readPackets();
    void readErrorQueue();
    void handlePacket(const Packet& packet);
    void expire();
    void armTimeout();
    void finish(quint64 id, bool success, unsigned int milliseconds);
    quint16 freeSequence();

    int m_socket = -1;
    bool m_opened = false;
    bool m_raw = false;
    quint16 m_identifier = 0;
    quint16 m_nextSequence = 0;
    quint64 m_nextId = 1;
    QHash<quint64, Request> m_requests;
    std::deque<quint64> m_queue;
    QHash<quint16, quint64> m_inFlight;
    std::multimap<qint64, quint64> m_deadlines;
    QElapsedTimer m_clock;
    QTimer m_sendTimer;
    QTimer m_timeoutTimer;
    QSocketNotifier* m_notifier = nullptr;
};
