#pragma once

#include <QString>

// How much of the service one user, and all users together, may hold: connections still in
// their handshake, open links and runs. A flood by one user must leave room for the others.
class ServiceLimits
{
public:
    static constexpr int maxHandshakes = 64;
    static constexpr int maxHandshakesPerUser = 8;
    static constexpr int maxLinks = 16;
    static constexpr int maxLinksPerUser = 4;
    static constexpr int maxRuns = 32;
    static constexpr int maxRunsPerUser = 8;

    // Empty when one more is allowed; otherwise the reason. The counts are those open now.
    static QString handshakeRefusal(int ofUser, int all);
    static QString linkRefusal(int ofUser, int all);
    static QString runRefusal(int ofUser, int all);
};
