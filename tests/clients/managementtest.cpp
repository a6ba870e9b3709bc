#include "managementtest.h"

#include "clients/openvpnclient.h"
#include "fakes/fakeservice.h"
#include "support/logcapture.h"
#include "support/tunnellab.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest>

namespace {

const QByteArray greeting =
    ">INFO:OpenVPN Management Interface Version 5 -- type 'help' for more info\r\n";
const QByteArray assignLine = ">STATE:1796688237,ASSIGN_IP,,10.8.0.2,,,,\r\n";
const QByteArray connectedLine =
    ">STATE:1796688237,CONNECTED,SUCCESS,10.8.0.2,10.99.0.1,1194,,\r\n";
const QByteArray pushLine =
    ">LOG:1796688237,,PUSH: Received control message: 'PUSH_REPLY,dhcp-option DNS 172.16.0.1,"
    "dhcp-option DNS fd00:dead:beef:cafe::1,route-gateway 10.8.0.1,topology subnet'\r\n";

} // namespace

void ManagementTest::initTestCase()
{
    ConnectionState::registerTypes();
    m_service = new FakeService;
    QVERIFY(m_service->listenWithController());
}

void ManagementTest::cleanupTestCase()
{
    delete m_service;
}

void ManagementTest::init()
{
    if (QByteArray(QTest::currentTestFunction()).startsWith("recognises") ||
        QByteArray(QTest::currentTestFunction()).startsWith("escapes") ||
        QByteArray(QTest::currentTestFunction()).startsWith("parses"))
        return;
    m_lab = std::make_unique<TunnelLab>();
    QVERIFY(m_lab->linkOpenVpn(TunnelLab::fakeOpenVpn()));
    m_client = new OpenVpnClient;
    ConnectionParameters p;
    p.username = QStringLiteral("alice");
    p.password = QStringLiteral("p\\\"w");
    p.server = QStringLiteral("127.0.0.1");
    p.port = 1194;
    p.autoReconnect = true;
    m_client->setConnectionParameters(p);
    QVERIFY(m_client->connectToServer());
    QCOMPARE(m_client->connectionState(), ConnectionState::Connecting);

    // The test plays OpenVPN: the service was asked to start it and nobody else will connect.
    LogCapture log(true);
    m_peer = new QTcpSocket;
    m_peer->connectToHost(QStringLiteral("127.0.0.1"), 61973);
    QVERIFY(m_peer->waitForConnected(5000));
    // The client has taken the peer and closed its listener.
    QVERIFY(log.waitFor(QStringLiteral("TcpServer: Created new connection")));
}

void ManagementTest::cleanup()
{
    delete m_peer;
    m_peer = nullptr;
    delete m_client;
    m_client = nullptr;
    m_lab.reset();
}

void ManagementTest::send(const QByteArray& lines)
{
    m_peer->write(lines);
    m_peer->flush();
}

QByteArray ManagementTest::receive(int bytes)
{
    QByteArray data;
    QElapsedTimer timer;
    timer.start();
    while (data.size() < bytes && timer.elapsed() < 5000) {
        QTest::qWait(10);
        data += m_peer->readAll();
    }
    return data;
}

void ManagementTest::recognisesGreetingsFromVersionThree_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("greeting");
    QTest::newRow("version 3")
        << ">INFO:OpenVPN Management Interface Version 3 -- type 'help' for more info" << true;
    QTest::newRow("version 5")
        << ">INFO:OpenVPN Management Interface Version 5 -- type 'help' for more info" << true;
    QTest::newRow("version 12") << ">INFO:OpenVPN Management Interface Version 12" << true;
    QTest::newRow("version 2") << ">INFO:OpenVPN Management Interface Version 2 -- type 'help'"
                               << false;
    QTest::newRow("no number") << ">INFO:OpenVPN Management Interface Version x" << false;
    QTest::newRow("other info") << ">INFO:something else" << false;
}

void ManagementTest::recognisesGreetingsFromVersionThree()
{
    QFETCH(QString, line);
    QFETCH(bool, greeting);
    QCOMPARE(OpenVpnClient::isGreeting(line), greeting);
}

void ManagementTest::escapesBackslashAndQuote()
{
    QCOMPARE(OpenVpnClient::escapePassword(QStringLiteral("p\\\"w")), QStringLiteral("p\\\\\\\"w"));
    QCOMPARE(OpenVpnClient::escapePassword(QStringLiteral("\\\\")), QStringLiteral("\\\\\\\\"));
    QCOMPARE(OpenVpnClient::escapePassword(QStringLiteral("plain")), QStringLiteral("plain"));
}

void ManagementTest::parsesPushReply()
{
    const QString both = QString::fromLatin1(pushLine).trimmed();
    OpenVpnClient::PushedDns dns = OpenVpnClient::parsePushReply(both, true);
    QVERIFY(dns.handled && dns.complete);
    QCOMPARE(dns.ipv4, QStringLiteral("172.16.0.1"));
    QCOMPARE(dns.ipv6, QStringLiteral("fd00:dead:beef:cafe::1"));

    dns = OpenVpnClient::parsePushReply(both, false);
    QVERIFY(dns.complete);
    QCOMPARE(dns.ipv6, QString());

    // One family is enough; IPv6 alone counts only where the tunnel may use it.
    dns = OpenVpnClient::parsePushReply(
        QStringLiteral("PUSH_REPLY,dhcp-option DNS 10.0.0.1,dhcp-option DNS 10.0.0.2'"), true);
    QVERIFY(dns.handled && dns.complete);
    QCOMPARE(dns.ipv4, QStringLiteral("10.0.0.2"));
    const QString ipv6Only = QStringLiteral("PUSH_REPLY,dhcp-option DNS fd00::53,ping 10'");
    QVERIFY(OpenVpnClient::parsePushReply(ipv6Only, true).complete);
    QVERIFY(!OpenVpnClient::parsePushReply(ipv6Only, false).complete);
    QVERIFY(!OpenVpnClient::parsePushReply(QStringLiteral("PUSH_REPLY,ping 10'"), true).complete);

    dns = OpenVpnClient::parsePushReply(
        QStringLiteral("PUSH_REPLY,,dhcp-option DNS  ::1 ,,dhcp-option DNS 1.1.1.1"), true);
    QVERIFY(dns.complete);
    QCOMPARE(dns.ipv6, QStringLiteral("::1"));

    QVERIFY(!OpenVpnClient::parsePushReply(QStringLiteral(">LOG:1,,dhcp-option DNS 1.1.1.1"), true)
                 .handled);
}

void ManagementTest::parsesAssignedAddress()
{
    QCOMPARE(OpenVpnClient::parseAssignedIp(QString::fromLatin1(assignLine).trimmed()),
             QStringLiteral("10.8.0.2"));
    QCOMPARE(OpenVpnClient::parseAssignedIp(
                 QStringLiteral(">LOG:1,,MANAGEMENT: >STATE:1,ASSIGN_IP,,10.8.0.2,,,,")),
             QString());
    QCOMPARE(
        OpenVpnClient::parseAssignedIp(QStringLiteral(">STATE:1,CONNECTED,SUCCESS,10.8.0.2,,,,")),
        QString());
    QTest::ignoreMessage(QtWarningMsg, "OpenVpnClient: Cannot parse ASSIGN_IP line");
    QCOMPARE(OpenVpnClient::parseAssignedIp(QStringLiteral(">STATE:1,ASSIGN_IP,,10.8.0.9")),
             QStringLiteral("10.8.0.9"));
    QTest::ignoreMessage(QtWarningMsg, "OpenVpnClient: Cannot parse ASSIGN_IP line");
    QCOMPARE(OpenVpnClient::parseAssignedIp(QStringLiteral(">STATE:1,ASSIGN_IP,,not-an-ip,,,,")),
             QString());
}

void ManagementTest::parsesByteCounts()
{
    ConnectionStatistics statistics =
        OpenVpnClient::parseByteCount(QStringLiteral(">BYTECOUNT:1024,2048"));
    QCOMPARE(statistics.received(), quint64(1024));
    QCOMPARE(statistics.sent(), quint64(2048));
    statistics =
        OpenVpnClient::parseByteCount(QStringLiteral("x>BYTECOUNT:1,2 >BYTECOUNT: 7 , 9 "));
    QCOMPARE(statistics.received(), quint64(7));
    QCOMPARE(statistics.sent(), quint64(9));
    statistics = OpenVpnClient::parseByteCount(QStringLiteral(">BYTECOUNT:55"));
    QCOMPARE(statistics.received(), quint64(55));
    QCOMPARE(statistics.sent(), quint64(0));
    statistics = OpenVpnClient::parseByteCount(QStringLiteral(">BYTECOUNT:x,-3"));
    QCOMPARE(statistics.received() + statistics.sent(), quint64(0));
}

void ManagementTest::greetingIsAnsweredWithStateOnThenLogOn()
{
    LogCapture log;
    send(greeting);
    QCOMPARE(receive(16), QByteArray("state on\nlog on\n"));
    QTest::qWait(100);
    QCOMPARE(m_peer->readAll(), QByteArray());
    QVERIFY(log.contains(QStringLiteral("OpenVpnClient: Management: ") +
                         QString::fromLatin1(greeting).trimmed()));
    QVERIFY(log.contains(QStringLiteral("OpenVpnClient: Management: Send 'state on'")));
    QVERIFY(log.contains(QStringLiteral("OpenVpnClient: Management: Send 'log on'")));
}

void ManagementTest::credentialsFollowThePrompts()
{
    LogCapture log;
    // The password follows the username without waiting for its answer.
    send(">PASSWORD:Need 'Auth' username/password\r\n");
    const QByteArray expected = "username 'Auth' alice\npassword 'Auth' \"p\\\\\\\"w\"\n";
    QCOMPARE(receive(expected.size()), expected);
    send("SUCCESS: 'Auth' username entered, but not yet verified\r\n");
    QTest::qWait(100);
    QCOMPARE(m_peer->readAll(), QByteArray());
    QVERIFY(log.contains(QStringLiteral("OpenVpnClient: Management: Sent username: alice")));
    QVERIFY(log.contains(QStringLiteral("OpenVpnClient: Management: Sent password: ***")));
    for (const QString& line : log.messages())
        QVERIFY2(!line.contains(QStringLiteral("p\\\"w")) &&
                     !line.contains(QStringLiteral("p\\\\")),
                 qPrintable(line));
}

void ManagementTest::wrongCredentialsGiveCriticalError()
{
    QSignalSpy states(m_client, &VpnClient::connectionStateChanged);
    LogCapture log;
    send(">PASSWORD:Verification Failed: 'Auth'\r\n");
    QTRY_COMPARE(states.count(), 1);
    QCOMPARE(states.first().at(0).value<ConnectionState::Id>(), ConnectionState::Error);
    QCOMPARE(states.first().at(1).toString(), QStringLiteral("Error: Wrong Username/Password"));
    QCOMPARE(states.first().at(2).toBool(), true);
    QVERIFY(log.contains(QStringLiteral("OpenVpnClient: Error: Wrong Username/Password")));
    QVERIFY(!m_client->connectionParameters().autoReconnect);
}

void ManagementTest::byteCountEmitsAndIsNotLogged()
{
    QSignalSpy bytes(m_client, &VpnClient::byteCountChanged);
    LogCapture log;
    send(">BYTECOUNT:1024,2048\r\n");
    QVERIFY(bytes.wait());
    QCOMPARE(bytes.first().at(0).toULongLong(), quint64(1024));
    QCOMPARE(bytes.first().at(1).toULongLong(), quint64(2048));
    QVERIFY(!log.contains(QStringLiteral("BYTECOUNT")));
}

void ManagementTest::parsesPushedAddressAfterTheOptionNameOnly()
{
    // Taking out every "dhcp-option DNS" would leave "172.16.0.16", which nobody pushed.
    const OpenVpnClient::PushedDns dns = OpenVpnClient::parsePushReply(
        QStringLiteral("PUSH_REPLY,dhcp-option DNS 172.16.0.1dhcp-option DNS6 '"), true);
    QVERIFY(dns.handled);
    QVERIFY(!dns.complete);
    QCOMPARE(dns.ipv4, QString());
}

void ManagementTest::pushReplyOfOneFamilyIsReported()
{
    // IPv6 is off: a resolver of that family alone is none to use; one of IPv4 is.
    QSignalSpy dns(m_client, &VpnClient::dnsServerAddressesPushed);
    send(">LOG:1,,PUSH: Received control message: 'PUSH_REPLY,dhcp-option DNS fd00::53,ping "
         "10'\r\n>LOG:1,,PUSH: Received control message: 'PUSH_REPLY,dhcp-option DNS "
         "172.16.0.1,ping 10'\r\n");
    QVERIFY(dns.wait());
    QCOMPARE(dns.count(), 1);
    QCOMPARE(dns.first().at(0).toString(), QStringLiteral("172.16.0.1"));
    QCOMPARE(dns.first().at(1).toString(), QString());
}

void ManagementTest::assignedAddressIsTakenOnce()
{
    QSignalSpy address(m_client, &VpnClient::assignedInternalIp);
    send(">LOG:1,,MANAGEMENT: >STATE:1,ASSIGN_IP,,10.8.0.2,,,,\r\n" + assignLine +
         ">STATE:1796688238,ASSIGN_IP,,10.8.0.7,,,,\r\n");
    QVERIFY(address.wait());
    QTest::qWait(200);
    QCOMPARE(address.count(), 1);
    QCOMPARE(address.first().first().toString(), QStringLiteral("10.8.0.2"));
}

void ManagementTest::assignLineIsNotConnectedState()
{
    QSignalSpy states(m_client, &VpnClient::connectionStateChanged);
    QSignalSpy address(m_client, &VpnClient::assignedInternalIp);
    send(">STATE:1,ASSIGN_IP,,10.8.0.2,,,,CONNECTED,SUCCESS\r\n");
    QVERIFY(address.wait());
    QTest::qWait(100);
    QCOMPARE(states.count(), 0);
    QCOMPARE(m_peer->readAll(), QByteArray());
}

void ManagementTest::connectedStateAsksForByteCounts()
{
    QSignalSpy states(m_client, &VpnClient::connectionStateChanged);
    // The echo inside a log line is no state line.
    send(">LOG:1,,MANAGEMENT: " + connectedLine.trimmed() + "\r\n" + connectedLine);
    QCOMPARE(receive(12), QByteArray("bytecount 1\n"));
    QTRY_COMPARE(states.count(), 1);
    QCOMPARE(states.first().at(0).value<ConnectionState::Id>(), ConnectionState::Connected);
    QCOMPARE(states.first().at(2).toBool(), false);
}

void ManagementTest::blankLineEndsTheBatch()
{
    QSignalSpy states(m_client, &VpnClient::connectionStateChanged);
    send(">LOG:1,,first\r\n\r\n" + connectedLine);
    QTest::qWait(300);
    QCOMPARE(states.count(), 0);
    // The next arrival reads on from where the batch stopped.
    send(">LOG:1,,later\r\n");
    QTRY_COMPARE(states.count(), 1);
    QCOMPARE(states.first().at(0).value<ConnectionState::Id>(), ConnectionState::Connected);
}

void ManagementTest::lineCutByTheNetworkIsReadWhole()
{
    QSignalSpy states(m_client, &VpnClient::connectionStateChanged);
    LogCapture log;
    send(">STATE:1796688237,CONNECTED,SUC");
    QTest::qWait(200);
    send("CESS,10.8.0.2,10.99.0.1,1194,,\r\n");
    QTRY_COMPARE(states.count(), 1);
    QCOMPARE(states.first().at(0).value<ConnectionState::Id>(), ConnectionState::Connected);
    QVERIFY(!log.contains(QStringLiteral("Management: >STATE:1796688237,CONNECTED,SUC\n")));
    QCOMPARE(
        log.count(QStringLiteral("OpenVpnClient: Management: >STATE:1796688237,CONNECTED,SUCCESS")),
        1);
}

void ManagementTest::secondPeerIsRefused()
{
    QTcpSocket second;
    second.connectToHost(QStringLiteral("127.0.0.1"), 61973);
    QVERIFY(!second.waitForConnected(1000));
    send(greeting);
    QCOMPARE(receive(16), QByteArray("state on\nlog on\n"));
    QCOMPARE(second.bytesAvailable(), qint64(0));
}
