#include "networkfollowtest.h"

#include "core/networkfollow.h"
#include "platform/platform.h"

#include <QtTest>

void NetworkFollowTest::routeToTheServerIsReadAndJudged()
{
    const auto usable = [](const char* json) {
        const Platform::RouteFacts route = Platform::parseRouteGet(json);
        return NetworkFollow::usable(route.found, route.device);
    };
    // Through the uplink, as a healthy tunnel keeps its server's route.
    QVERIFY(usable(R"([{"dst":"198.18.1.2","gateway":"198.18.0.1","dev":"uplink",
                       "prefsrc":"198.18.0.2","flags":[],"uid":1000,"cache":[]}])"));
    // Into our own tunnels: the network under them is gone.
    QVERIFY(!usable(R"([{"dst":"198.18.1.2","dev":"tun0","prefsrc":"10.8.0.2","flags":[]}])"));
    QVERIFY(!usable(R"([{"dst":"198.18.1.2","dev":"wgcl0","flags":[]}])"));
    // Nowhere, or nothing to read.
    QVERIFY(!usable(R"([{"type":"unreachable","dst":"198.18.1.2","dev":"lo","flags":[]}])"));
    QVERIFY(!usable(""));
    QVERIFY(!usable("RTNETLINK answers: Network is unreachable"));
}

void NetworkFollowTest::attemptsAreSpacedWhileTheNetworkFlaps()
{
    QCOMPARE(NetworkFollow::reconnectDelayMs(60000), NetworkFollow::settleMs);
    QCOMPARE(NetworkFollow::reconnectDelayMs(1000), NetworkFollow::flapMs - 1000);
    QCOMPARE(NetworkFollow::reconnectDelayMs(0), NetworkFollow::flapMs);
}
