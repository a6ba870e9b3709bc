#include "portcheckertest.h"

#include "clients/portchecker.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

namespace {

quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

} // namespace

void PortCheckerTest::listsPortsInTheLog()
{
    PortChecker checker(QStringLiteral("127.0.0.1"), {443, 80}, 1);
    QCOMPARE(checker.portListText(), QStringLiteral("443, 80"));
    QCOMPARE(checker.objectName(), QStringLiteral("PortChecker"));
}

void PortCheckerTest::firstSuccessStopsTheRace()
{
    QTcpServer first;
    QTcpServer second;
    QVERIFY(first.listen(QHostAddress::LocalHost));
    QVERIFY(second.listen(QHostAddress::LocalHost));
    PortChecker checker(QStringLiteral("127.0.0.1"),
                        {first.serverPort(), closedPort(), second.serverPort()}, 2);
    QSignalSpy available(&checker, &PortChecker::portIsAvailable);
    QSignalSpy timeout(&checker, &PortChecker::timeout);
    QTest::ignoreMessage(
        QtInfoMsg,
        qPrintable(QStringLiteral("PortChecker: Checking: %1").arg(checker.portListText())));
    checker.check(true);
    QVERIFY(available.wait());
    QTest::qWait(2500);
    QCOMPARE(available.count(), 1);
    const quint16 port = available.first().first().value<quint16>();
    QVERIFY(port == first.serverPort() || port == second.serverPort());
    QCOMPARE(timeout.count(), 0);
    QCOMPARE(checker.pendingConnections(), 0);
}

void PortCheckerTest::everySuccessIsReportedWithoutStopping()
{
    QTcpServer first;
    QTcpServer second;
    QVERIFY(first.listen(QHostAddress::LocalHost));
    QVERIFY(second.listen(QHostAddress::LocalHost));
    PortChecker checker(QStringLiteral("127.0.0.1"), {first.serverPort(), second.serverPort()}, 1);
    QSignalSpy available(&checker, &PortChecker::portIsAvailable);
    QSignalSpy timeout(&checker, &PortChecker::timeout);
    checker.check(false);
    QTRY_COMPARE(available.count(), 2);
    QTest::qWait(1500);
    QCOMPARE(timeout.count(), 0);
}

void PortCheckerTest::noListenerEndsInTimeout()
{
    PortChecker checker(QStringLiteral("127.0.0.1"), {closedPort(), closedPort()}, 1);
    QSignalSpy available(&checker, &PortChecker::portIsAvailable);
    QSignalSpy timeout(&checker, &PortChecker::timeout);
    QTest::ignoreMessage(QtInfoMsg, "PortChecker: Timeout");
    checker.check(true);
    QVERIFY(timeout.wait(3000));
    QCOMPARE(timeout.count(), 1);
    QCOMPARE(available.count(), 0);
}
