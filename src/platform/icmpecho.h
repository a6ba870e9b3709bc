#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

// ICMP echo for the latency prober: one instance holds one system channel (a socket on Linux)
// that all its requests share. Every request completes exactly once, always from the event loop
// of the thread that made it and never inside request(), unless it is cancelled first.
class IcmpEcho : public QObject
{
    Q_OBJECT

public:
    using Completion = std::function<void(bool success, unsigned int milliseconds)>;

    // The payload every request carries: "Data Buffer" with its terminating zero byte.
    static const QByteArray payload;

    // The platform's implementation.
    static IcmpEcho* create(QObject* parent = nullptr);

    // Queues an echo request to a dotted IPv4 address; host names are never resolved. Returns
    // the request's id for cancel(), never 0.
    virtual quint64 request(const QString& address, int timeoutMs, Completion done) = 0;
    // Drops a request: its completion never runs.
    virtual void cancel(quint64 id) = 0;

    // Four dotted decimal parts of 0 to 255 each, into a host-order address.
    static bool parseAddress(const QString& text, quint32* address);
    // The IP helper status of an ICMP error message (type, code); 0 when it is not an error.
    static unsigned int statusForIcmpError(int type, int code);
    // Any reply that arrives counts, even one measured below a millisecond.
    static unsigned int roundTripMs(qint64 nanoseconds);
    // The Internet checksum of an ICMP message.
    static quint16 checksum(const QByteArray& message);
    // The information line for the error statuses a user may need to see.
    static void logReplyStatus(unsigned int status);

protected:
    explicit IcmpEcho(QObject* parent = nullptr);
};
