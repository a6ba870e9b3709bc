#include "support/testenvironment.h"
#include "wgservicetest.h"
#include "wgtunneltest.h"

#include <QApplication>
#include <QtTest>

CORVALINK_TEST_MAIN(new WgServiceTest, new WgTunnelTest)
