#include "networkfollow.h"

bool NetworkFollow::usable(bool found, const QString& device)
{
    return found && !device.startsWith(QLatin1String("tun")) &&
           !device.startsWith(QLatin1String("wg"));
}

qint64 NetworkFollow::reconnectDelayMs(qint64 sinceLastAttemptMs)
{
    return qMax(settleMs, flapMs - sinceLastAttemptMs);
}
