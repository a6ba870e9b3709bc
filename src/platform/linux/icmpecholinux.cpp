#include "platform/linux/icmpecholinux.h"

#include "app/logger.h"

#include <QAtomicInt>
#include <QPointer>
#include <QSocketNotifier>
#include <QtEndian>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <linux/errqueue.h>
#include <linux/icmp.h>

namespace {

enum IcmpType : uchar
{
    EchoReply = 0,
    EchoRequest = 8
};
const uchar icmpProtocol = 1;
const int minimumIpHeader = 20;
const int icmpHeader = 8;

QAtomicInt instances;

quint16 readBig16(const QByteArray& data, int offset)
{
    return qFromBigEndian<quint16>(data.constData() + offset);
}

int ipHeaderLength(const QByteArray& data, int offset)
{
    if (data.size() < offset + minimumIpHeader)
        return 0;
    const int length = (uchar(data[offset]) & 0x0f) * 4;
    return length < minimumIpHeader || data.size() < offset + length ? 0 : length;
}

bool isTransientSendError(int error)
{
    return error == EAGAIN || error == EWOULDBLOCK || error == ENOBUFS || error == EINTR;
}

void enlargeReceiveBuffer(int socket, int bytes)
{
    // The forced size passes net.core.rmem_max where the process may do so.
    if (::setsockopt(socket, SOL_SOCKET, SO_RCVBUFFORCE, &bytes, sizeof bytes) != 0)
        ::setsockopt(socket, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
}

void keepOnlyRepliesAndErrors(int socket)
{
    // A raw socket sees every ICMP message of the host, our own requests on loopback included.
    icmp_filter filter{};
    filter.data = ~((1U << ICMP_ECHOREPLY) | (1U << ICMP_DEST_UNREACH) |
                    (1U << ICMP_SOURCE_QUENCH) | (1U << ICMP_TIME_EXCEEDED));
    ::setsockopt(socket, SOL_RAW, ICMP_FILTER, &filter, sizeof filter);
}

} // namespace

IcmpEcho* IcmpEcho::create(QObject* parent)
{
    return new IcmpEchoLinux(parent);
}

IcmpEchoLinux::IcmpEchoLinux(QObject* parent) : IcmpEcho(parent)
{
    m_clock.start();
    m_sendTimer.setInterval(sendIntervalMs);
    m_sendTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_sendTimer, &QTimer::timeout, this, &IcmpEchoLinux::sendQueued);
    m_timeoutTimer.setSingleShot(true);
    m_timeoutTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_timeoutTimer, &QTimer::timeout, this, &IcmpEchoLinux::expire);
}

IcmpEchoLinux::~IcmpEchoLinux()
{
    delete m_notifier;
    if (m_socket >= 0)
        ::close(m_socket);
}

quint64 IcmpEchoLinux::request(const QString& address, int timeoutMs, Completion done)
{
    if (!m_opened)
        openSocket();
    const quint64 id = m_nextId++;
    Request entry;
    entry.valid = parseAddress(address, &entry.address);
    entry.timeoutMs = timeoutMs;
    entry.done = std::move(done);
    m_requests.insert(id, entry);
    // Even a request that cannot be sent completes from the send timer, never in here.
    m_queue.push_back(id);
    if (!m_sendTimer.isActive())
        m_sendTimer.start();
    return id;
}

void IcmpEchoLinux::cancel(quint64 id)
{
    const auto found = m_requests.find(id);
    if (found == m_requests.end())
        return;
    if (found->sent)
        m_inFlight.remove(found->sequence);
    m_requests.erase(found);
    if (m_requests.isEmpty()) {
        m_queue.clear();
        m_deadlines.clear();
        m_sendTimer.stop();
        m_timeoutTimer.stop();
    }
}

QByteArray IcmpEchoLinux::echoRequest(quint16 identifier, quint16 sequence)
{
    QByteArray packet(icmpHeader, '\0');
    packet[0] = char(EchoRequest);
    qToBigEndian(identifier, packet.data() + 4);
    qToBigEndian(sequence, packet.data() + 6);
    packet += payload;
    qToBigEndian(checksum(packet), packet.data() + 2);
    return packet;
}

IcmpEchoLinux::Packet IcmpEchoLinux::parsePacket(const QByteArray& data, bool withIpHeader)
{
    const int offset = withIpHeader ? ipHeaderLength(data, 0) : 0;
    if ((withIpHeader && offset == 0) || data.size() < offset + icmpHeader)
        return {};
    const uchar type = uchar(data[offset]);
    if (type == EchoReply) {
        Packet packet;
        packet.kind = Packet::Kind::Reply;
        packet.identifier = readBig16(data, offset + 4);
        packet.sequence = readBig16(data, offset + 6);
        return packet;
    }
    // An error quotes the IP header and the first bytes of the message that caused it.
    const int quoted = offset + icmpHeader;
    const int quotedHeader = withIpHeader ? ipHeaderLength(data, quoted) : 0;
    if (quotedHeader == 0 || uchar(data[quoted + 9]) != icmpProtocol)
        return {};
    return parseQueuedError(data.mid(quoted + quotedHeader), type, uchar(data[offset + 1]));
}

IcmpEchoLinux::Packet IcmpEchoLinux::parseQueuedError(const QByteArray& original, int type,
                                                      int code)
{
    if (original.size() < icmpHeader || uchar(original[0]) != EchoRequest ||
        statusForIcmpError(type, code) == 0)
        return {};
    Packet packet;
    packet.kind = Packet::Kind::Error;
    packet.identifier = readBig16(original, 4);
    packet.sequence = readBig16(original, 6);
    packet.type = type;
    packet.code = code;
    return packet;
}

void IcmpEchoLinux::openSocket()
{
    m_opened = true;
    m_socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP);
    const int datagramError = m_socket < 0 ? errno : 0;
    if (m_socket < 0) {
        m_socket = ::socket(AF_INET, SOCK_RAW | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP);
        m_raw = m_socket >= 0;
    }
    if (m_socket < 0) {
        Logger::warning(objectName(),
                        QStringLiteral("Unable to open an ICMP socket (datagram: %1, raw: %2), "
                                       "every probe fails; net.ipv4.ping_group_range must "
                                       "include the user's group")
                            .arg(qt_error_string(datagramError), qt_error_string(errno)));
        return;
    }
    enlargeReceiveBuffer(m_socket, receiveBufferBytes);
    if (m_raw) {
        keepOnlyRepliesAndErrors(m_socket);
        m_identifier = quint16(::getpid() * 31 + instances.fetchAndAddRelaxed(1));
    } else {
        // ICMP errors for our requests arrive in the socket's error queue.
        const int on = 1;
        ::setsockopt(m_socket, SOL_IP, IP_RECVERR, &on, sizeof on);
    }
    Logger::info(objectName(), m_raw ? QStringLiteral("Probing over a raw ICMP socket")
                                     : QStringLiteral("Probing over an ICMP datagram socket"));
    m_notifier = new QSocketNotifier(m_socket, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &IcmpEchoLinux::readPackets);
}

void IcmpEchoLinux::sendQueued()
{
    const QPointer<IcmpEchoLinux> alive(this);
    int handled = 0;
    while (handled < sendBatch && !m_queue.empty()) {
        const quint64 id = m_queue.front();
        const auto found = m_requests.find(id);
        if (found == m_requests.end()) {
            m_queue.pop_front();
            continue;
        }
        if (m_socket >= 0 && found->valid) {
            // Every sequence number is in flight: wait for some to complete.
            if (m_inFlight.size() >= 0xffff)
                break;
            const SendResult result = send(*found);
            if (result == SendResult::Later)
                break;
            if (result == SendResult::Sent) {
                m_queue.pop_front();
                m_inFlight.insert(found->sequence, id);
                m_deadlines.emplace(m_clock.elapsed() + found->timeoutMs, id);
                ++handled;
                continue;
            }
        }
        m_queue.pop_front();
        ++handled;
        finish(id, false, 0);
        if (!alive)
            return;
    }
    if (m_queue.empty())
        m_sendTimer.stop();
    armTimeout();
}

IcmpEchoLinux::SendResult IcmpEchoLinux::send(Request& request)
{
    const quint16 sequence = freeSequence();
    const QByteArray packet = echoRequest(m_identifier, sequence);
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_addr.s_addr = htonl(request.address);
    const qint64 now = m_clock.nsecsElapsed();
    const auto sendPacket = [&] {
        return ::sendto(m_socket, packet.constData(), size_t(packet.size()), 0,
                        reinterpret_cast<const sockaddr*>(&target), sizeof target);
    };
    ssize_t sent = sendPacket();
    // With IP_RECVERR an ICMP error also becomes the datagram socket's pending error, which the
    // next send returns in its own place: that request is sent again.
    if (sent < 0 && !m_raw && !isTransientSendError(errno))
        sent = sendPacket();
    if (sent >= 0) {
        request.sent = true;
        request.sequence = sequence;
        request.sentAtNs = now;
        m_nextSequence = quint16(sequence + 1);
        return SendResult::Sent;
    }
    if (!isTransientSendError(errno))
        return SendResult::Failed;
    // A full send queue drains by itself; only a request stuck for its whole time-out fails.
    const qint64 nowMs = m_clock.elapsed();
    if (request.firstTryMs < 0)
        request.firstTryMs = nowMs;
    return nowMs - request.firstTryMs > request.timeoutMs ? SendResult::Failed : SendResult::Later;
}

quint16 IcmpEchoLinux::freeSequence()
{
    quint16 sequence = m_nextSequence;
    while (m_inFlight.contains(sequence))
        ++sequence;
    return sequence;
}

void IcmpEchoLinux::readPackets()
{
    const QPointer<IcmpEchoLinux> alive(this);
    if (!m_raw) {
        readErrorQueue();
        if (!alive)
            return;
    }
    char buffer[2048];
    for (int i = 0; i < readBatch; ++i) {
        const ssize_t length = ::recv(m_socket, buffer, sizeof buffer, MSG_DONTWAIT);
        if (length < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        // Any other error is the socket's pending ICMP error, whose details the queue holds.
        if (length < 0)
            continue;
        handlePacket(parsePacket(QByteArray::fromRawData(buffer, int(length)), m_raw));
        if (!alive)
            return;
    }
}

void IcmpEchoLinux::readErrorQueue()
{
    const QPointer<IcmpEchoLinux> alive(this);
    for (int i = 0; i < readBatch; ++i) {
        char data[512];
        char control[512];
        iovec part{data, sizeof data};
        msghdr message{};
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        const ssize_t length = ::recvmsg(m_socket, &message, MSG_ERRQUEUE | MSG_DONTWAIT);
        if (length < 0)
            return;
        for (cmsghdr* header = CMSG_FIRSTHDR(&message); header;
             header = CMSG_NXTHDR(&message, header)) {
            if (header->cmsg_level != SOL_IP || header->cmsg_type != IP_RECVERR)
                continue;
            sock_extended_err error;
            std::memcpy(&error, CMSG_DATA(header), sizeof error);
            if (error.ee_origin != SO_EE_ORIGIN_ICMP)
                continue;
            handlePacket(parseQueuedError(QByteArray::fromRawData(data, int(length)), error.ee_type,
                                          error.ee_code));
            if (!alive)
                return;
        }
    }
}

void IcmpEchoLinux::handlePacket(const Packet& packet)
{
    // The kernel hands a datagram socket only the packets of its own identifier.
    if (packet.kind == Packet::Kind::Other || (m_raw && packet.identifier != m_identifier))
        return;
    const auto flight = m_inFlight.constFind(packet.sequence);
    if (flight == m_inFlight.constEnd())
        return;
    const quint64 id = flight.value();
    if (packet.kind == Packet::Kind::Error) {
        logReplyStatus(statusForIcmpError(packet.type, packet.code));
        finish(id, false, 0);
        return;
    }
    const auto found = m_requests.constFind(id);
    if (found != m_requests.constEnd())
        finish(id, true, roundTripMs(m_clock.nsecsElapsed() - found->sentAtNs));
}

void IcmpEchoLinux::expire()
{
    const QPointer<IcmpEchoLinux> alive(this);
    const qint64 now = m_clock.elapsed();
    while (!m_deadlines.empty() && m_deadlines.begin()->first <= now) {
        const quint64 id = m_deadlines.begin()->second;
        m_deadlines.erase(m_deadlines.begin());
        finish(id, false, 0);
        if (!alive)
            return;
    }
    armTimeout();
}

void IcmpEchoLinux::armTimeout()
{
    if (m_deadlines.empty()) {
        m_timeoutTimer.stop();
        return;
    }
    const int wait = int(qMax<qint64>(0, m_deadlines.begin()->first - m_clock.elapsed()));
    if (!m_timeoutTimer.isActive() || m_timeoutTimer.remainingTime() > wait)
        m_timeoutTimer.start(wait);
}

void IcmpEchoLinux::finish(quint64 id, bool success, unsigned int milliseconds)
{
    const auto found = m_requests.find(id);
    if (found == m_requests.end())
        return;
    const Completion done = found->done;
    if (found->sent)
        m_inFlight.remove(found->sequence);
    m_requests.erase(found);
    if (m_requests.isEmpty())
        m_deadlines.clear();
    if (done)
        done(success, milliseconds);
}
