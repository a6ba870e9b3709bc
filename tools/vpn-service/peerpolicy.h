#pragma once

#include <QString>
#include <QVector>

#include <sys/types.h>

// Who may give the service commands: a loopback peer without an Origin header (a browser always
// sends one, the client never does) whose socket belongs to root or to a member of the group.
class PeerPolicy
{
public:
    struct Peer
    {
        bool loopback = false;
        bool hasOrigin = false;
        // -1 when the socket's owner could not be told.
        qint64 uid = -1;
        QVector<gid_t> groups;
    };

    // Empty when the peer is accepted; otherwise the reason. allowedGroup is -1 when the
    // configured group does not exist, which leaves only root.
    static QString refusal(const Peer& peer, qint64 allowedGroup);
};
