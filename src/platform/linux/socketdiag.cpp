#include "socketdiag.h"

#include <QFile>

#include <linux/inet_diag.h>
#include <linux/netlink.h>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

const int replyBytes = 8192;
const int receiveTimeoutMs = 1000;

struct Message
{
    nlmsghdr header;
    inet_diag_req_v2 request;
};

bool isIpv4(const QHostAddress& address)
{
    return SocketTable::plainAddress(address).protocol() == QAbstractSocket::IPv4Protocol;
}

void putAddress(const QHostAddress& address, __be32* words)
{
    const QHostAddress plain = SocketTable::plainAddress(address);
    if (plain.protocol() == QAbstractSocket::IPv4Protocol) {
        words[0] = htonl(plain.toIPv4Address());
        return;
    }
    const Q_IPV6ADDR bytes = plain.toIPv6Address();
    std::memcpy(words, bytes.c, 16);
}

QHostAddress takeAddress(quint8 family, const __be32* words)
{
    if (family == AF_INET)
        return QHostAddress(ntohl(words[0]));
    quint8 bytes[16];
    std::memcpy(bytes, words, 16);
    return QHostAddress(bytes);
}

} // namespace

QByteArray SocketDiag::request(const Endpoints& endpoints)
{
    Message message = {};
    message.header.nlmsg_len = sizeof message;
    message.header.nlmsg_type = SOCK_DIAG_BY_FAMILY;
    message.header.nlmsg_flags = NLM_F_REQUEST;
    message.request.sdiag_family = isIpv4(endpoints.localAddress) ? AF_INET : AF_INET6;
    message.request.sdiag_protocol = IPPROTO_TCP;
    message.request.idiag_states = ~0U;
    message.request.id.idiag_sport = htons(endpoints.localPort);
    message.request.id.idiag_dport = htons(endpoints.remotePort);
    putAddress(endpoints.localAddress, message.request.id.idiag_src);
    putAddress(endpoints.remoteAddress, message.request.id.idiag_dst);
    message.request.id.idiag_cookie[0] = INET_DIAG_NOCOOKIE;
    message.request.id.idiag_cookie[1] = INET_DIAG_NOCOOKIE;
    return QByteArray(reinterpret_cast<const char*>(&message), sizeof message);
}

QVector<SocketTable::Row> SocketDiag::parseReply(const QByteArray& reply, bool* complete)
{
    QVector<SocketTable::Row> rows;
    *complete = false;
    int at = 0;
    while (reply.size() - at >= int(sizeof(nlmsghdr))) {
        nlmsghdr header;
        std::memcpy(&header, reply.constData() + at, sizeof header);
        const int length = int(header.nlmsg_len);
        if (length < int(sizeof header) || length > reply.size() - at)
            return rows;
        const char* payload = reply.constData() + at + NLMSG_HDRLEN;
        const int payloadBytes = length - int(NLMSG_HDRLEN);
        if (header.nlmsg_type == NLMSG_ERROR) {
            nlmsgerr error;
            if (payloadBytes < int(sizeof error))
                return rows;
            std::memcpy(&error, payload, sizeof error);
            // "No such socket" is an answer; anything else is not.
            *complete = error.error == 0 || error.error == -ENOENT;
            return rows;
        }
        if (header.nlmsg_type == NLMSG_DONE) {
            *complete = true;
            return rows;
        }
        if (header.nlmsg_type == SOCK_DIAG_BY_FAMILY) {
            inet_diag_msg found;
            if (payloadBytes < int(sizeof found))
                return rows;
            std::memcpy(&found, payload, sizeof found);
            if (found.idiag_family != AF_INET && found.idiag_family != AF_INET6)
                return rows;
            SocketTable::Row row;
            row.localAddress = takeAddress(found.idiag_family, found.id.idiag_src);
            row.localPort = ntohs(found.id.idiag_sport);
            row.remoteAddress = takeAddress(found.idiag_family, found.id.idiag_dst);
            row.remotePort = ntohs(found.id.idiag_dport);
            row.state = found.idiag_state;
            row.uid = found.idiag_uid;
            row.inode = found.idiag_inode;
            rows.append(row);
            // An exact lookup answers with one message and nothing after it.
            *complete = true;
        }
        at += int(NLMSG_ALIGN(unsigned(length)));
    }
    return rows;
}

qint64 SocketDiag::peerOwner(const QHostAddress& ourAddress, quint16 ourPort,
                             const QHostAddress& peerAddress, quint16 peerPort)
{
    bool asked = false;
    QVector<SocketTable::Row> rows = lookup({peerAddress, peerPort, ourAddress, ourPort}, &asked);
    if (!asked)
        rows = tableRows();
    return SocketTable::peerOwner(rows, ourAddress, ourPort, peerAddress, peerPort);
}

QVector<SocketTable::Row> SocketDiag::tableRows()
{
    QVector<SocketTable::Row> rows;
    for (const char* path : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        QFile table(QString::fromLatin1(path));
        if (table.open(QIODevice::ReadOnly))
            rows += SocketTable::parse(table.readAll());
    }
    return rows;
}

QVector<SocketTable::Row> SocketDiag::lookup(const Endpoints& endpoints, bool* ok)
{
    *ok = false;
    const int fd = ::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_SOCK_DIAG);
    if (fd < 0)
        return {};
    const timeval timeout{receiveTimeoutMs / 1000, (receiveTimeoutMs % 1000) * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    const QByteArray message = request(endpoints);
    sockaddr_nl kernel = {};
    kernel.nl_family = AF_NETLINK;
    QVector<SocketTable::Row> rows;
    if (::sendto(fd, message.constData(), size_t(message.size()), 0,
                 reinterpret_cast<const sockaddr*>(&kernel), sizeof kernel) == message.size()) {
        QByteArray reply(replyBytes, '\0');
        sockaddr_nl sender = {};
        socklen_t senderSize = sizeof sender;
        const ssize_t length = ::recvfrom(fd, reply.data(), size_t(reply.size()), 0,
                                          reinterpret_cast<sockaddr*>(&sender), &senderSize);
        // Only the kernel answers for the kernel.
        if (length > 0 && sender.nl_pid == 0) {
            reply.truncate(int(length));
            rows = parseReply(reply, ok);
        }
    }
    ::close(fd);
    return *ok ? rows : QVector<SocketTable::Row>();
}
