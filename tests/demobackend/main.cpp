#include "demobackendtest.h"
#include "requestparsertest.h"
#include "support/testenvironment.h"

#include <QApplication>
#include <QtTest>

CORVALINK_TEST_MAIN(new RequestParserTest, new DemoBackendTest)
