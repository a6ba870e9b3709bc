#include "servicelimits.h"

namespace {

QString refusal(int ofUser, int all, int userLimit, int limit, const char* what)
{
    if (all >= limit)
        return QStringLiteral("too many %1").arg(QLatin1String(what));
    if (ofUser >= userLimit)
        return QStringLiteral("too many %1 of this user").arg(QLatin1String(what));
    return QString();
}

} // namespace

QString ServiceLimits::handshakeRefusal(int ofUser, int all)
{
    return refusal(ofUser, all, maxHandshakesPerUser, maxHandshakes, "connections in handshake");
}

QString ServiceLimits::linkRefusal(int ofUser, int all)
{
    return refusal(ofUser, all, maxLinksPerUser, maxLinks, "open links");
}

QString ServiceLimits::runRefusal(int ofUser, int all)
{
    return refusal(ofUser, all, maxRunsPerUser, maxRuns, "runs");
}
