#include "realopenvpntest.h"

#include "clients/openvpnclient.h"
#include "fakes/fakeservice.h"
#include "support/logcapture.h"
#include "support/tunnellab.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

void RealOpenVpnTest::initTestCase()
{
    ConnectionState::registerTypes();
    m_service = new FakeService;
    QVERIFY(m_service->listenWithController(true));
}

void RealOpenVpnTest::cleanupTestCase()
{
    delete m_service;
}

void RealOpenVpnTest::realOpenVpnTalksToOurManagement_data()
{
    QTest::addColumn<int>("protocol");
    QTest::newRow("udp") << 0;
    QTest::newRow("tcp") << 1;
    QTest::newRow("stealth") << 2;
}

void RealOpenVpnTest::realOpenVpnTalksToOurManagement()
{
    QFETCH(int, protocol);
    const QString openvpn =
        QStandardPaths::findExecutable(QStringLiteral("openvpn"), {QStringLiteral("/usr/sbin")});
    const QString stunnel = QStandardPaths::findExecutable(QStringLiteral("stunnel"));
    QVERIFY2(!openvpn.isEmpty() && !stunnel.isEmpty(), "openvpn and stunnel4 must be installed");
    TunnelLab lab;
    QVERIFY(lab.linkOpenVpn(openvpn));
    QVERIFY(lab.linkStunnel(stunnel));
    QVERIFY(lab.linkNetworkTool(QStringLiteral("/bin/true")));

    OpenVpnClient client;
    QSignalSpy states(&client, &VpnClient::connectionStateChanged);
    ConnectionParameters p;
    p.username = QStringLiteral("alice");
    p.password = QStringLiteral("secret");
    p.server = QStringLiteral("127.0.0.1");
    p.protocol = protocol;
    p.port = 1194;
    client.setConnectionParameters(p);

    LogCapture log;
    QVERIFY(client.connectToServer());
    // Options parsed, management reached, and our answers understood.
    QVERIFY2(
        log.waitFor(
            QStringLiteral("OpenVpnClient: Management: >INFO:OpenVPN Management Interface Version"),
            20000),
        qPrintable(log.messages().join(QLatin1Char('\n'))));
    QVERIFY(log.waitFor(QStringLiteral("OpenVpnClient: Management: Sent username: alice")));
    QVERIFY(log.waitFor(QStringLiteral("OpenVpnClient: Management: Sent password: ***")));
    QVERIFY2(
        log.waitFor(QStringLiteral("OpenVpnClient: Management: SUCCESS: 'Auth' password entered")),
        qPrintable(log.messages().join(QLatin1Char('\n'))));
    QVERIFY(log.waitFor(QStringLiteral(
        "OpenVpnClient: Management: SUCCESS: real-time state notification set to ON")));
    // An option error would have ended it before it reached the management channel.
    QCOMPARE(m_service->runningPrograms(QStringLiteral("openvpn")), 1);

    client.disconnectFromServer();
    QVERIFY(log.waitFor(QStringLiteral("OpenVpnClient: Send TERM signal, status: true")));
    QTRY_VERIFY_WITH_TIMEOUT(client.connectionState() == ConnectionState::Disconnected, 15000);
    QTRY_COMPARE_WITH_TIMEOUT(m_service->runningPrograms(QStringLiteral("openvpn")), 0, 10000);
}
