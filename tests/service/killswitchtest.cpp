#include "killswitchtest.h"

#include "fakes/fakeservice.h"
#include "service/killswitch.h"
#include "utils/utils.h"

#include <QSignalSpy>
#include <QtTest>

void KillSwitchTest::initTestCase()
{
    m_service = new FakeService;
    QVERIFY(m_service->listenWithController());
}

void KillSwitchTest::cleanupTestCase()
{
    delete m_service;
}

void KillSwitchTest::enableThenDisableOnTheWire()
{
    Utils::setApplicationDirectoryForTesting(QStringLiteral("/opt/corvalink"));
    KillSwitch killSwitch;
    m_service->clearFrames();
    // An address that is no server address never reaches the root-run tool.
    QTest::ignoreMessage(QtCriticalMsg, "KillSwitch: Protection not activated: the VPN public IP "
                                        "is not a server address");
    killSwitch.enable(QStringLiteral("10.8.0.2"), QStringLiteral("203.0.113.7\nup /bin/sh"), false);
    QVERIFY(!killSwitch.isEnabled());
    QTest::ignoreMessage(
        QtInfoMsg, "KillSwitch: Activate protection, VPN internal IP '10.8.0.2', VPN public IP: "
                   "'203.0.113.7', allow local devices: 'false'");
    killSwitch.enable(QStringLiteral("10.8.0.2"), QStringLiteral("203.0.113.7"), false);
    QTest::ignoreMessage(QtInfoMsg, "KillSwitch: Disable protection");
    killSwitch.disable();
    killSwitch.enable(QStringLiteral("10.8.0.2"), QStringLiteral("203.0.113.7"), true);
    Utils::setApplicationDirectoryForTesting(QString());
    QVERIFY(m_service->waitForFrames(3));
    const QString tool =
        QStringLiteral("/opt/corvalink/killswitch") + Utils::executableName(QString());
    QCOMPARE(m_service->frames(),
             QStringList(
                 {QStringLiteral("start: \"%1\" \"enable\" \"all\" \"203.0.113.7\" \"\"").arg(tool),
                  QStringLiteral("start: \"%1\" \"disable\" \"all\"").arg(tool),
                  QStringLiteral("start: \"%1\" \"enable\" \"all\" \"203.0.113.7\" \"local\"")
                      .arg(tool)}));
}

void KillSwitchTest::exitCodeZeroIsSuccess()
{
    KillSwitch killSwitch;
    QSignalSpy finished(&killSwitch, &KillSwitch::killSwitchFinished);
    killSwitch.disable();
    QTest::ignoreMessage(QtInfoMsg, "KillSwitch: Process finished with code: 0");
    m_service->notify(QStringLiteral("started:1,0,killswitch"));
    m_service->notify(QStringLiteral("finished:1,0,killswitch"));
    QVERIFY(finished.wait());
    QCOMPARE(finished.last().first().toBool(), true);
    killSwitch.disable();
    QTest::ignoreMessage(QtInfoMsg, "KillSwitch: Process finished with code: 1");
    m_service->notify(QStringLiteral("started:2,0,killswitch"));
    m_service->notify(QStringLiteral("finished:2,1,killswitch"));
    QVERIFY(finished.wait());
    QCOMPARE(finished.last().first().toBool(), false);
}

void KillSwitchTest::enabledFollowsTheLastCommand()
{
    KillSwitch killSwitch;
    QVERIFY(!killSwitch.isEnabled());
    killSwitch.enable(QStringLiteral("10.8.0.2"), QStringLiteral("203.0.113.7"), true);
    QVERIFY(killSwitch.isEnabled());
    // A failed run does not change what was asked for.
    QSignalSpy finished(&killSwitch, &KillSwitch::killSwitchFinished);
    m_service->notify(QStringLiteral("started:1,0,killswitch"));
    m_service->notify(QStringLiteral("finished:1,3,killswitch"));
    QVERIFY(finished.wait());
    QVERIFY(killSwitch.isEnabled());
    killSwitch.disable();
    QVERIFY(!killSwitch.isEnabled());
}
