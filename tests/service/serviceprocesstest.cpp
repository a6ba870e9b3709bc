#include "serviceprocesstest.h"

#include "fakes/fakeservice.h"
#include "service/servicecontroller.h"
#include "service/serviceprocess.h"

#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(ServiceProcess::Notification::Kind)

void ServiceProcessTest::initTestCase()
{
    m_service = new FakeService;
    QVERIFY(m_service->listenWithController());
}

void ServiceProcessTest::cleanupTestCase()
{
    delete m_service;
}

void ServiceProcessTest::startQuotesEveryElement()
{
    ServiceProcess process(QStringLiteral("openvpn"));
    QCOMPARE(process.objectName(), QStringLiteral("openvpn"));
    QCOMPARE(process.state(), 0);
    m_service->clearFrames();
    process.start({QStringLiteral("/opt/Corvalink VPN/openvpn"), QStringLiteral("--config"),
                   QString(), QStringLiteral("a b")});
    QCOMPARE(process.state(), 1);
    QVERIFY(m_service->waitForFrames(1));
    QCOMPARE(m_service->frames().first(),
             QStringLiteral("start: \"/opt/Corvalink VPN/openvpn\" \"--config\" \"\" \"a b\""));
}

void ServiceProcessTest::commandBreakingElementsAreRefused()
{
    // A quote would end the element early; a line break or NUL would end the command line.
    ServiceProcess process(QStringLiteral("killswitch"));
    QSignalSpy error(&process, &ServiceProcess::error);
    m_service->clearFrames();
    for (const QString& element :
         {QStringLiteral("1.2.3.4\" \"local"), QStringLiteral("1.2.3.4\nstart: \"/bin/sh\""),
          QStringLiteral("1.2.3.4\r"), QStringLiteral("1.2.3.4") + QChar(0)}) {
        QTest::ignoreMessage(QtCriticalMsg, "killswitch: Command refused: an element holds a "
                                            "quote, a line break or a NUL");
        process.start({QStringLiteral("killswitch"), QStringLiteral("enable"), element});
        QCOMPARE(process.state(), 0);
    }
    QCOMPARE(error.count(), 4);
    QCOMPARE(error.first().first().toInt(), -1);
    process.start({QStringLiteral("killswitch"), QStringLiteral("disable")});
    QVERIFY(m_service->waitForFrames(1));
    QCOMPARE(m_service->frames(),
             QStringList({QStringLiteral("start: \"killswitch\" \"disable\"")}));
}

void ServiceProcessTest::parsesNotifications_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<ServiceProcess::Notification::Kind>("kind");
    QTest::addColumn<quint64>("id");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    using N = ServiceProcess::Notification;
    QTest::newRow("started") << "started:4711,0,openvpn" << N::Started << quint64(4711) << 0
                             << "openvpn";
    QTest::newRow("started with error") << "started:0,1053,wireguard-service" << N::Started
                                        << quint64(0) << 1053 << "wireguard-service";
    QTest::newRow("finished") << "finished:4711,3,killswitch" << N::Finished << quint64(4711) << 3
                              << "killswitch";
    QTest::newRow("one field") << "started:openvpn" << N::Started << quint64(0) << 0 << "openvpn";
    // With two fields the second is both the code and the name: no number, so a failure.
    QTest::newRow("two fields: no id")
        << "finished:7,openvpn" << N::Finished << quint64(0) << -1 << "openvpn";
    QTest::newRow("empty code") << "finished:1,,dns" << N::Finished << quint64(1) << 0 << "dns";
    QTest::newRow("code not a number")
        << "finished:1,x,dns" << N::Finished << quint64(1) << -1 << "dns";
    QTest::newRow("code with trailing text")
        << "finished:1,0x,dns" << N::Finished << quint64(1) << -1 << "dns";
    QTest::newRow("code past the int range")
        << "started:1,2147483648,dns" << N::Started << quint64(1) << -1 << "dns";
    QTest::newRow("negative code")
        << "finished:1,-3,dns" << N::Finished << quint64(1) << -1 << "dns";
    QTest::newRow("largest code") << "finished:1,2147483647,dns" << N::Finished << quint64(1)
                                  << 2147483647 << "dns";
    QTest::newRow("id not a number")
        << "finished:x,2,dns" << N::Finished << quint64(0) << 2 << "dns";
    QTest::newRow("last field is the name")
        << "finished:1,2,extra,network-tool" << N::Finished << quint64(1) << 2 << "network-tool";
    QTest::newRow("started with its request")
        << "started:4711,0,3,openvpn" << N::Started << quint64(4711) << 0 << "openvpn";
    QTest::newRow("other text") << "hello" << N::None << quint64(0) << 0 << "";
    QTest::newRow("prefix case differs")
        << "Started:1,0,openvpn" << N::None << quint64(0) << 0 << "";
    QTest::newRow("prefix repeated")
        << "started:1,0,started:openvpn" << N::Started << quint64(1) << 0 << "openvpn";
}

void ServiceProcessTest::parsesNotifications()
{
    QFETCH(QString, text);
    QFETCH(ServiceProcess::Notification::Kind, kind);
    QFETCH(quint64, id);
    QFETCH(int, code);
    QFETCH(QString, name);
    const ServiceProcess::Notification notification = ServiceProcess::parseNotification(text);
    QCOMPARE(notification.kind, kind);
    if (kind == ServiceProcess::Notification::None)
        return;
    QCOMPARE(notification.id, id);
    QCOMPARE(notification.code, code);
    QCOMPARE(notification.name, name);
}

void ServiceProcessTest::startedWithCodeZeroRuns()
{
    ServiceProcess process(QStringLiteral("network-tool"));
    QSignalSpy started(&process, &ServiceProcess::started);
    process.start({QStringLiteral("network-tool")});
    m_service->notify(QStringLiteral("started:99,0,network-tool"));
    QVERIFY(started.wait());
    QCOMPARE(process.state(), 2);
}

void ServiceProcessTest::startedWithErrorCodeGivesErrorAndStateZero()
{
    ServiceProcess process(QStringLiteral("killswitch"));
    QSignalSpy error(&process, &ServiceProcess::error);
    QSignalSpy started(&process, &ServiceProcess::started);
    process.start({QStringLiteral("killswitch"), QStringLiteral("--enable")});
    m_service->notify(QStringLiteral("started:0,2,killswitch"));
    QVERIFY(error.wait());
    QCOMPARE(error.first().first().toInt(), 2);
    QCOMPARE(process.state(), 0);
    QCOMPARE(started.count(), 0);
}

void ServiceProcessTest::endReportCountsOnlyForOwnRunsUnlessItHasNoId()
{
    ServiceProcess idle(QStringLiteral("dns"));
    ServiceProcess running(QStringLiteral("dns"));
    QSignalSpy idleFinished(&idle, &ServiceProcess::finished);
    QSignalSpy runningFinished(&running, &ServiceProcess::finished);
    running.start({QStringLiteral("dns"), QStringLiteral("vpn")});
    m_service->notify(QStringLiteral("started:5,0,dns"));
    QTRY_COMPARE(running.state(), 2);
    QCOMPARE(idle.state(), 0);

    // An earlier run's end, then the own one: only the own one counts.
    m_service->notify(QStringLiteral("finished:4,1,dns"));
    m_service->notify(QStringLiteral("finished:5,,dns"));
    QVERIFY(runningFinished.wait());
    QCOMPARE(runningFinished.count(), 1);
    QCOMPARE(runningFinished.first().first().toInt(), 0);
    QCOMPARE(running.state(), 0);
    QCOMPARE(idleFinished.count(), 0);

    // Without an id the name alone decides, in any state.
    m_service->notify(QStringLiteral("finished:dns"));
    QTRY_COMPARE(idleFinished.count(), 1);
    QCOMPARE(runningFinished.count(), 2);
    QCOMPARE(idle.state(), 0);
}

void ServiceProcessTest::runsInFlightAreTiedToTheirHandle()
{
    // A reused handle may have two runs at once; a newer handle's run is not its own.
    ServiceProcess reused(QStringLiteral("killswitch"));
    QSignalSpy finished(&reused, &ServiceProcess::finished);
    reused.start({QStringLiteral("killswitch"), QStringLiteral("enable")});
    reused.start({QStringLiteral("killswitch"), QStringLiteral("disable")});
    QSignalSpy delivered(m_service->controller(), &ServiceController::processOutput);
    m_service->notify(QStringLiteral("started:21,0,killswitch"));
    m_service->notify(QStringLiteral("started:22,0,killswitch"));
    QTRY_COMPARE(delivered.count(), 2);
    ServiceProcess newer(QStringLiteral("killswitch"));
    newer.start({QStringLiteral("killswitch"), QStringLiteral("enable")});
    m_service->notify(QStringLiteral("finished:22,0,killswitch"));
    QVERIFY(finished.wait());
    QCOMPARE(reused.state(), 2);
    m_service->notify(QStringLiteral("started:23,0,killswitch"));
    m_service->notify(QStringLiteral("finished:21,3,killswitch"));
    QTRY_COMPARE(finished.count(), 2);
    QCOMPARE(finished.last().first().toInt(), 3);
    QCOMPARE(reused.state(), 0);
    QCOMPARE(newer.state(), 2);
}

void ServiceProcessTest::startAnswersReachOnlyTheHandleThatAsked()
{
    // Two handles of one name wait for their starts, and a start that nobody owns (a tunnel's
    // removal sent by a client on its way out) is in flight before them. The answers come in
    // another order than the requests, the ownerless one first.
    const QString name = QStringLiteral("wireguard-service");
    ServiceProcess first(name);
    ServiceProcess second(name);
    QSignalSpy firstStarted(&first, &ServiceProcess::started);
    QSignalSpy firstError(&first, &ServiceProcess::error);
    QSignalSpy secondStarted(&second, &ServiceProcess::started);
    QSignalSpy secondError(&second, &ServiceProcess::error);
    m_service->clearFrames();
    m_service->controller()->send(
        ServiceProcess::startMessage({name, QStringLiteral("--remove"), QStringLiteral("a")}));
    first.start({name, QStringLiteral("--add"), QStringLiteral("b")});
    second.start({name, QStringLiteral("--add"), QStringLiteral("c")});
    QVERIFY(m_service->waitForFrames(3));
    const quint64 last = m_service->lastRequest();
    QSignalSpy delivered(m_service->controller(), &ServiceController::processOutput);
    m_service->notify(QStringLiteral("started:30,0,%1,%2").arg(last - 2).arg(name));
    m_service->notify(QStringLiteral("started:32,0,%1,%2").arg(last).arg(name));
    m_service->notify(QStringLiteral("started:0,126,%1,%2").arg(last - 1).arg(name));
    QTRY_COMPARE(delivered.count(), 3);
    QCOMPARE(firstStarted.count(), 0);
    QCOMPARE(firstError.count(), 1);
    QCOMPARE(firstError.first().first().toInt(), 126);
    QCOMPARE(first.state(), 0);
    QCOMPARE(secondStarted.count(), 1);
    QCOMPARE(secondError.count(), 0);
    QCOMPARE(second.state(), 2);

    // The ownerless run's end belongs to neither; the second handle's own end does.
    QSignalSpy secondFinished(&second, &ServiceProcess::finished);
    m_service->notify(QStringLiteral("finished:30,0,%1").arg(name));
    m_service->notify(QStringLiteral("finished:32,4,%1").arg(name));
    QVERIFY(secondFinished.wait());
    QCOMPARE(secondFinished.count(), 1);
    QCOMPARE(secondFinished.first().first().toInt(), 4);
}

void ServiceProcessTest::namesDifferingOnlyInCaseAreIgnored()
{
    ServiceProcess process(QStringLiteral("openvpn"));
    QSignalSpy started(&process, &ServiceProcess::started);
    QSignalSpy finished(&process, &ServiceProcess::finished);
    QSignalSpy error(&process, &ServiceProcess::error);
    process.start({QStringLiteral("openvpn")});
    m_service->notify(QStringLiteral("started:1,0,OpenVPN"));
    m_service->notify(QStringLiteral("finished:1,0,openvpn2"));
    m_service->notify(QStringLiteral("started:1,7,openvpn "));
    m_service->notify(QStringLiteral("started:1,0,openvpn"));
    QVERIFY(started.wait());
    QCOMPARE(started.count(), 1);
    QCOMPARE(finished.count() + error.count(), 0);
    QCOMPARE(process.state(), 2);
}
