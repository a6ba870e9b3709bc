#include "serviceprocesstest.h"

#include "fakes/fakeservice.h"
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
                   QString(), QStringLiteral("a\"b")});
    QCOMPARE(process.state(), 1);
    QVERIFY(m_service->waitForFrames(1));
    QCOMPARE(m_service->frames().first(),
             QStringLiteral("start: \"/opt/Corvalink VPN/openvpn\" \"--config\" \"\" \"a\"b\""));
}

void ServiceProcessTest::parsesNotifications_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<ServiceProcess::Notification::Kind>("kind");
    QTest::addColumn<uint>("code");
    QTest::addColumn<QString>("name");
    using N = ServiceProcess::Notification;
    QTest::newRow("started") << "started:4711,0,openvpn" << N::Started << 0u << "openvpn";
    QTest::newRow("started with error")
        << "started:0,1053,wireguard-service" << N::Started << 1053u << "wireguard-service";
    QTest::newRow("finished") << "finished:4711,3,killswitch" << N::Finished << 3u << "killswitch";
    QTest::newRow("one field") << "started:openvpn" << N::Started << 0u << "openvpn";
    QTest::newRow("empty code") << "finished:1,,dns" << N::Finished << 0u << "dns";
    QTest::newRow("code not a number") << "finished:1,x,dns" << N::Finished << 0u << "dns";
    QTest::newRow("last field is the name")
        << "finished:1,2,extra,network-tool" << N::Finished << 2u << "network-tool";
    QTest::newRow("other text") << "hello" << N::None << 0u << "";
    QTest::newRow("prefix case differs") << "Started:1,0,openvpn" << N::None << 0u << "";
    QTest::newRow("prefix repeated")
        << "started:1,0,started:openvpn" << N::Started << 0u << "openvpn";
}

void ServiceProcessTest::parsesNotifications()
{
    QFETCH(QString, text);
    QFETCH(ServiceProcess::Notification::Kind, kind);
    QFETCH(uint, code);
    QFETCH(QString, name);
    const ServiceProcess::Notification notification = ServiceProcess::parseNotification(text);
    QCOMPARE(notification.kind, kind);
    if (kind == ServiceProcess::Notification::None)
        return;
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

void ServiceProcessTest::finishedResetsStateInAnyState()
{
    ServiceProcess idle(QStringLiteral("dns"));
    ServiceProcess running(QStringLiteral("dns"));
    QSignalSpy idleFinished(&idle, &ServiceProcess::finished);
    QSignalSpy runningFinished(&running, &ServiceProcess::finished);
    running.start({QStringLiteral("dns"), QStringLiteral("vpn")});
    m_service->notify(QStringLiteral("started:5,0,dns"));
    QTRY_COMPARE(running.state(), 2);

    m_service->notify(QStringLiteral("finished:5,,dns"));
    QVERIFY(runningFinished.wait());
    QCOMPARE(runningFinished.first().first().toInt(), 0);
    QCOMPARE(running.state(), 0);
    QCOMPARE(idleFinished.count(), 1);
    QCOMPARE(idle.state(), 0);
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
