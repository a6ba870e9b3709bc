#include "autostarttest.h"
#include "support/testenvironment.h"
#include "updatetest.h"
#include "utilstest.h"

#include <QApplication>
#include <QtTest>

CORVALINK_TEST_MAIN(new UtilsTest, new AutoStartTest, new UpdateTest)
