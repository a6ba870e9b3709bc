#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QSet>
#include <QVector>

// The kernel's TCP socket tables as Linux prints them in /proc/net/tcp and /proc/net/tcp6. Pure
// text work, so that every rule about whose socket a row is can be tested with sample text.
class SocketTable
{
public:
    enum State
    {
        Established = 0x01,
        Listen = 0x0A
    };

    struct Row
    {
        QHostAddress localAddress;
        quint16 localPort = 0;
        QHostAddress remoteAddress;
        quint16 remotePort = 0;
        int state = 0;
        qint64 uid = -1;
        quint64 inode = 0;
    };

    // Every well-formed row of either table; the header and broken rows are skipped.
    static QVector<Row> parse(const QByteArray& text);
    // The user id of the socket at the other end of our connection: its own address and port
    // are our peer's, and its peer is exactly us (IPv4-mapped addresses compare as IPv4). Any
    // state counts, a half-closed one too; a listener never does, nor a closed socket's leftover
    // row, which has no inode and claims root. -1 unless exactly one row is that socket.
    static qint64 peerOwner(const QVector<Row>& rows, const QHostAddress& ourAddress,
                            quint16 ourPort, const QHostAddress& peerAddress, quint16 peerPort);
    // The user id of the live sockets listening on port at address or at every address; -1 when
    // there is none or they disagree.
    static qint64 listeningOwner(const QVector<Row>& rows, const QHostAddress& address,
                                 quint16 port);
    // The inodes of the live sockets listening on address:port.
    static QSet<quint64> listeningInodes(const QVector<Row>& rows, const QHostAddress& address,
                                         quint16 port);
    // The inode of a descriptor link such as "socket:[1234]"; 0 for anything else.
    static quint64 socketInode(const QByteArray& linkTarget);
    // An IPv4-mapped IPv6 address as the IPv4 address it stands for; others unchanged.
    static QHostAddress plainAddress(const QHostAddress& address);
};
