// The socket tables the client and the service take their peers' owners from. The first byte
// picks the source, the rest is its text or bytes:
//   even  /proc/net/tcp or /proc/net/tcp6 (SocketTable::parse), then the owner queries over the
//         rows; each line also as a descriptor link ("socket:[INODE]")
//   odd   a netlink reply of the kernel's socket diagnostics (SocketDiag::parseReply)
#include "clientsupport.h"
#include "platform/linux/socketdiag.h"
#include "platform/sockettable.h"

#include <linux/inet_diag.h>
#include <linux/netlink.h>

namespace {

using Rows = QVector<SocketTable::Row>;

bool isAddress(const QHostAddress& address)
{
    return address.protocol() == QAbstractSocket::IPv4Protocol ||
           address.protocol() == QAbstractSocket::IPv6Protocol;
}

bool isUidOf(qint64 uid, const Rows& rows)
{
    for (const SocketTable::Row& row : rows) {
        if (row.uid == uid)
            return true;
    }
    return false;
}

void checkRows(const Rows& rows)
{
    for (const SocketTable::Row& row : rows) {
        FUZZ_CHECK(isAddress(row.localAddress) && isAddress(row.remoteAddress));
        FUZZ_CHECK(row.uid >= 0);
    }
}

void table(const QByteArray& text)
{
    const Rows rows = SocketTable::parse(text);
    FUZZ_CHECK(rows.size() <= text.count('\n') + 1);
    checkRows(rows);
    for (const QByteArray& line : text.split('\n')) {
        const quint64 inode = SocketTable::socketInode(line);
        FUZZ_CHECK(inode == 0 || (line.startsWith("socket:[") && line.endsWith(']')));
    }
    if (rows.isEmpty())
        return;

    // The questions TcpServer and ServiceController ask, about a row of the table itself.
    const SocketTable::Row& row = rows.first();
    const qint64 peer = SocketTable::peerOwner(rows, row.remoteAddress, row.remotePort,
                                               row.localAddress, row.localPort);
    FUZZ_CHECK(peer == -1 || isUidOf(peer, rows));
    const qint64 listener = SocketTable::listeningOwner(rows, row.localAddress, row.localPort);
    FUZZ_CHECK(listener == -1 || isUidOf(listener, rows));
    for (const quint64 inode : SocketTable::listeningInodes(rows, row.localAddress, row.localPort))
        FUZZ_CHECK(inode != 0);
}

void reply(const QByteArray& bytes)
{
    bool complete = true;
    const Rows rows = SocketDiag::parseReply(bytes, &complete);
    checkRows(rows);
    // One row a whole message.
    const int message = int(NLMSG_HDRLEN + sizeof(inet_diag_msg));
    FUZZ_CHECK(rows.size() <= bytes.size() / message);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startClient();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray input = fuzz::bytes(data + 1, size - 1);
    if (data[0] & 1)
        reply(input);
    else
        table(input);
    return 0;
}
