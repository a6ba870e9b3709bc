#include "childprocesstest.h"
#include "connectionstatisticstest.h"
#include "support/testenvironment.h"
#include "vpnclienttest.h"
#include "vpnprocesstest.h"

#include <QApplication>
#include <QtTest>

CORVALINK_TEST_MAIN(new ConnectionStatisticsTest, new VpnClientTest, new VpnProcessTest,
                    new ChildProcessTest)
