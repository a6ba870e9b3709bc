#include "dnsmanagertest.h"
#include "killswitchtest.h"
#include "networkinterfacestest.h"
#include "servicecontrollertest.h"
#include "serviceprocesstest.h"
#include "support/testenvironment.h"

#include <QApplication>
#include <QtTest>

CORVALINK_TEST_MAIN(new ServiceControllerTest, new ServiceProcessTest, new KillSwitchTest,
                    new NetworkInterfacesTest, new DnsManagerTest)
