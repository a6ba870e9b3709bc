#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <sys/types.h>

// Who holds each machine-wide state (the kill switch, forced DNS, the IPv6 switch, the tunnel),
// and whether a request may change one. The first user who engages a state holds it until the
// holder's release, or root's. The states protect one connection together: while a user holds
// any of them, no other user may engage or release any, so that nobody's tunnel runs beside
// another's kill switch or DNS. Root may always act.
class MachineOwnership
{
public:
    enum class Resource
    {
        KillSwitch,
        Dns,
        Ipv6,
        Tunnel
    };
    enum class Effect
    {
        None,
        Engage,
        Release
    };
    struct Claim
    {
        Resource resource = Resource::Tunnel;
        Effect effect = Effect::None;
    };

    // What a tool run with these (already checked) arguments does to the machine's state.
    static Claim claimOf(const QString& tool, const QStringList& arguments);
    static QString nameOf(Resource resource);

    // False when the claim would change something and another user than uid holds a state;
    // always true for root.
    bool allows(uid_t uid, const Claim& claim) const;
    // The first state that another user than uid holds, and its holder; -1 when none.
    qint64 otherHolder(uid_t uid, Resource* resource) const;
    // The holder, or -1 when the state is free.
    qint64 holder(Resource resource) const;
    // A free state becomes uid's; a held one stays its holder's, and so does everything while a
    // user holds something and root acts. True when uid took it.
    bool engage(uid_t uid, Resource resource);
    // The holder's release, or root's, frees the state. True when it was freed.
    bool release(uid_t uid, Resource resource);
    // What uid holds.
    QList<Resource> heldBy(uid_t uid) const;
    // Everyone who holds something, each once, in order.
    QList<uid_t> holders() const;

    // One "NAME=UID" line per held state but the tunnel, which ends with the service's runs.
    QByteArray toText() const;
    // Lines that cannot be read are skipped.
    static MachineOwnership fromText(const QByteArray& text);

private:
    QMap<Resource, uid_t> m_holders;
};
