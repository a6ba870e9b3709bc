#include "servicecontrollertest.h"

#include "fakes/fakeservice.h"
#include "service/servicecontroller.h"
#include "support/logcapture.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Longer than the link's 3000 ms period and status time-out.
const int oneInterval = 3500;

} // namespace

void ServiceControllerTest::heldCommandsFollowInitInOrder()
{
    FakeService service;
    LogCapture log;
    ServiceController controller(true);
    QSignalSpy status(&controller, &ServiceController::initialConnectionStatusChanged);
    controller.send(QStringLiteral("first"));
    controller.send(QStringLiteral("second"));
    controller.send(QStringLiteral("third"));
    QCOMPARE(controller.bufferedMessages().size(), 3);
    QVERIFY(status.wait()); // the refused first attempt

    QVERIFY(service.listen());
    QVERIFY(service.waitForFrames(4));
    QCOMPARE(service.frames(),
             QStringList({QStringLiteral("init: connection"), QStringLiteral("first"),
                          QStringLiteral("second"), QStringLiteral("third")}));
    QVERIFY(controller.bufferedMessages().isEmpty());
    QVERIFY(controller.isConnected());
    QCOMPARE(status.count(), 1);

    QVERIFY(log.contains(QStringLiteral("ServiceController: Socket error: 'Connection refused'")));
    QVERIFY(
        log.contains(QStringLiteral("ServiceController: Socket status: 'false', last error: '")));
    QVERIFY(log.contains(QStringLiteral("', data will be buffered: third")));
    QVERIFY(log.contains(QStringLiteral("ServiceController: Reopen connection")));
    QVERIFY(log.contains(QStringLiteral("ServiceController: Connected to vpn-service")));
    const QStringList lines = log.messages();
    const int init =
        lines.indexOf(QStringLiteral("ServiceController: Send data: [init: connection]"));
    const int first =
        lines.indexOf(QStringLiteral("ServiceController: Save data in buffer: first"));
    QVERIFY(init >= 0);
    QVERIFY(first > init);
    QCOMPARE(lines.at(first + 1), QStringLiteral("ServiceController: Send data: [first]"));

    service.notify(QStringLiteral("finished:7,  3,\tkillswitch"));
    QVERIFY(log.waitFor(
        QStringLiteral("ServiceController: Received data: [finished:7, 3, killswitch]")));
}

void ServiceControllerTest::reconnectionSendsNoSecondInitAndDeliversOnce()
{
    FakeService service;
    QVERIFY(service.listen());
    ServiceController controller(true);
    QSignalSpy lost(&controller, &ServiceController::disconnected);
    QSignalSpy links(&controller, &ServiceController::connected);
    QSignalSpy output(&controller, &ServiceController::processOutput);
    QVERIFY(service.waitForFrames(1));

    QTest::ignoreMessage(QtCriticalMsg, "ServiceController: Connection lost");
    service.dropLinks();
    QVERIFY(lost.wait());
    QVERIFY(!controller.isConnected());
    controller.send(QStringLiteral("while down"));

    QTRY_COMPARE_WITH_TIMEOUT(links.count(), 2, 2 * oneInterval);
    QVERIFY(service.waitForFrames(2));
    QCOMPARE(service.frames(),
             QStringList({QStringLiteral("init: connection"), QStringLiteral("while down")}));
    QCOMPARE(service.acceptedLinks(), 2);

    service.notify(QStringLiteral("finished:12,0,openvpn"));
    QVERIFY(output.wait());
    QTest::qWait(200);
    QCOMPARE(output.count(), 1);
    QCOMPARE(output.first().first().toString(), QStringLiteral("finished:12,0,openvpn"));
    QCOMPARE(lost.count(), 1);
}

void ServiceControllerTest::initialStatusOnFirstConnection()
{
    FakeService service;
    QVERIFY(service.listen());
    ServiceController controller(true);
    QSignalSpy status(&controller, &ServiceController::initialConnectionStatusChanged);
    QSignalSpy links(&controller, &ServiceController::connected);
    QVERIFY(status.wait(oneInterval));
    QCOMPARE(links.count(), 1);
    QTest::qWait(oneInterval);
    QCOMPARE(status.count(), 1);
}

void ServiceControllerTest::initialStatusOnFirstSocketError()
{
    FakeService service; // not listening: the connection is refused
    QElapsedTimer timer;
    timer.start();
    ServiceController controller(true);
    QSignalSpy status(&controller, &ServiceController::initialConnectionStatusChanged);
    QVERIFY(status.wait(oneInterval));
    QVERIFY(timer.elapsed() < 2500);
    // Neither the time-out nor the next failed attempts report again.
    QTest::qWait(oneInterval);
    QCOMPARE(status.count(), 1);
    QVERIFY(!controller.isConnected());
}

void ServiceControllerTest::initialStatusAfterTimeout()
{
    FakeService service;
    QVERIFY(service.listenSilently());
    QElapsedTimer timer;
    timer.start();
    ServiceController controller(true);
    QSignalSpy status(&controller, &ServiceController::initialConnectionStatusChanged);
    QSignalSpy links(&controller, &ServiceController::connected);
    QVERIFY(status.wait(2 * oneInterval));
    QVERIFY2(timer.elapsed() >= 2500, qPrintable(QString::number(timer.elapsed())));
    QTest::qWait(oneInterval);
    // The stalled attempt was given up and a new one made.
    QVERIFY(service.stalledConnections() >= 2);
    QCOMPARE(status.count(), 1);
    QCOMPARE(links.count(), 0);
}

void ServiceControllerTest::emptyCommandIsRefusedAndNotHeld()
{
    FakeService service;
    ServiceController controller(true);
    QTest::ignoreMessage(QtInfoMsg, "ServiceController: Invalid command");
    controller.send(QString());
    QVERIFY(controller.bufferedMessages().isEmpty());

    QVERIFY(service.listen());
    QVERIFY(service.waitForFrames(1));
    QTest::ignoreMessage(QtInfoMsg, "ServiceController: Invalid command");
    controller.send(QString());
    controller.send(QStringLiteral("after"));
    QVERIFY(service.waitForFrames(2));
    QCOMPARE(service.frames(),
             QStringList({QStringLiteral("init: connection"), QStringLiteral("after")}));
}

void ServiceControllerTest::terminatorIsDroppedAndSingleCharacterFrameIgnored()
{
    FakeService service;
    QVERIFY(service.listen());
    ServiceController controller(true);
    QSignalSpy output(&controller, &ServiceController::processOutput);
    QVERIFY(service.waitForFrames(1));

    service.sendFrame(QStringLiteral("\n"));
    service.notify(QStringLiteral("finished:7,3,killswitch"), QLatin1Char('\0'));
    service.notify(QStringLiteral("some other text  with  blanks"));
    QTRY_COMPARE(output.count(), 2);
    QCOMPARE(output.at(0).first().toString(), QStringLiteral("finished:7,3,killswitch"));
    QCOMPARE(output.at(1).first().toString(), QStringLiteral("some other text  with  blanks"));
}

void ServiceControllerTest::forceQuitStopsReopeningAndReporting()
{
    FakeService service;
    ServiceController controller(true);
    QSignalSpy status(&controller, &ServiceController::initialConnectionStatusChanged);
    QSignalSpy links(&controller, &ServiceController::connected);
    QTest::ignoreMessage(QtInfoMsg, "ServiceController: Force quit");
    controller.forceQuit();
    QTest::qWait(500); // the attempt already under way is refused

    QVERIFY(service.listen());
    QTest::qWait(2 * oneInterval);
    QCOMPARE(status.count(), 0);
    QCOMPARE(links.count(), 0);
    QCOMPARE(service.acceptedLinks(), 0);

    // Still accepts commands, which only wait in the buffer.
    controller.send(QStringLiteral("held"));
    QCOMPARE(controller.bufferedMessages(), QStringList{QStringLiteral("held")});
}

void ServiceControllerTest::withoutAutoConnectNothingHappens()
{
    FakeService service;
    QVERIFY(service.listen());
    ServiceController controller(false);
    QSignalSpy status(&controller, &ServiceController::initialConnectionStatusChanged);
    QSignalSpy links(&controller, &ServiceController::connected);
    QSignalSpy output(&controller, &ServiceController::processOutput);
    controller.send(QStringLiteral("ignored"));
    controller.sendInitConnection();
    controller.forceQuit();
    QVERIFY(controller.bufferedMessages().isEmpty());
    QTest::qWait(oneInterval);
    QCOMPARE(service.acceptedLinks(), 0);
    QCOMPARE(status.count() + links.count() + output.count(), 0);
    QCOMPARE(ServiceController::instance(), &controller);
}

void ServiceControllerTest::startCommandsAreShortenedInTheLogOnly()
{
    const QString command = QStringLiteral(
        "start: \"/opt/corvalink/openvpn/bin/openvpn\" \"--config\" \"/tmp/corvalink-x.ovpn\"");
    QCOMPARE(ServiceController::logText(command),
             QStringLiteral("start: openvpn --config corvalink-x.ovpn"));
    QCOMPARE(ServiceController::logText(QStringLiteral("stop: <openvpn>")),
             QStringLiteral("stop: <openvpn>"));

    FakeService service;
    QVERIFY(service.listen());
    ServiceController controller(true);
    QVERIFY(service.waitForFrames(1));
    QTest::ignoreMessage(
        QtInfoMsg, "ServiceController: Send data: [start: openvpn --config corvalink-x.ovpn]");
    controller.send(command);
    QVERIFY(service.waitForFrames(2));
    QCOMPARE(service.frames().last(), command);

    QTest::ignoreMessage(QtInfoMsg, "ServiceController: Send data: [init: connection]");
    controller.sendInitConnection();
    QVERIFY(service.waitForFrames(3));
    QCOMPARE(service.frames().last(), QStringLiteral("init: connection"));
}
