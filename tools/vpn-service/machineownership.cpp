#include "machineownership.h"

namespace {

using Resource = MachineOwnership::Resource;
using Effect = MachineOwnership::Effect;

const QList<Resource> savedResources{Resource::KillSwitch, Resource::Dns, Resource::Ipv6};

} // namespace

MachineOwnership::Claim MachineOwnership::claimOf(const QString& tool, const QStringList& arguments)
{
    const QString first = arguments.value(0);
    if (tool == QLatin1String("killswitch"))
        return {Resource::KillSwitch,
                first == QLatin1String("enable") ? Effect::Engage : Effect::Release};
    if (tool == QLatin1String("dns"))
        return {Resource::Dns, first == QLatin1String("vpn") ? Effect::Engage : Effect::Release};
    if (tool == QLatin1String("network-tool")) {
        if (first == QLatin1String("--restore"))
            return {Resource::Ipv6, Effect::Release};
        return {Resource::Ipv6,
                arguments.value(1) == QLatin1String("disable") ? Effect::Engage : Effect::Release};
    }
    if (tool == QLatin1String("openvpn"))
        return {Resource::Tunnel, Effect::Engage};
    // A removal reaches only the user's own tunnel.
    if (tool == QLatin1String("wireguard-service") && first == QLatin1String("--add"))
        return {Resource::Tunnel, Effect::Engage};
    return {};
}

QString MachineOwnership::nameOf(Resource resource)
{
    switch (resource) {
    case Resource::KillSwitch:
        return QStringLiteral("killswitch");
    case Resource::Dns:
        return QStringLiteral("dns");
    case Resource::Ipv6:
        return QStringLiteral("ipv6");
    case Resource::Tunnel:
        break;
    }
    return QStringLiteral("tunnel");
}

bool MachineOwnership::allows(uid_t uid, const Claim& claim) const
{
    Resource resource = Resource::Tunnel;
    return claim.effect == Effect::None || uid == 0 || otherHolder(uid, &resource) < 0;
}

qint64 MachineOwnership::otherHolder(uid_t uid, Resource* resource) const
{
    for (auto it = m_holders.cbegin(); it != m_holders.cend(); ++it) {
        if (*it != uid) {
            *resource = it.key();
            return qint64(*it);
        }
    }
    return -1;
}

qint64 MachineOwnership::holder(Resource resource) const
{
    const auto it = m_holders.constFind(resource);
    return it == m_holders.cend() ? -1 : qint64(*it);
}

bool MachineOwnership::engage(uid_t uid, Resource resource)
{
    // Root acting while a user holds the protection acts for that user.
    if (m_holders.contains(resource) || (uid == 0 && !m_holders.isEmpty()))
        return false;
    m_holders.insert(resource, uid);
    return true;
}

bool MachineOwnership::release(uid_t uid, Resource resource)
{
    const qint64 owner = holder(resource);
    return owner >= 0 && (owner == qint64(uid) || uid == 0) && m_holders.remove(resource) > 0;
}

QList<Resource> MachineOwnership::heldBy(uid_t uid) const
{
    QList<Resource> held;
    for (auto it = m_holders.cbegin(); it != m_holders.cend(); ++it) {
        if (*it == uid)
            held << it.key();
    }
    return held;
}

QList<uid_t> MachineOwnership::holders() const
{
    QList<uid_t> uids;
    for (const uid_t uid : m_holders) {
        if (!uids.contains(uid))
            uids << uid;
    }
    return uids;
}

QByteArray MachineOwnership::toText() const
{
    QByteArray text;
    for (const Resource resource : savedResources) {
        const qint64 owner = holder(resource);
        if (owner >= 0)
            text += nameOf(resource).toLatin1() + '=' + QByteArray::number(owner) + '\n';
    }
    return text;
}

MachineOwnership MachineOwnership::fromText(const QByteArray& text)
{
    MachineOwnership ownership;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> parts = line.split('=');
        if (parts.size() != 2)
            continue;
        bool ok = false;
        const uint uid = parts.at(1).toUInt(&ok);
        // A plain decimal, never the "no user" value.
        if (!ok || parts.at(1) != QByteArray::number(uid) || uid == uint(-1))
            continue;
        for (const Resource resource : savedResources) {
            if (parts.at(0) == nameOf(resource).toLatin1())
                ownership.engage(uid_t(uid), resource);
        }
    }
    return ownership;
}
