#include "connectionstatetest.h"
#include "statustest.h"
#include "support/testenvironment.h"

#include <QApplication>
#include <QtTest>

CORVALINK_TEST_MAIN(new ConnectionStateTest, new StatusTest)
