#include "servicecontrollertest.h"

#include "fakes/fakeservice.h"
#include "platform/linux/socketdiag.h"
#include "platform/platform.h"
#include "platform/sockettable.h"
#include "service/localpeertrust.h"
#include "service/servicecontroller.h"
#include "service/serviceprocess.h"
#include "support/foreignpeer.h"
#include "support/logcapture.h"
#include "support/residentmemory.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

namespace {

// Longer than the link's 3000 ms period and status time-out.
const int oneInterval = 3500;
const qint64 memoryBoundKib = 32 * 1024;

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
    // The stalled attempt was given up and a new one made.
    QTRY_VERIFY_WITH_TIMEOUT(service.stalledConnections() >= 2, 2 * oneInterval);
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

void ServiceControllerTest::peerOwnerDecision_data()
{
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("system");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("root") << "0"
                          << "1000"
                          << "0" << true;
    QTest::newRow("own user") << "1000"
                              << "1000"
                              << "0" << true;
    QTest::newRow("another user") << "65534"
                                  << "1000"
                                  << "0" << false;
    QTest::newRow("unknown") << ""
                             << "1000"
                             << "0" << false;
    QTest::newRow("unknown, own user unknown too") << ""
                                                   << ""
                                                   << "0" << false;
    QTest::newRow("SYSTEM") << "S-1-5-18"
                            << "S-1-5-21-1-2-3-1001"
                            << "S-1-5-18" << true;
    QTest::newRow("another Windows user") << "S-1-5-21-1-2-3-1002"
                                          << "S-1-5-21-1-2-3-1001"
                                          << "S-1-5-18" << false;
}

void ServiceControllerTest::peerOwnerDecision()
{
    QFETCH(QString, owner);
    QFETCH(QString, own);
    QFETCH(QString, system);
    QFETCH(bool, accepted);
    QCOMPARE(LocalPeerTrust::decide(owner, own, system) == LocalPeerTrust::Accept, accepted);
}

void ServiceControllerTest::socketTableRows()
{
    // 61973 = F215, 40000.. = 9C40..; 127.0.0.x and 192.168.1.x as a little-endian machine
    // prints them.
    const auto row = [](const char* local, const char* remote, const char* state, int uid,
                        int inode) {
        return QByteArray("   0: ") + local + ' ' + remote + ' ' + state +
               " 00000000:00000000 00:00000000 00000000 " + QByteArray::number(uid) + " 0 " +
               QByteArray::number(inode) + " 1 0000000000000000 20 4 30 10 -1\n";
    };
    const QByteArray tcp =
        "  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  "
        "timeout inode\n" +
        row("0100007F:F215", "00000000:0000", "0A", 0, 1000) +
        // Our own accepted end, and a member's peer.
        row("0100007F:F215", "0100007F:9C40", "01", 0, 1001) +
        row("0100007F:9C40", "0100007F:F215", "01", 1000, 1002) +
        // Another user borrowed the member's port from 127.0.0.2 and half-closed.
        row("0200007F:9C40", "0100007F:F215", "05", 65534, 1009) +
        // Closed: the leftover claims root and has no inode.
        row("0100007F:9C41", "0100007F:F215", "01", 0, 0) +
        row("0100007F:9C45", "0100007F:F215", "05", 1000, 1005) +
        row("0201A8C0:9C43", "0501A8C0:F215", "01", 1000, 1006) +
        row("0100007F:9C44", "0100007F:F215", "01", 1000, 1007) +
        row("0100007F:9C44", "0100007F:F215", "01", 65534, 1008) + "   9: garbage\n";
    const QByteArray tcp6 =
        "  sl  local_address                         remote_address                        st "
        "tx_queue rx_queue tr tm->when retrnsmt   uid  timeout inode\n"
        "   0: 0000000000000000FFFF00000100007F:9C42 0000000000000000FFFF00000100007F:F215 01 "
        "00000000:00000000 00:00000000 00000000  1000        0 1003 1 0000000000000000 20 4 30 "
        "10 -1\n"
        "   1: 00000000000000000000000001000000:F215 00000000000000000000000000000000:0000 0A "
        "00000000:00000000 00:00000000 00000000     0        0 1004 1 0000000000000000 100 0 0 "
        "10 0\n";
    const QVector<SocketTable::Row> rows = SocketTable::parse(tcp + tcp6);
    QCOMPARE(rows.size(), 11);
    QCOMPARE(rows.first().localAddress, QHostAddress(QStringLiteral("127.0.0.1")));
    QCOMPARE(rows.first().localPort, quint16(61973));

    const QHostAddress loopback(QStringLiteral("127.0.0.1"));
    const auto peerOwner = [&rows, &loopback](const char* peer, quint16 port) {
        return SocketTable::peerOwner(rows, loopback, 61973, QHostAddress(QLatin1String(peer)),
                                      port);
    };
    QCOMPARE(peerOwner("127.0.0.1", 40000), qint64(1000));
    QCOMPARE(peerOwner("127.0.0.2", 40000), qint64(65534)); // the same port, another address
    QCOMPARE(peerOwner("::ffff:127.0.0.2", 40000), qint64(65534));
    QCOMPARE(peerOwner("127.0.0.1", 40001), qint64(-1));   // only a closed leftover
    QCOMPARE(peerOwner("127.0.0.1", 40005), qint64(1000)); // half-closed still tells
    QCOMPARE(peerOwner("127.0.0.1", 40003), qint64(-1));   // that one talks to 192.168.1.5
    QCOMPARE(peerOwner("127.0.0.1", 40004), qint64(-1));   // two rows: no answer
    QCOMPARE(peerOwner("127.0.0.1", 40002), qint64(1000)); // an IPv4-mapped row
    QCOMPARE(peerOwner("127.0.0.1", 40009), qint64(-1));
    QCOMPARE(SocketTable::peerOwner(rows, QHostAddress(QStringLiteral("192.168.1.5")), 61973,
                                    QHostAddress(QStringLiteral("192.168.1.2")), 40003),
             qint64(1000));
    // Our own end is no peer of itself.
    QCOMPARE(SocketTable::peerOwner(rows, loopback, 40000, loopback, 61973), qint64(0));
    QCOMPARE(SocketTable::listeningInodes(rows, QHostAddress(QStringLiteral("127.0.0.1")), 61973),
             QSet<quint64>({1000}));
    QCOMPARE(SocketTable::listeningInodes(rows, QHostAddress(QStringLiteral("::1")), 61973),
             QSet<quint64>({1004}));
    QCOMPARE(SocketTable::listeningOwner(rows, QHostAddress(QStringLiteral("127.0.0.1")), 61973),
             qint64(0));
    QCOMPARE(SocketTable::listeningOwner(rows, QHostAddress(QStringLiteral("127.0.0.1")), 61974),
             qint64(-1));
    QCOMPARE(SocketTable::socketInode("socket:[1002]"), quint64(1002));
    QCOMPARE(SocketTable::socketInode("pipe:[1002]"), quint64(0));
    QCOMPARE(SocketTable::socketInode("/dev/null"), quint64(0));

    // The same rules on this machine's own tables.
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, server.serverPort());
    QVERIFY(client.waitForConnected(5000));
    QVERIFY(server.waitForNewConnection(5000));
    QTcpSocket* accepted = server.nextPendingConnection();
    QVERIFY(accepted);
    // Each end finds the other; the kernel's exact lookup and the tables agree.
    QCOMPARE(Platform::peerSocketOwner(accepted->localAddress(), accepted->localPort(),
                                       accepted->peerAddress(), accepted->peerPort()),
             Platform::currentAccount());
    QCOMPARE(Platform::peerSocketOwner(client.localAddress(), client.localPort(),
                                       client.peerAddress(), client.peerPort()),
             Platform::currentAccount());
    bool asked = false;
    const QVector<SocketTable::Row> found = SocketDiag::lookup(
        {client.localAddress(), client.localPort(), client.peerAddress(), client.peerPort()},
        &asked);
    QVERIFY(asked);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first().remotePort, server.serverPort());
    QCOMPARE(found.first().uid, qint64(Platform::currentAccount().toLongLong()));
    QVERIFY(found.first().inode != 0);
    // The same port from another loopback address is another socket: there is none.
    QVERIFY(SocketDiag::lookup({QHostAddress(QStringLiteral("127.0.0.2")), client.localPort(),
                                client.peerAddress(), client.peerPort()},
                               &asked)
                .isEmpty());
    QVERIFY(asked);
    QCOMPARE(Platform::peerSocketOwner(accepted->localAddress(), accepted->localPort(),
                                       QHostAddress(QStringLiteral("127.0.0.2")),
                                       accepted->peerPort()),
             QString());
    QCOMPARE(Platform::loopbackListenerOwner(server.serverPort()), Platform::currentAccount());
    QVERIFY(Platform::processListensOn(QCoreApplication::applicationPid(),
                                       QStringLiteral("127.0.0.1"), server.serverPort()));
    QVERIFY(!Platform::processListensOn(QCoreApplication::applicationPid(),
                                        QStringLiteral("127.0.0.1"), client.localPort()));
}

void ServiceControllerTest::serviceOfAnotherUserIsRefused()
{
    if (!ForeignPeer::canRun())
        QSKIP("Acting as another user needs root and setpriv");
    const QString command = QStringLiteral("start: \"/opt/corvalink/killswitch\" \"on\"");
    LogCapture log;
    std::unique_ptr<ServiceController> controller;
    {
        ForeignPeer impostor;
        QVERIFY(impostor.start({QStringLiteral("service"), QString::number(FakeService::port)}));
        QVERIFY(impostor.waitForOutput("listening\n"));
        controller = std::make_unique<ServiceController>(true);
        QSignalSpy refused(controller.get(), &ServiceController::serviceRefused);
        QSignalSpy status(controller.get(), &ServiceController::initialConnectionStatusChanged);
        QSignalSpy connected(controller.get(), &ServiceController::connected);
        controller->send(command);
        QVERIFY(refused.wait(5000));
        QVERIFY(controller->isServiceRefused());
        QCOMPARE(status.count(), 1);
        QVERIFY(log.contains(QStringLiteral("ServiceController: Refused vpn-service: its socket "
                                            "belongs to ")));
        // Tried again like an absent service, and refused again.
        QVERIFY(refused.wait(oneInterval + 2000));
        QTest::qWait(300);
        QCOMPARE(impostor.output(), QByteArray("listening\n"));
        QCOMPARE(connected.count(), 0);
        QVERIFY(!controller->isConnected());
        QCOMPARE(controller->bufferedMessages(), QStringList{command});
    }

    FakeService service;
    QVERIFY(service.listen());
    QVERIFY(service.waitForFrames(2, 2 * oneInterval));
    QCOMPARE(service.frames(), QStringList({QStringLiteral("init: connection"), command}));
    QVERIFY(!controller->isServiceRefused());
}

void ServiceControllerTest::oversizedFrameClosesTheLink()
{
    QProcess flooder;
    flooder.start(qEnvironmentVariable("CORVALINK_FAKE_PEER"),
                  {QStringLiteral("service"), QString::number(FakeService::port),
                   QString::number(10 * 1024 * 1024)});
    QVERIFY(flooder.waitForReadyRead(5000));
    LogCapture log;
    const qint64 before = ResidentMemory::kib();
    QVERIFY(before > 0);
    ServiceController controller(true);
    QSignalSpy lost(&controller, &ServiceController::disconnected);
    QSignalSpy output(&controller, &ServiceController::processOutput);
    QVERIFY(lost.wait(10000));
    const qint64 grown = ResidentMemory::kib() - before;
    QVERIFY2(!ResidentMemory::boundsHold() || grown < memoryBoundKib,
             qPrintable(QStringLiteral("%1 KiB").arg(grown)));
    QCOMPARE(output.count(), 0);
    QVERIFY(log.contains(QStringLiteral("ServiceController: Connection lost")));
    QVERIFY(log.waitFor(QStringLiteral("ServiceController: Reopen connection"), 2 * oneInterval));
    controller.forceQuit();
    flooder.kill();
    flooder.waitForFinished(3000);
}

void ServiceControllerTest::heldCommandsAreBounded()
{
    LogCapture log;
    // Nothing listens on the service port yet.
    ServiceController controller(true);
    const qint64 before = ResidentMemory::kib();
    QVERIFY(before > 0);
    ServiceProcess oldest(QStringLiteral("openvpn"));
    QSignalSpy oldestError(&oldest, &ServiceProcess::error);
    oldest.start({QStringLiteral("/opt/corvalink/openvpn")});
    QCOMPARE(oldest.state(), int(ServiceProcess::Starting));
    for (int i = 1; i <= 9998; ++i)
        controller.send(QStringLiteral("stop: <tool%1>").arg(i));
    auto* removed = new ServiceProcess(QStringLiteral("wireguard-service"));
    removed->start({QStringLiteral("/opt/corvalink/wireguard-service")});
    delete removed;

    QCOMPARE(controller.bufferedMessages().size(), ServiceController::maxHeldCommands);
    QCOMPARE(controller.bufferedMessages().first(), QStringLiteral("stop: <tool9744>"));
    QCOMPARE(oldest.state(), int(ServiceProcess::NotRunning));
    QCOMPARE(oldestError.count(), 1);
    QCOMPARE(oldestError.first().first().toInt(), -1);
    QVERIFY(log.contains(
        QStringLiteral("ServiceController: Too many held commands, dropped: start: openvpn")));
    const qint64 grown = ResidentMemory::kib() - before;
    QVERIFY2(!ResidentMemory::boundsHold() || grown < memoryBoundKib,
             qPrintable(QStringLiteral("%1 KiB").arg(grown)));

    // The command of the handle that is gone is not sent.
    FakeService service;
    QVERIFY(service.listen());
    QVERIFY(service.waitForFrames(256, 2 * oneInterval));
    QTest::qWait(300);
    QCOMPARE(service.frames().size(), 256);
    QCOMPARE(service.frames().first(), QStringLiteral("init: connection"));
    QCOMPARE(service.frames().last(), QStringLiteral("stop: <tool9998>"));
    QVERIFY(log.contains(
        QStringLiteral("ServiceController: Dropped held command of a removed process: ")));
}
