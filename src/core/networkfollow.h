#pragma once

#include <QString>
#include <QtGlobal>

// How a connection follows the network under it: the tunnel goes when the route to its server
// leaves the physical network, and the next attempt comes once such a route is back, soon but
// not more often than the network flaps.
class NetworkFollow
{
public:
    // Time for the network to settle after it came back, and the least time between attempts.
    static constexpr qint64 settleMs = 500;
    static constexpr qint64 flapMs = 3000;

    // A route out of the machine that is not our own tunnel's.
    static bool usable(bool found, const QString& device);
    // How long to wait before the next attempt, given the time since the last one.
    static qint64 reconnectDelayMs(qint64 sinceLastAttemptMs);
};
