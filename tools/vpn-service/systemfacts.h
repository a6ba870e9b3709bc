#pragma once

#include <QHostAddress>
#include <QString>
#include <QVector>

#include <sys/types.h>

// What the service asks the system about its peers: who owns a loopback socket, and the groups
// and primary group of a user's account.
class SystemFacts
{
public:
    // The owner of the socket at the other end of our connection (exactly our peer's address
    // and port, connected to exactly ours, in any state); -1 when it cannot be told.
    static qint64 peerOwner(const QHostAddress& ourAddress, quint16 ourPort,
                            const QHostAddress& peerAddress, quint16 peerPort);
    // Whether any process runs with that uid as its real, effective, saved or file-system one.
    static bool hasProcessOf(uid_t uid);
    // The owner of the live sockets listening on 127.0.0.1:port; -1 when none or they disagree.
    static qint64 listenerOwner(quint16 port);
    // The groups of the account with that uid (primary and supplementary); empty without one.
    static QVector<gid_t> groupsOf(uid_t uid);
    // -1 when there is no such account.
    static qint64 primaryGroup(uid_t uid);
    // -1 when there is no such group.
    static qint64 groupId(const QString& name);
    // The home folder of the account from the passwd database; empty without one.
    static QString homeOf(uid_t uid);
};
