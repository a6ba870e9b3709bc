#include "vpnprocesstest.h"

#include "clients/vpnprocess.h"
#include "fakes/fakeservice.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

void deliver(VpnProcess& process, const QString& name, const QString& output)
{
    QVERIFY(QMetaObject::invokeMethod(&process, "onProcessOutput", Q_ARG(QString, name),
                                      Q_ARG(QString, output)));
}

} // namespace

void VpnProcessTest::initTestCase()
{
    m_service = new FakeService;
    QVERIFY(m_service->listenWithController());
}

void VpnProcessTest::cleanupTestCase()
{
    delete m_service;
}

void VpnProcessTest::stopAndKillSendTheirCommands()
{
    VpnProcess process(QStringLiteral("openvpn"));
    m_service->clearFrames();
    process.start({QStringLiteral("/opt/corvalink/openvpn/bin/openvpn")});
    QVERIFY(m_service->waitForFrames(1));
    m_service->clearFrames();
    process.stop();
    process.kill();
    process.sendCommand(QStringLiteral("ignored text"));
    QVERIFY(m_service->waitForFrames(3));
    QCOMPARE(m_service->frames(), QStringList({QStringLiteral("stop: <openvpn>"),
                                               QStringLiteral("start: <kill openvpn>"),
                                               QStringLiteral("stop: <openvpn>")}));
    QCOMPARE(process.state(), 1);
}

void VpnProcessTest::allKilledOnlyForOwnKillNotification()
{
    VpnProcess process(QStringLiteral("wireguard-service"));
    QSignalSpy killed(&process, &VpnProcess::allKilled);
    deliver(process, QStringLiteral("<kill openvpn>"), QStringLiteral("finished:1,0,openvpn"));
    deliver(process, QStringLiteral("wireguard-service"),
            QStringLiteral("finished:1,0,wireguard-service"));
    deliver(process, QStringLiteral("<kill wireguard-service>"),
            QStringLiteral("started:1,0,wireguard-service"));
    QCOMPARE(killed.count(), 0);
    deliver(process, QStringLiteral("<kill wireguard-service>"),
            QStringLiteral("finished:1,0,wireguard-service"));
    QCOMPARE(killed.count(), 1);

    // Notifications from the service never carry a kill name of their own.
    m_service->notify(QStringLiteral("finished:1,0,<kill wireguard-service>"));
    QTest::qWait(200);
    QCOMPARE(killed.count(), 1);
}

void VpnProcessTest::notificationsStillDriveTheState()
{
    VpnProcess process(QStringLiteral("openvpn"));
    QSignalSpy started(&process, &VpnProcess::started);
    QSignalSpy finished(&process, &VpnProcess::finished);
    process.start({QStringLiteral("openvpn")});
    m_service->notify(QStringLiteral("started:10,0,openvpn"));
    QVERIFY(started.wait());
    QCOMPARE(process.state(), 2);
    deliver(process, QStringLiteral("<kill openvpn>"), QStringLiteral("finished:10,1,openvpn"));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toInt(), 1);
    QCOMPARE(process.state(), 0);
}
