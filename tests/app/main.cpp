#include "applicationtest.h"
#include "loggertest.h"
#include "scalefactortest.h"
#include "startuptest.h"
#include "support/testenvironment.h"
#include "systemtraytest.h"

#include <QApplication>
#include <QtTest>

// The logger suite runs first: it owns the first initialisation of the process-wide logger.
CORVALINK_TEST_MAIN_WITHOUT_LOG(new LoggerTest, new ScaleFactorTest, new StartupTest,
                                new SystemTrayTest, new ApplicationTest)
