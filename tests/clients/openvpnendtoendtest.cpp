#include "openvpnendtoendtest.h"

#include "clients/openvpnclient.h"
#include "clients/stunnel.h"
#include "fakes/fakeservice.h"
#include "support/foreignpeer.h"
#include "support/logcapture.h"
#include "support/residentmemory.h"
#include "support/tunnellab.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {

using State = ConnectionState::Id;

ConnectionParameters parameters(int protocol)
{
    ConnectionParameters p;
    p.username = QStringLiteral("alice");
    p.password = QStringLiteral("p\\\"w");
    p.server = QStringLiteral("vpn1.example");
    p.protocol = protocol;
    p.port = protocol == 1 ? 443 : 1194;
    p.autoReconnect = true;
    p.ipv6Enabled = true;
    return p;
}

QList<State> statesOf(const QSignalSpy& spy)
{
    QList<State> states;
    for (const QList<QVariant>& arguments : spy)
        states << arguments.at(0).value<State>();
    return states;
}

bool waitForState(const QSignalSpy& spy, State state, int timeoutMs = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!statesOf(spy).contains(state)) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QTest::qWait(20);
    }
    return true;
}

QVariantList argumentsFor(const QSignalSpy& spy, State state)
{
    for (const QList<QVariant>& arguments : spy) {
        if (arguments.at(0).value<State>() == state)
            return arguments;
    }
    return {};
}

} // namespace

void OpenVpnEndToEndTest::initTestCase()
{
    ConnectionState::registerTypes();
    m_service = new FakeService;
    QVERIFY(m_service->listenWithController(true));
}

void OpenVpnEndToEndTest::cleanupTestCase()
{
    delete m_service;
}

void OpenVpnEndToEndTest::init()
{
    ++m_run;
    qputenv("FAKE_OPENVPN_RECORD", recordPath().toUtf8());
    qunsetenv("FAKE_OPENVPN_SCENARIO");
    qunsetenv("FAKE_OPENVPN_EXIT_CODE");
    qunsetenv("FAKE_STUNNEL_FAIL");
    qunsetenv("FAKE_STUNNEL_NO_LISTEN");
    m_lab = std::make_unique<TunnelLab>();
    QVERIFY(m_lab->linkOpenVpn(TunnelLab::fakeOpenVpn()));
    QVERIFY(m_lab->linkStunnel(TunnelLab::fakeStunnel()));
    QVERIFY(m_lab->linkNetworkTool(QStringLiteral("/bin/true")));
    m_service->clearFrames();
}

void OpenVpnEndToEndTest::cleanup()
{
    QTRY_COMPARE_WITH_TIMEOUT(m_service->runningPrograms(QStringLiteral("openvpn")), 0, 10000);
    m_lab.reset();
}

QString OpenVpnEndToEndTest::recordPath() const
{
    return m_records.filePath(QStringLiteral("openvpn-%1.txt").arg(m_run));
}

QString OpenVpnEndToEndTest::record() const
{
    QFile file(recordPath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void OpenVpnEndToEndTest::udpAndTcpReachConnected_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QString>("remote");
    QTest::newRow("udp") << 0 << "udp"
                         << "remote vpn1.example 1194 udp";
    QTest::newRow("tcp") << 1 << "tcp"
                         << "remote vpn1.example 443 tcp";
}

void OpenVpnEndToEndTest::udpAndTcpReachConnected()
{
    QFETCH(int, protocol);
    QFETCH(QString, scenario);
    QFETCH(QString, remote);
    qputenv("FAKE_OPENVPN_SCENARIO", scenario.toUtf8());

    OpenVpnClient client;
    QSignalSpy states(&client, &VpnClient::connectionStateChanged);
    QSignalSpy bytes(&client, &VpnClient::byteCountChanged);
    QSignalSpy address(&client, &VpnClient::assignedInternalIp);
    QSignalSpy dns(&client, &VpnClient::dnsServerAddressesPushed);
    client.setConnectionParameters(parameters(protocol));
    QVERIFY(client.connectToServer());
    QVERIFY(waitForState(states, ConnectionState::Connected));
    QVERIFY(bytes.wait(5000));
    QVERIFY(bytes.last().at(0).toULongLong() > 0);
    QVERIFY(bytes.last().at(1).toULongLong() > 0);
    QCOMPARE(address.count(), 1);
    QCOMPARE(address.first().first().toString(), QStringLiteral("10.8.0.2"));
    QCOMPARE(dns.count(), 1);
    QCOMPARE(dns.first().at(0).toString(), QStringLiteral("172.16.0.1"));
    QCOMPARE(dns.first().at(1).toString(), QStringLiteral("fd00:dead:beef:cafe::1"));

    const QString dialogue = record();
    QVERIFY(dialogue.contains(
        QStringLiteral("arg: --management\narg: 127.0.0.1\narg: 61973\n"
                       "arg: --management-query-passwords\narg: --management-client\n")));
    QVERIFY(dialogue.contains(
        QStringLiteral("recv: state on\nrecv: log on\nrecv: username 'Auth' alice\n"
                       "recv: password 'Auth' \"p\\\\\\\"w\"\n")));
    QFile config(recordPath() + QStringLiteral(".config"));
    QVERIFY(config.open(QIODevice::ReadOnly));
    const QByteArray configText = config.readAll();
    QVERIFY2(configText.contains((remote + QStringLiteral("\r\n")).toLatin1()),
             configText.constData());
    QVERIFY(QFile::exists(client.vpnLogFilePath()));

    QVERIFY(client.disconnectFromServer());
    QVERIFY(waitForState(states, ConnectionState::Disconnected));
    QVERIFY(record().contains(QStringLiteral("recv: signal SIGTERM [CRLF]\n")));
    QCOMPARE(statesOf(states),
             QList<State>({ConnectionState::Connecting, ConnectionState::Connected,
                           ConnectionState::Disconnecting, ConnectionState::Disconnected}));
    QCOMPARE(argumentsFor(states, ConnectionState::Disconnected).at(1).toString(), QString());
    QVERIFY(client.configFilePath().isEmpty());
    QTest::qWait(300);
    QVERIFY(!statesOf(states).contains(ConnectionState::Reconnecting));
}

void OpenVpnEndToEndTest::wrongPasswordEndsInErrorWithoutReconnecting()
{
    qputenv("FAKE_OPENVPN_SCENARIO", "wrongpw");
    OpenVpnClient client;
    QSignalSpy states(&client, &VpnClient::connectionStateChanged);
    client.setConnectionParameters(parameters(0));
    QVERIFY(client.connectToServer());
    QVERIFY(waitForState(states, ConnectionState::Disconnected));
    QTest::qWait(300);
    QCOMPARE(statesOf(states), QList<State>({ConnectionState::Connecting, ConnectionState::Error,
                                             ConnectionState::Disconnected}));
    const QVariantList error = argumentsFor(states, ConnectionState::Error);
    QCOMPARE(error.at(1).toString(), QStringLiteral("Error: Wrong Username/Password"));
    QCOMPARE(error.at(2).toBool(), true);
}

void OpenVpnEndToEndTest::crashExitAfterUserDisconnectDoesNotReconnect()
{
    qputenv("FAKE_OPENVPN_EXIT_CODE", "1");
    OpenVpnClient client;
    QSignalSpy states(&client, &VpnClient::connectionStateChanged);
    client.setConnectionParameters(parameters(0));
    QVERIFY(client.connectToServer());
    QVERIFY(waitForState(states, ConnectionState::Connected));
    LogCapture log;
    client.disconnectFromServer();
    QVERIFY(waitForState(states, ConnectionState::Disconnected));
    QVERIFY(log.contains(QStringLiteral("OpenVpnClient: Send TERM signal, status: true")));
    QVERIFY(log.contains(QStringLiteral("OpenVpnClient: Process finished with code: 1")));
    QCOMPARE(argumentsFor(states, ConnectionState::Disconnected).at(1).toString(),
             QStringLiteral("CrashExit"));
    QCOMPARE(argumentsFor(states, ConnectionState::Disconnected).at(3).toString(),
             QStringLiteral("CrashExit"));
    QTest::qWait(300);
    QVERIFY(!statesOf(states).contains(ConnectionState::Reconnecting));
}

void OpenVpnEndToEndTest::unexpectedExitReconnects()
{
    qputenv("FAKE_OPENVPN_SCENARIO", "drop");
    qputenv("FAKE_OPENVPN_EXIT_CODE", "1");
    OpenVpnClient client;
    QSignalSpy states(&client, &VpnClient::connectionStateChanged);
    client.setConnectionParameters(parameters(0));
    QVERIFY(client.connectToServer());
    QVERIFY(waitForState(states, ConnectionState::Reconnecting));
    QCOMPARE(statesOf(states),
             QList<State>({ConnectionState::Connecting, ConnectionState::Connected,
                           ConnectionState::Disconnected, ConnectionState::Reconnecting}));
    QCOMPARE(argumentsFor(states, ConnectionState::Disconnected).at(1).toString(),
             QStringLiteral("CrashExit"));
    QCOMPARE(argumentsFor(states, ConnectionState::Reconnecting).at(2).toBool(), true);
}

void OpenVpnEndToEndTest::missingEndReportIsSettledAfterTimeout()
{
    qputenv("FAKE_OPENVPN_SCENARIO", "linger");
    OpenVpnClient client;
    QSignalSpy states(&client, &VpnClient::connectionStateChanged);
    client.setConnectionParameters(parameters(0));
    QVERIFY(client.connectToServer());
    QVERIFY(waitForState(states, ConnectionState::Connected));

    LogCapture log;
    QElapsedTimer timer;
    timer.start();
    client.disconnectFromServer();
    QVERIFY(log.waitFor(
        QStringLiteral("OpenVpnClient: OpenVPN process is exiting, waiting for notification..")));
    QVERIFY(waitForState(states, ConnectionState::Disconnected, 10000));
    QVERIFY(timer.elapsed() >= 2900);
    QVERIFY(log.contains(QStringLiteral(
        "OpenVpnClient: Timeout while waiting for notification from openvpn process..")));
    QVERIFY(log.contains(
        QStringLiteral("OpenVpnClient: Checking if openvpn process is running: true")));
    QVERIFY(log.contains(QStringLiteral("OpenVpnClient: Process finished with code: 0")));
    // The killed program's own end report comes afterwards.
    QVERIFY(log.waitFor(QStringLiteral("OpenVpnClient: Already in disconnected state")));
    QVERIFY(m_service->frames().contains(QStringLiteral("start: <kill openvpn>")));
    QVERIFY(!statesOf(states).contains(ConnectionState::Reconnecting));
}

void OpenVpnEndToEndTest::destroyingRunningClientNeverReconnects()
{
    auto* client = new OpenVpnClient;
    QSignalSpy states(client, &VpnClient::connectionStateChanged);
    client->setConnectionParameters(parameters(0));
    QVERIFY(client->connectToServer());
    QVERIFY(waitForState(states, ConnectionState::Connected));
    const QList<State> before = statesOf(states);
    delete client;
    QCOMPARE(before.size() + 1, states.count());
    QCOMPARE(states.last().at(0).value<State>(), ConnectionState::Disconnecting);
    QTRY_VERIFY_WITH_TIMEOUT(record().contains(QStringLiteral("recv: signal SIGTERM [CRLF]\n")),
                             5000);
    QTRY_COMPARE_WITH_TIMEOUT(m_service->runningPrograms(QStringLiteral("openvpn")), 0, 5000);
    QCOMPARE(states.last().at(0).value<State>(), ConnectionState::Disconnecting);
}

void OpenVpnEndToEndTest::stealthStartsOpenVpnOnlyAfterStunnel()
{
    const QString stunnelRecord = m_records.filePath(QStringLiteral("stunnel-%1.conf").arg(m_run));
    qputenv("FAKE_STUNNEL_RECORD", stunnelRecord.toUtf8());
    qputenv("FAKE_STUNNEL_FAIL", "1");
    {
        OpenVpnClient client;
        QSignalSpy states(&client, &VpnClient::connectionStateChanged);
        client.setConnectionParameters(parameters(2));
        LogCapture log;
        QVERIFY(client.connectToServer());
        QVERIFY(log.waitFor(
            QStringLiteral("Stunnel: Process finished with exit code '1' and status '0'")));
        // A stunnel that ends before it listens ends the attempt.
        QTRY_COMPARE(states.count(), 1);
        QCOMPARE(states.first().first().value<ConnectionState::Id>(), ConnectionState::Error);
        QCOMPARE(states.first().at(2).toBool(), true);
        for (const QString& frame : m_service->frames())
            QVERIFY2(!frame.contains(QStringLiteral("openvpn")), qPrintable(frame));
    }

    qunsetenv("FAKE_STUNNEL_FAIL");
    OpenVpnClient client;
    QSignalSpy states(&client, &VpnClient::connectionStateChanged);
    client.setConnectionParameters(parameters(2));
    LogCapture log;
    QVERIFY(client.connectToServer());
    QVERIFY(waitForState(states, ConnectionState::Connected));
    const int confirmed =
        log.messages().indexOf(QStringLiteral("Stunnel: Configuration successful"));
    // The fake listens on stunnel's port from its own process, as stunnel does.
    const int listening =
        log.messages().indexOf(QStringLiteral("Stunnel: Listening on 127.0.0.1:1194"));
    const int connecting =
        log.messages().indexOf(QStringLiteral("OpenVpnClient: ========== CONNECTING =========="));
    QVERIFY(confirmed >= 0);
    QVERIFY(connecting > confirmed);
    QVERIFY(listening > confirmed);
    QVERIFY(connecting > listening);

    QFile config(stunnelRecord);
    QVERIFY(config.open(QIODevice::ReadOnly));
    const QByteArray text = config.readAll();
    // Written as text: in this platform's line ends.
    QVERIFY2(text.contains("client = yes\nforeground = yes\n\n[openvpn]\n"), text.constData());
    QVERIFY(text.contains("connect = vpn1.example:443\n"));
    QFile ovpn(recordPath() + QStringLiteral(".config"));
    QVERIFY(ovpn.open(QIODevice::ReadOnly));
    QVERIFY(ovpn.readAll().contains("\r\nremote 127.0.0.1 1194 tcp\r\n"));

    client.disconnectFromServer();
    QVERIFY(log.contains(QStringLiteral("Stunnel: Stop process")));
    QVERIFY(waitForState(states, ConnectionState::Disconnected));
}

void OpenVpnEndToEndTest::failedStartEndsTheAttempt()
{
    // The file is there, but the service cannot run it.
    QTemporaryDir dir;
    const QString notAProgram = dir.filePath(QStringLiteral("openvpn.txt"));
    QFile text(notAProgram);
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.close();
    QVERIFY(m_lab->linkOpenVpn(notAProgram));
    OpenVpnClient client;
    QSignalSpy states(&client, &VpnClient::connectionStateChanged);
    ConnectionParameters p = parameters(0);
    p.autoReconnect = false;
    client.setConnectionParameters(p);
    QVERIFY(client.connectToServer());
    QVERIFY(waitForState(states, ConnectionState::Disconnected));
    QCOMPARE(argumentsFor(states, ConnectionState::Disconnected).at(1).toString(),
             QStringLiteral("CrashExit"));
    QVERIFY(client.configFilePath().isEmpty());
}

void OpenVpnEndToEndTest::missingExecutableIsAnError()
{
    m_lab = std::make_unique<TunnelLab>();
    OpenVpnClient client;
    QSignalSpy states(&client, &VpnClient::connectionStateChanged);
    client.setConnectionParameters(parameters(0));
    const QString message =
        QStringLiteral("OpenVPN executable '%1' does not exists").arg(client.executablePath());
    QTest::ignoreMessage(QtCriticalMsg, qPrintable(QStringLiteral("OpenVpnClient: ") + message));
    QVERIFY(!client.connectToServer());
    QCOMPARE(states.count(), 1);
    QCOMPARE(states.first().at(0).value<State>(), ConnectionState::Error);
    QCOMPARE(states.first().at(1).toString(), message);

    OpenVpnClient empty;
    QSignalSpy emptyStates(&empty, &VpnClient::connectionStateChanged);
    QTest::ignoreMessage(QtCriticalMsg, "OpenVpnClient: OpenVPN server is empty!");
    QVERIFY(!empty.connectToServer());
    QCOMPARE(emptyStates.first().at(1).toString(), QStringLiteral("OpenVPN server is empty!"));
}

void OpenVpnEndToEndTest::serverAddressThatBreaksLinesIsRefused()
{
    // The address would become a line of a root-run configuration or a quoted command element.
    m_service->clearFrames();
    QFile::remove(Stunnel::configPath());
    for (const QString& server :
         {QStringLiteral("vpn1.example\nup /bin/sh"), QStringLiteral("vpn1.example\" up")}) {
        for (const int protocol : {0, 2}) {
            OpenVpnClient client;
            QSignalSpy states(&client, &VpnClient::connectionStateChanged);
            ConnectionParameters p = parameters(protocol);
            p.server = server;
            client.setConnectionParameters(p);
            QTest::ignoreMessage(QtCriticalMsg, "OpenVpnClient: Server address is not valid!");
            QVERIFY(!client.connectToServer());
            QCOMPARE(statesOf(states), QList<State>({ConnectionState::Error}));
            QCOMPARE(states.first().at(1).toString(),
                     QStringLiteral("Server address is not valid!"));
            QTest::ignoreMessage(QtCriticalMsg, "OpenVpnClient: Server address is not valid!");
            QVERIFY(!client.writeConfigFile());
            QVERIFY(client.configFilePath().isEmpty());
        }
    }
    QTest::qWait(200);
    QCOMPARE(m_service->frames(), QStringList());
    QVERIFY(!QFileInfo::exists(Stunnel::configPath()));
}

void OpenVpnEndToEndTest::stealthRefusesAListenerThatIsNotStunnels()
{
    // Someone else holds stunnel's port, and stunnel confirms its configuration all the same.
    QTcpServer impostor;
    QVERIFY(impostor.listen(QHostAddress(QStringLiteral("127.0.0.1")), 1194));
    qputenv("FAKE_STUNNEL_NO_LISTEN", "1");
    OpenVpnClient client;
    QSignalSpy states(&client, &VpnClient::connectionStateChanged);
    client.setConnectionParameters(parameters(2));
    LogCapture log;
    QVERIFY(client.connectToServer());
    QVERIFY(waitForState(states, ConnectionState::Error));
    QCOMPARE(statesOf(states), QList<State>({ConnectionState::Error}));
    const QVariantList error = argumentsFor(states, ConnectionState::Error);
    QCOMPARE(error.at(1).toString(),
             QStringLiteral("Stealth mode could not start: stunnel is not listening on "
                            "127.0.0.1:1194"));
    QCOMPARE(error.at(2).toBool(), true);
    QVERIFY(log.contains(
        QStringLiteral("Stunnel: No listener of its own on 127.0.0.1:1194 after 5000 ms")));
    QVERIFY(log.contains(QStringLiteral("Stunnel: Stop process")));
    for (const QString& frame : m_service->frames())
        QVERIFY2(!frame.contains(QStringLiteral("openvpn")), qPrintable(frame));
    QVERIFY(!impostor.hasPendingConnections());
}

void OpenVpnEndToEndTest::managementPeerOfAnotherUserIsRefused()
{
    if (!ForeignPeer::canRun())
        QSKIP("Acting as another user needs root and setpriv");
    const QString gate = m_records.filePath(QStringLiteral("gate-%1").arg(m_run));
    QVERIFY(m_lab->linkOpenVpn(
        m_lab->gated(QStringLiteral("openvpn"), TunnelLab::fakeOpenVpn(), gate)));
    OpenVpnClient client;
    QSignalSpy states(&client, &VpnClient::connectionStateChanged);
    client.setConnectionParameters(parameters(0));
    LogCapture log;
    QVERIFY(client.connectToServer());

    // Another user comes first and plays OpenVPN's prompt for the credentials.
    ForeignPeer intruder;
    QVERIFY(intruder.start({QStringLiteral("send"), QStringLiteral("61973"),
                            QStringLiteral(">PASSWORD:Need 'Auth' username/password")}));
    QCOMPARE(intruder.waitForExit(), 0); // closed by the client
    QCOMPARE(intruder.output(), QByteArray());
    QVERIFY(log.contains(QStringLiteral("TcpServer: Refused peer from port ")));
    QCOMPARE(statesOf(states), QList<State>({ConnectionState::Connecting}));

    // The listener waited on: OpenVPN itself still gets through.
    QFile opened(gate);
    QVERIFY(opened.open(QIODevice::WriteOnly));
    QVERIFY(waitForState(states, ConnectionState::Connected));
    QVERIFY(record().contains(QStringLiteral("recv: username 'Auth' alice\n")));
    client.disconnectFromServer();
    QVERIFY(waitForState(states, ConnectionState::Disconnected));
}

void OpenVpnEndToEndTest::overlongManagementLineEndsTheAttempt()
{
    // OpenVPN waits behind a gate that never opens: the test is the peer on the management port.
    const QString gate = m_records.filePath(QStringLiteral("gate-%1").arg(m_run));
    QVERIFY(m_lab->linkOpenVpn(
        m_lab->gated(QStringLiteral("openvpn"), TunnelLab::fakeOpenVpn(), gate)));
    OpenVpnClient client;
    QSignalSpy states(&client, &VpnClient::connectionStateChanged);
    client.setConnectionParameters(parameters(0));
    LogCapture log;
    QVERIFY(client.connectToServer());
    QTRY_COMPARE_WITH_TIMEOUT(m_service->runningPrograms(QStringLiteral("openvpn")), 1, 5000);
    QTcpSocket peer;
    peer.connectToHost(QStringLiteral("127.0.0.1"), 61973);
    QVERIFY(peer.waitForConnected(5000));

    const qint64 before = ResidentMemory::kib();
    QVERIFY(before > 0);
    peer.write(QByteArray(1024 * 1024, 'A'));
    QVERIFY(waitForState(states, ConnectionState::Error));
    const qint64 grown = ResidentMemory::kib() - before;
    QVERIFY2(!ResidentMemory::boundsHold() || grown < 32 * 1024,
             qPrintable(QStringLiteral("%1 KiB").arg(grown)));
    const QVariantList error = argumentsFor(states, ConnectionState::Error);
    QCOMPARE(error.at(1).toString(),
             QStringLiteral("Error: OpenVPN sent a management line longer than 64 KiB"));
    QCOMPARE(error.at(2).toBool(), true);
    QTRY_COMPARE_WITH_TIMEOUT(peer.state(), QAbstractSocket::UnconnectedState, 5000);
    // Stopped as a disconnect stops it: the channel is gone, so the service kills it. The gate
    // never opens, so nothing but that kill frame ends the program.
    QTRY_COMPARE_WITH_TIMEOUT(m_service->runningPrograms(QStringLiteral("openvpn")), 0, 5000);
    QVERIFY(m_service->frames().contains(QStringLiteral("start: <kill openvpn>")));
    QVERIFY(waitForState(states, ConnectionState::Disconnected));
    QTest::qWait(300);
    QVERIFY(!statesOf(states).contains(ConnectionState::Reconnecting));
}

void OpenVpnEndToEndTest::takenManagementPortStartsNothing()
{
    // Whoever listens first would be the one OpenVPN hands its management to.
    QTcpServer squatter;
    QVERIFY(squatter.listen(QHostAddress(QStringLiteral("127.0.0.1")), 61973));
    OpenVpnClient client;
    QSignalSpy states(&client, &VpnClient::connectionStateChanged);
    client.setConnectionParameters(parameters(0));
    LogCapture log;
    QVERIFY(client.connectToServer());
    QCOMPARE(statesOf(states), QList<State>({ConnectionState::Error}));
    QCOMPARE(states.first().at(1).toString(),
             QStringLiteral("Port 61973 is taken by another program: OpenVPN was not started"));
    QCOMPARE(states.first().at(2).toBool(), true);
    QTest::qWait(300);
    for (const QString& frame : m_service->frames())
        QVERIFY2(!frame.contains(QStringLiteral("openvpn")), qPrintable(frame));
    QVERIFY(client.configFilePath().isEmpty());

    // Another user's program on the port: most likely that user's own connection.
    if (!ForeignPeer::canRun())
        QSKIP("Acting as another user needs root and setpriv");
    squatter.close();
    ForeignPeer otherUser;
    QVERIFY(otherUser.start(
        {QStringLiteral("listen"), QStringLiteral("127.0.0.1"), QStringLiteral("61973")}));
    QVERIFY(otherUser.waitForOutput("listening"));
    OpenVpnClient second;
    QSignalSpy secondStates(&second, &VpnClient::connectionStateChanged);
    second.setConnectionParameters(parameters(0));
    QVERIFY(second.connectToServer());
    QCOMPARE(statesOf(secondStates), QList<State>({ConnectionState::Error}));
    QCOMPARE(secondStates.first().at(1).toString(), VpnClient::anotherUserText());
}
