#include "connectionstatetest.h"
#include "multipingtest.h"
#include "networkfollowtest.h"
#include "protectionpolicytest.h"
#include "statustest.h"
#include "support/testenvironment.h"
#include "tunnelhealthtest.h"
#include "vpncoretest.h"

#include <QApplication>
#include <QtTest>

CORVALINK_TEST_MAIN(new ConnectionStateTest, new StatusTest, new MultiPingTest,
                    new ProtectionPolicyTest, new TunnelHealthTest, new NetworkFollowTest,
                    new VpnCoreTest)
