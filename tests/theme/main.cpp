#include "simplemodelstest.h"
#include "support/testenvironment.h"
#include "themetest.h"

#include <QApplication>
#include <QtTest>

CORVALINK_TEST_MAIN(new ThemeTest, new SimpleModelsTest)
