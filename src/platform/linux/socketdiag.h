#pragma once

#include "platform/sockettable.h"

#include <QByteArray>
#include <QHostAddress>
#include <QVector>

// The kernel's socket diagnostics (inet_diag over netlink): an exact lookup of one TCP socket by
// its four address fields, instead of a scan of every row of /proc/net/tcp. Needs no privilege.
// The client and the service both take their peers' owners from here.
class SocketDiag
{
public:
    struct Endpoints
    {
        QHostAddress localAddress;
        quint16 localPort = 0;
        QHostAddress remoteAddress;
        quint16 remotePort = 0;
    };

    // The socket whose own end is endpoints.local and whose peer is endpoints.remote, as rows:
    // none when there is no such socket. ok is false when the kernel could not be asked.
    static QVector<SocketTable::Row> lookup(const Endpoints& endpoints, bool* ok);
    // The owner of the socket at the other end of our connection, by SocketTable::peerOwner's
    // rule: from the exact lookup, or from the whole tables where netlink is closed to us.
    static qint64 peerOwner(const QHostAddress& ourAddress, quint16 ourPort,
                            const QHostAddress& peerAddress, quint16 peerPort);
    // Every row of /proc/net/tcp and /proc/net/tcp6.
    static QVector<SocketTable::Row> tableRows();

    // The request message, and the rows of a reply; complete is false for a reply that is not
    // an answer (a broken message, or an error other than "no such socket").
    static QByteArray request(const Endpoints& endpoints);
    static QVector<SocketTable::Row> parseReply(const QByteArray& reply, bool* complete);
};
