#include "labtest.h"

#include "support/testenvironment.h"

#include <QApplication>
#include <QtTest>

// The lab gives the suite its user's own folders: no isolation of its own, so that the client and
// the service agree on where the client's data lives.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(translations);
    TestEnvironment::openLog();
    LabTest suite;
    return QTest::qExec(&suite, argc, argv);
}
