#pragma once

#include "platform/platform.h"

#include <QProcessEnvironment>
#include <QString>

// Points HOME and the XDG folders at a fresh temporary folder, so no suite touches the real
// user's settings, logs or autostart entries. Call before anything asks for a standard path.
class TestEnvironment
{
public:
    static QString isolate();
    static QString root();
    static QProcessEnvironment processEnvironment();
    // The client binary built beside the suites (CTest passes its path).
    static QString clientBinary();
    static void openLog();
};

// Runs several test objects in one process, in the given order, after isolating the folders and
// the list of running programs.
// The log is opened first, as the client does, so that each suite's own message handler stays in
// place for QTest::ignoreMessage.
#define CORVALINK_TEST_MAIN(...) CORVALINK_TEST_MAIN_IMPL(true, __VA_ARGS__)
// For the suite that owns the first opening of the log.
#define CORVALINK_TEST_MAIN_WITHOUT_LOG(...) CORVALINK_TEST_MAIN_IMPL(false, __VA_ARGS__)

#define CORVALINK_TEST_MAIN_IMPL(withLog, ...)                                                     \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        TestEnvironment::isolate();                                                                \
        /* A lab or an installed service elsewhere on the machine is none of the suite's */        \
        Platform::setProcessListOwnOnly(true);                                                     \
        QApplication app(argc, argv);                                                              \
        Q_INIT_RESOURCE(resources);                                                                \
        Q_INIT_RESOURCE(translations);                                                             \
        if (withLog)                                                                               \
            TestEnvironment::openLog();                                                            \
        int failures = 0;                                                                          \
        for (QObject * suite : std::initializer_list<QObject*>{__VA_ARGS__}) {                     \
            failures += QTest::qExec(suite, argc, argv);                                           \
            delete suite;                                                                          \
        }                                                                                          \
        return failures == 0 ? 0 : 1;                                                              \
    }
