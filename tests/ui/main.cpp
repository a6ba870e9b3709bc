#include "accessibilitytest.h"
#include "support/testenvironment.h"
#include "uitest.h"

#include <QApplication>
#include <QtTest>

CORVALINK_TEST_MAIN(new UiTest, new AccessibilityTest)
