#include "peerpolicy.h"

QString PeerPolicy::refusal(const Peer& peer, qint64 allowedGroup)
{
    if (!peer.loopback)
        return QStringLiteral("not a loopback peer");
    if (peer.hasOrigin)
        return QStringLiteral("the request has an Origin header");
    if (peer.uid < 0)
        return QStringLiteral("the socket's owner is unknown");
    if (peer.uid == 0)
        return QString();
    if (allowedGroup >= 0 && peer.groups.contains(gid_t(allowedGroup)))
        return QString();
    return QStringLiteral("uid %1 is not in the service's group").arg(peer.uid);
}
