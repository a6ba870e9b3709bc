#include "namespaceservicetest.h"
#include "support/testenvironment.h"
#include "toolpoliciestest.h"
#include "vpnservicesecuritytest.h"
#include "vpnservicetest.h"

#include <QApplication>
#include <QtTest>

CORVALINK_TEST_MAIN(new ToolPoliciesTest, new VpnServiceTest, new VpnServiceSecurityTest,
                    new NamespaceServiceTest)
