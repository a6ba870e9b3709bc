#include "childprocesstest.h"
#include "connectionstatisticstest.h"
#include "managementtest.h"
#include "openvpnconfigtest.h"
#include "openvpnendtoendtest.h"
#include "portcheckertest.h"
#include "realopenvpntest.h"
#include "stunneltest.h"
#include "support/testenvironment.h"
#include "vpnclienttest.h"
#include "vpnprocesstest.h"
#include "wireguardtest.h"

#include <QApplication>
#include <QtTest>

CORVALINK_TEST_MAIN(new ConnectionStatisticsTest, new VpnClientTest, new VpnProcessTest,
                    new ChildProcessTest, new OpenVpnConfigTest, new ManagementTest,
                    new OpenVpnEndToEndTest, new StunnelTest, new PortCheckerTest,
                    new RealOpenVpnTest, new WireGuardTest)
