#include "childprocesstest.h"

#include "clients/childprocess.h"

#include <QSignalSpy>
#include <QtTest>

void ChildProcessTest::reportsSuccessOnlyForCleanExitZero_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("success");
    QTest::newRow("exit 0") << "exit 0" << true;
    QTest::newRow("exit 3") << "exit 3" << false;
    QTest::newRow("killed by a signal") << "kill -SEGV $$" << false;
}

void ChildProcessTest::reportsSuccessOnlyForCleanExitZero()
{
    QFETCH(QString, script);
    QFETCH(bool, success);
    ChildProcess child;
    QSignalSpy finished(&child, &ChildProcess::processFinished);
    if (!success && script.startsWith(QLatin1String("kill")))
        QTest::ignoreMessage(QtWarningMsg, "ChildProcess: Error occured: crashed");
    child.process().start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script});
    QVERIFY(finished.wait());
    QCOMPARE(finished.first().first().toBool(), success);
}

void ChildProcessTest::crashWithExitCodeZeroIsNoSuccess()
{
    ChildProcess child;
    QSignalSpy finished(&child, &ChildProcess::processFinished);
    child.onFinished(0, QProcess::CrashExit);
    child.onFinished(3, QProcess::NormalExit);
    child.onFinished(0, QProcess::NormalExit);
    QCOMPARE(finished.count(), 3);
    QCOMPARE(finished.at(0).first().toBool(), false);
    QCOMPARE(finished.at(1).first().toBool(), false);
    QCOMPARE(finished.at(2).first().toBool(), true);
}

void ChildProcessTest::failedStartIsLogged()
{
    ChildProcess child;
    QSignalSpy finished(&child, &ChildProcess::processFinished);
    QTest::ignoreMessage(QtWarningMsg, "ChildProcess: Error occured: failed to start");
    child.process().start(QStringLiteral("/nonexistent/corvalink-tool"), QStringList());
    QVERIFY(!child.process().waitForStarted(5000));
    // The owner hears of it as a failure, not as silence.
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toBool(), false);
    QCOMPARE(ChildProcess::errorText(QProcess::Timedout), QStringLiteral("timed out"));
    QCOMPARE(ChildProcess::errorText(QProcess::WriteError), QStringLiteral("write error"));
    QCOMPARE(ChildProcess::errorText(QProcess::UnknownError), QStringLiteral("unknown error"));
}

void ChildProcessTest::runAndReadLinesKeepsEmptyLines()
{
    const QStringList script{QStringLiteral("-c"),
                             QStringLiteral("printf 'a\\n\\nb\\n'; echo err >&2")};
    QCOMPARE(ChildProcess::runAndReadLines(QStringLiteral("/bin/sh"), script, true),
             QStringList({QStringLiteral("a"), QString(), QStringLiteral("b"), QString()}));
    QCOMPARE(ChildProcess::runAndReadLines(QStringLiteral("/bin/sh"), script, false),
             QStringList());
    // A tool that cannot start is said to be so, and gives nothing to read.
    QTest::ignoreMessage(QtWarningMsg, "ChildProcess: Cannot start '/nonexistent/tool'");
    QCOMPARE(ChildProcess::runAndReadLines(QStringLiteral("/nonexistent/tool"), {}, true),
             QStringList());
}
