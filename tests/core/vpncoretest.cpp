#include "vpncoretest.h"

#include "api/account.h"
#include "api/catalogue.h"
#include "api/networkapi.h"
#include "clients/connectionstatistics.h"
#include "clients/wireguardclient.h"
#include "core/status.h"
#include "core/vpncore.h"
#include "fakes/fakeservice.h"
#include "service/servicecontroller.h"
#include "settings/settings.h"
#include "support/logcapture.h"
#include "utils/utils.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {

using State = ConnectionState::Id;

const QString server1 = QStringLiteral("127.0.0.1");
const QString server2 = QStringLiteral("127.0.0.2");
const QString killSwitchOn1 = QStringLiteral("killswitch enable all 127.0.0.1 local");
const QString killSwitchOn2 = QStringLiteral("killswitch enable all 127.0.0.2 local");
const QString killSwitchOff = QStringLiteral("killswitch disable all");

AdapterDns ordinaryAdapter(const QString& dns = QStringLiteral("192.0.2.53"))
{
    AdapterDns adapter;
    adapter.id = adapter.name = QStringLiteral("eth0");
    adapter.ipv4Dns = QStringList{dns};
    return adapter;
}

QList<State> statesOf(const QSignalSpy& spy)
{
    QList<State> states;
    for (const QList<QVariant>& arguments : spy)
        states << arguments.at(0).value<State>();
    return states;
}

// Waits for the count-th report of a state (counting from 1).
bool waitForState(const QSignalSpy& spy, State state, int count = 1, int timeoutMs = 15000)
{
    QElapsedTimer timer;
    timer.start();
    while (statesOf(spy).count(state) < count) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QTest::qWait(20);
    }
    return true;
}

bool anyCandidatePortOpen(const QString& host)
{
    for (quint16 port : Settings::instance()->autoPortCandidates()) {
        QTcpSocket probe;
        probe.connectToHost(host, port);
        if (probe.waitForConnected(200))
            return true;
    }
    return false;
}

// An active account with the WireGuard keys a tunnel is built from.
Account wireGuardAccount()
{
    return Account(7, QStringLiteral("alice"), QStringLiteral("Active"), QString(), QString(),
                   QStringLiteral("10.66.0.2"),
                   QStringLiteral("yAnz5TF+lXXJte14tji3zlMNq+hd2rYUIgJBgB3fBmk="));
}

Server server(const QString& ip, const QString& country, const QString& city, const QString& name)
{
    return Server(ip, country, city, name, QString(), 100, 10.0f);
}

} // namespace

void VpnCoreTest::initTestCase()
{
    VpnCore::registerTypes();
    Catalogue::registerTypes();
    m_service = new FakeService;
    QVERIFY(m_service->listenWithController(true));
}

void VpnCoreTest::cleanupTestCase()
{
    delete m_service;
}

void VpnCoreTest::init()
{
    ++m_run;
    qputenv("FAKE_OPENVPN_RECORD",
            m_records.filePath(QStringLiteral("openvpn-%1.txt").arg(m_run)).toUtf8());
    qputenv("FAKE_OPENVPN_SCENARIO", "udp");
    qunsetenv("FAKE_OPENVPN_EXIT_CODE");
    qunsetenv("FAKE_WG_SCRIPT");
    m_lab = std::make_unique<TunnelLab>();
    QVERIFY(m_lab->linkOpenVpn(TunnelLab::fakeOpenVpn()));
    QVERIFY(m_lab->linkWireGuard(TunnelLab::fakeWireGuard()));
    QVERIFY(m_lab->linkNetworkTool(QStringLiteral("/bin/true")));
    QVERIFY(m_lab->linkProgram(QStringLiteral("killswitch"), QStringLiteral("/bin/true")));
    QVERIFY(m_lab->linkProgram(QStringLiteral("dns"), QStringLiteral("/bin/true")));

    Settings* settings = Settings::instance();
    settings->setUserName(QStringLiteral("alice"));
    settings->setPassword(QStringLiteral("secret"));
    settings->setNetworkProtocol(0);
    settings->setUdpPortIndex(0);
    settings->setTcpPortIndex(0);
    settings->setKillswitchEnabled(true);
    settings->setAllowAccessToLocalDevices(true);
    settings->setAutoReconnectionOnError(true);
    settings->setIpv6Enabled(false);
    Status().clear();
    WireGuardClient::setCurrentAccount(Account());
    m_service->clearFrames();
}

void VpnCoreTest::cleanup()
{
    // Commands still on their way belong to this test, not to the next.
    for (int seen = -1; seen != m_service->frames().size();) {
        seen = m_service->frames().size();
        QTest::qWait(200);
    }
    QTRY_COMPARE_WITH_TIMEOUT(m_service->runningPrograms(QStringLiteral("openvpn")), 0, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_service->runningPrograms(QStringLiteral("wireguard-service")), 0,
                              10000);
    m_lab.reset();
}

std::unique_ptr<VpnCore> VpnCoreTest::makeCore()
{
    auto core = std::make_unique<VpnCore>();
    core->dnsManager().setFactSource([] {
        Platform::DnsFacts facts;
        facts.adapters << ordinaryAdapter();
        return facts;
    });
    core->setAutoReconnectionOnError(Settings::instance()->autoReconnectionOnError());
    return core;
}

// What reached the service, shortened: tool runs with their arguments, tunnel programs by name.
QStringList VpnCoreTest::commands() const
{
    QStringList shortened;
    for (const QString& frame : m_service->frames()) {
        if (!frame.startsWith(QLatin1String("start: \""))) {
            shortened << frame;
            continue;
        }
        QStringList arguments = FakeService::quotedArguments(frame);
        const QString name = QFileInfo(arguments.takeFirst()).fileName();
        const bool tool = name == QLatin1String("killswitch") || name == QLatin1String("dns");
        shortened << (tool ? (QStringList{name} + arguments).join(QLatin1Char(' ')) : name);
    }
    return shortened;
}

QString VpnCoreTest::recordedConfig() const
{
    QFile file(qEnvironmentVariable("FAKE_OPENVPN_RECORD") + QStringLiteral(".config"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void VpnCoreTest::userDisconnectReleasesProtectionEvenAfterCrashExit()
{
    // The tunnel program ends with code 1 after the user's stop: a "CrashExit" all the same.
    qputenv("FAKE_OPENVPN_EXIT_CODE", "1");
    LogCapture log;
    auto core = makeCore();
    QSignalSpy states(core.get(), &VpnCore::connectionStateChanged);
    QSignalSpy events(core.get(), &VpnCore::killSwitchEventActivated);
    // Shown Connected, the rules are in: the tool has answered by then.
    bool rulesInWhenConnected = false;
    connect(core.get(), &VpnCore::connectionStateChanged, this, [&](int state) {
        if (state == ConnectionState::Connected)
            rulesInWhenConnected = !log.messages()
                                        .filter(QStringLiteral("[finished:"))
                                        .filter(QStringLiteral(",0,killswitch]"))
                                        .isEmpty();
    });
    core->setVpnServerIp(server1, QStringLiteral("Lab, Loopback"));
    core->connectToVpn();
    QVERIFY(waitForState(states, ConnectionState::Connected));
    QVERIFY(core->vpnConnected());
    QVERIFY(rulesInWhenConnected);
    QVERIFY(recordedConfig().contains(QLatin1String("remote 127.0.0.1 53 udp")));

    const QString vpnDns =
        QStringLiteral("dns vpn ") +
        DnsManager::vpnDnsEntry(ordinaryAdapter(), QStringLiteral("172.16.0.1"), QString());
    QTRY_VERIFY(commands().contains(vpnDns));
    QStringList sent = commands();
    QVERIFY(sent.indexOf(QStringLiteral("openvpn")) < sent.indexOf(killSwitchOn1));
    QVERIFY(sent.indexOf(killSwitchOn1) < sent.indexOf(vpnDns));
    QVERIFY(Status().killswitchActivated());
    QVERIFY(Status().dnsActivated());

    m_service->clearFrames();
    core->disconnectFromVpn();
    QVERIFY(waitForState(states, ConnectionState::Disconnected));
    const QString userDns =
        QStringLiteral("dns user ") + DnsManager::userDnsEntry(ordinaryAdapter());
    QTRY_VERIFY(commands().contains(userDns));
    QTest::qWait(1500);
    sent = commands();
    QVERIFY(sent.indexOf(killSwitchOff) >= 0);
    QVERIFY(sent.indexOf(killSwitchOff) < sent.indexOf(userDns));
    QVERIFY(!sent.contains(QStringLiteral("openvpn")));
    QCOMPARE(events.count(), 0);
    QCOMPARE(statesOf(states),
             (QList<State>{ConnectionState::Connecting, ConnectionState::Connected,
                           ConnectionState::Disconnecting, ConnectionState::Disconnected}));
    QVERIFY(!core->vpnConnected());
    QVERIFY(!Status().killswitchActivated());
    QVERIFY(!Status().dnsActivated());
}

void VpnCoreTest::automaticTcpPortIsSearchedFirst()
{
    QTcpServer listener;
    QVERIFY(listener.listen(QHostAddress::LocalHost, 3389) ||
            listener.listen(QHostAddress::LocalHost, 8080));
    qputenv("FAKE_OPENVPN_SCENARIO", "tcp");
    Settings::instance()->setNetworkProtocol(1);
    auto core = makeCore();
    QSignalSpy states(core.get(), &VpnCore::connectionStateChanged);
    core->setVpnServerIp(server1, QStringLiteral("Lab, Loopback"));
    core->connectToVpn();
    QCOMPARE(core->connectionState(), int(ConnectionState::Preparing));
    QVERIFY(waitForState(states, ConnectionState::Connected));
    QCOMPARE(statesOf(states).mid(0, 3),
             (QList<State>{ConnectionState::Preparing, ConnectionState::Connecting,
                           ConnectionState::Connected}));
    const QRegularExpressionMatch remote =
        QRegularExpression(QStringLiteral("remote 127\\.0\\.0\\.1 (\\d+) tcp"))
            .match(recordedConfig());
    QVERIFY(remote.hasMatch());
    QVERIFY(Settings::instance()->autoPortCandidates().contains(remote.captured(1).toUShort()));
    core->disconnectFromVpn();
    QVERIFY(waitForState(states, ConnectionState::Disconnected));
}

void VpnCoreTest::failedPortSearchShowsNoPortsAndCancelledSearchNeverStartsTunnel()
{
    if (anyCandidatePortOpen(server1))
        QSKIP("a port the search tries is open on this machine's loopback");
    Settings::instance()->setNetworkProtocol(1);
    auto core = makeCore();
    core->setPortSearchTimeout(1);
    QSignalSpy states(core.get(), &VpnCore::connectionStateChanged);
    core->setVpnServerIp(server1, QStringLiteral("Lab, Loopback"));
    core->connectToVpn();
    QVERIFY(waitForState(states, ConnectionState::Disconnected));
    QCOMPARE(core->vpnConnectionErrorText(),
             QStringLiteral("There are no ports for this connection"));
    QCOMPARE(core->connectionState(), int(ConnectionState::Disconnected));

    core->setPortSearchTimeout(20);
    states.clear();
    core->connectToVpn();
    QCOMPARE(core->connectionState(), int(ConnectionState::Preparing));
    core->disconnectFromVpn();
    QCOMPARE(core->connectionState(), int(ConnectionState::Disconnected));
    QCOMPARE(statesOf(states),
             (QList<State>{ConnectionState::Preparing, ConnectionState::Disconnected}));
    QTest::qWait(300);
    QVERIFY(!commands().contains(QStringLiteral("openvpn")));
    QVERIFY(!core->tunnelClient());
}

void VpnCoreTest::crashesReconnectUnderHeldProtectionAndFourthGivesUp()
{
    // The first run connects and then crashes; every later one crashes before it connects.
    qputenv("FAKE_OPENVPN_SCENARIO", "drop");
    qputenv("FAKE_OPENVPN_EXIT_CODE", "1");
    LogCapture log;
    auto core = makeCore();
    QSignalSpy states(core.get(), &VpnCore::connectionStateChanged);
    QSignalSpy events(core.get(), &VpnCore::killSwitchEventActivated);
    // The user chose a country of two servers; its probe round ranks them.
    core->onRequestServerListFinished(
        {server(server1, QStringLiteral("de"), QStringLiteral("Berlin"), QStringLiteral("de-01")),
         server(server2, QStringLiteral("de"), QStringLiteral("Munich"), QStringLiteral("de-02"))});
    core->setSearchModeForCountry(QStringLiteral("de"));
    QTRY_VERIFY(!core->vpnServerIp().isEmpty());
    const QString best = core->vpnServerIp();
    const QString killSwitchOnBest = best == server1 ? killSwitchOn1 : killSwitchOn2;
    const QString killSwitchOnNext = best == server1 ? killSwitchOn2 : killSwitchOn1;
    core->connectToVpn();
    QVERIFY(waitForState(states, ConnectionState::Connected));
    qputenv("FAKE_OPENVPN_SCENARIO", "crash");

    QVERIFY(log.waitFor(QStringLiteral("Can't reconnect after 3 attempts..."), 30000));
    QVERIFY(log.contains(QStringLiteral("Going to reconnection...3")));
    QTRY_COMPARE(events.count(), 1);
    QVERIFY(log.contains(QStringLiteral("========== KILL SWITCH EVENT! ==========")));
    QTest::qWait(1500);
    QCOMPARE(core->connectionState(), int(ConnectionState::Disconnected));

    // No release and no return to the user's resolvers between the crashes: each new attempt
    // re-issues the rules before its start, and the user's resolvers come back once, at the end.
    // Two reconnections fail on the best server; the third goes to the country's next.
    const QString userDns =
        QStringLiteral("dns user ") + DnsManager::userDnsEntry(ordinaryAdapter());
    QTRY_VERIFY(commands().contains(userDns));
    const QStringList sent = commands();
    QCOMPARE(sent.count(QStringLiteral("openvpn")), 4);
    QVERIFY(!sent.contains(killSwitchOff));
    QCOMPARE(sent.count(userDns), 1);
    QVERIFY(sent.indexOf(userDns) > sent.lastIndexOf(QStringLiteral("openvpn")));
    int next = sent.indexOf(QStringLiteral("openvpn"));
    for (int attempt = 1; attempt <= 3; ++attempt) {
        const int previous = next;
        next = sent.indexOf(QStringLiteral("openvpn"), next + 1);
        const int rules = sent.lastIndexOf(attempt < 3 ? killSwitchOnBest : killSwitchOnNext, next);
        QVERIFY2(rules > previous, qPrintable(sent.join(QLatin1String(" | "))));
    }
    QCOMPARE(log.count(QStringLiteral("failed twice, trying the country's next best server")), 1);
    QCOMPARE(core->vpnServerIp(), best == server1 ? server2 : server1);
    QVERIFY(Status().killswitchActivated());

    // Dismissing the dialog lets protection go.
    m_service->clearFrames();
    core->disableKillSwitch();
    QTRY_VERIFY(commands().contains(killSwitchOff));
    QVERIFY(!Status().killswitchActivated());
}

void VpnCoreTest::unansweredWireGuardHandshakesAreFailedReconnections()
{
    // Connected, then the tunnel program dies (a crash, not a disconnect, although its report
    // line closes first); every later run finds no answer from the server.
    qputenv("FAKE_WG_SCRIPT", ">STATE:CONNECTED|sleep:300|exit:1");
    Settings::instance()->setNetworkProtocol(3);
    WireGuardClient::setCurrentAccount(wireGuardAccount());
    LogCapture log;
    auto core = makeCore();
    QSignalSpy states(core.get(), &VpnCore::connectionStateChanged);
    core->setVpnServerIp(server1, QStringLiteral("Lab, Loopback"));
    core->connectToVpn();
    QVERIFY(waitForState(states, ConnectionState::Connected));
    qputenv("FAKE_WG_SCRIPT", ">STATE:ERROR:No handshake with the server|exit:1");
    // Three tries, as for any failed reconnection, then the end; the user's own first attempt
    // would have ended at the error.
    QVERIFY(log.waitFor(QStringLiteral("Can't reconnect after 3 attempts..."), 30000));
    QCOMPARE(log.count(QStringLiteral("No answer from '127.0.0.1', the attempt failed")), 3);
    QVERIFY(!log.contains(QStringLiteral("Critical error, reconnection is not allowed now!")));
}

void VpnCoreTest::dropWithoutReconnectionHoldsProtectionUntilTheUserLetsGo()
{
    qputenv("FAKE_OPENVPN_SCENARIO", "drop");
    qputenv("FAKE_OPENVPN_EXIT_CODE", "1");
    Settings::instance()->setAutoReconnectionOnError(false);
    auto core = makeCore();
    QSignalSpy states(core.get(), &VpnCore::connectionStateChanged);
    QSignalSpy events(core.get(), &VpnCore::killSwitchEventActivated);
    core->setVpnServerIp(server1, QStringLiteral("Lab, Loopback"));
    core->connectToVpn();
    QVERIFY(waitForState(states, ConnectionState::Connected));
    QVERIFY(waitForState(states, ConnectionState::Disconnected));
    QCOMPARE(events.count(), 1);
    QTest::qWait(1500);
    QCOMPARE(core->connectionState(), int(ConnectionState::Disconnected));
    QCOMPARE(commands().count(QStringLiteral("openvpn")), 1);
    QVERIFY(!commands().contains(killSwitchOff));
    QVERIFY(Status().killswitchActivated());

    // The user connects again with the event's dialog still open, and closes it afterwards: the
    // release was for that event only, not for the connection now up.
    qputenv("FAKE_OPENVPN_SCENARIO", "udp");
    core->connectToVpn();
    QVERIFY(waitForState(states, ConnectionState::Connected, 2));
    core->disableKillSwitch();
    QVERIFY(m_service->receiveEverythingSent());
    QVERIFY(!commands().contains(killSwitchOff));
    QVERIFY(Status().killswitchActivated());

    core->disconnectFromVpn();
    QTRY_VERIFY(commands().contains(killSwitchOff));
    QVERIFY(!Status().killswitchActivated());
    QCOMPARE(events.count(), 1);
}

void VpnCoreTest::serverSwitchSurvivesTheOldRunsLateEndReport()
{
    LogCapture log;
    auto core = makeCore();
    QSignalSpy states(core.get(), &VpnCore::connectionStateChanged);
    core->setVpnServerIp(server1, QStringLiteral("Lab, First"));
    core->connectToVpn();
    QVERIFY(waitForState(states, ConnectionState::Connected));

    m_service->clearFrames();
    m_service->holdNextEndReport(QStringLiteral("openvpn"));
    core->setVpnServerIp(server2, QStringLiteral("Lab, Second"));
    QCOMPARE(core->connectionState(), int(ConnectionState::Disconnecting));
    core->setVpnServerIp(server2, QStringLiteral("Lab, Second"));
    QCOMPARE(log.count(QStringLiteral("Disconnect from VPN")), 1);

    QVERIFY(waitForState(states, ConnectionState::Connected, 2, 20000));
    QTest::qWait(1500);
    QCOMPARE(core->connectionState(), int(ConnectionState::Connected));
    QVERIFY(recordedConfig().contains(QLatin1String("remote 127.0.0.2 53 udp")));

    // The old run's end report did arrive, after the new run's start.
    QStringList received;
    for (const QString& message : log.messages()) {
        if (message.contains(QLatin1String("Received data: [")) &&
            message.contains(QLatin1String("openvpn")))
            received << message;
    }
    QVERIFY(received.size() >= 2);
    QVERIFY(received.at(received.size() - 2).contains(QLatin1String("started:")));
    QVERIFY(received.last().contains(QLatin1String("finished:")));

    const QStringList sent = commands();
    QVERIFY(!sent.contains(killSwitchOff));
    QVERIFY(sent.indexOf(killSwitchOn2) >= 0);
    QVERIFY(sent.indexOf(killSwitchOn2) < sent.indexOf(QStringLiteral("openvpn")));
    core->disconnectFromVpn();
    QVERIFY(waitForState(states, ConnectionState::Disconnected, 2));
}

void VpnCoreTest::preconditionsReportTheirErrorAndStartNothing_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("server");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("text");
    QTest::newRow("no server") << 0 << "secret"
                               << "" << 0 << "VPN server IP is empty!";
    QTest::newRow("blank password")
        << 0 << " \t" << server1 << 1 << "Username or password is empty!";
    QTest::newRow("wireguard account checked before credentials")
        << 3 << ""
        << "" << 3 << "Auth data is empty";
}

void VpnCoreTest::preconditionsReportTheirErrorAndStartNothing()
{
    QFETCH(int, protocol);
    QFETCH(QString, password);
    QFETCH(QString, server);
    QFETCH(int, error);
    QFETCH(QString, text);
    Settings::instance()->setNetworkProtocol(protocol);
    Settings::instance()->setPassword(password);
    auto core = makeCore();
    if (!server.isEmpty())
        core->setVpnServerIp(server, QStringLiteral("Lab"));
    QSignalSpy errors(core.get(), &VpnCore::vpnConnectionErrorChanged);
    core->connectToVpn();
    QCOMPARE(errors.count(), 1);
    QCOMPARE(int(errors.first().first().value<VpnCore::VpnError>()), error);
    QCOMPARE(core->vpnConnectionErrorText(), text);
    QCOMPARE(core->connectionState(), int(ConnectionState::Disconnected));
    QTest::qWait(200);
    QVERIFY(m_service->frames().filter(QStringLiteral("start:")).isEmpty());
}

void VpnCoreTest::onlineTimeAndTrafficFollowTheConnection()
{
    QCOMPARE(VpnCore::formatOnlineTime(0), QStringLiteral("00:00:00"));
    QCOMPARE(VpnCore::formatOnlineTime(26 * 3600 + 5 * 60 + 7), QStringLiteral("26:05:07"));

    QDateTime now(QDate(2026, 3, 1), QTime(23, 30));
    auto core = makeCore();
    core->setClock([&now] { return now; });
    core->onVpnConnectionStateChanged(ConnectionState::Connected, QString(), false);
    QCOMPARE(core->vpnOnlineTime(), QStringLiteral("00:00:00"));
    now = QDateTime(QDate(2026, 3, 2), QTime(0, 30));
    core->onOnlineActivityTimerEvent();
    QCOMPARE(core->vpnOnlineTime(), QStringLiteral("01:00:00"));
    // The counters change with the clock's next second, in the same frame; a tick within the
    // same second changes nothing.
    QSignalSpy shownTime(core.get(), &VpnCore::vpnOnlineTimeChanged);
    QSignalSpy shownDownload(core.get(), &VpnCore::downloadedChanged);
    core->onByteCountChanged(2048, 1024);
    core->onOnlineActivityTimerEvent();
    QCOMPARE(shownTime.count(), 0);
    QCOMPARE(core->downloaded(), ConnectionStatistics::formatByteCount(0));
    now = now.addSecs(1);
    core->onOnlineActivityTimerEvent();
    QCOMPARE(shownTime.count(), 1);
    QCOMPARE(shownDownload.count(), 1);
    QCOMPARE(core->downloaded(), ConnectionStatistics::formatByteCount(2048));
    QCOMPARE(core->uploaded(), ConnectionStatistics::formatByteCount(1024));
    now = now.addSecs(1);
    core->onOnlineActivityTimerEvent();
    QCOMPARE(shownDownload.count(), 1);

    core->onVpnConnectionStateChanged(ConnectionState::Disconnected, QString(), false);
    QCOMPARE(core->vpnOnlineTime(), QStringLiteral("00:00:00"));
    QSignalSpy downloaded(core.get(), &VpnCore::downloadedChanged);
    core->onByteCountChanged(4096, 4096);
    QCOMPARE(downloaded.count(), 0);
    QCOMPARE(core->downloaded(), ConnectionStatistics::formatByteCount(0));
}

void VpnCoreTest::currentIpFollowsTheConnectionState()
{
    LogCapture log;
    auto core = makeCore();
    QCOMPARE(core->currentIpInfoText(), QStringLiteral("Updating..."));
    core->onRequestCurrentIpAddressFinished(QStringLiteral("203.0.113.7"), QStringLiteral("nl"));
    QCOMPARE(core->currentIp(), QStringLiteral("203.0.113.7"));
    QCOMPARE(core->currentLocationImageSource(), Utils::countryFlagSource(QStringLiteral("nl")));
    QCOMPARE(core->currentIpInfoText(), QStringLiteral("Your current IP"));

    core->onVpnConnectionStateChanged(ConnectionState::Connecting, QString(), false);
    QVERIFY(core->currentIp().isEmpty());
    core->onRequestCurrentIpAddressFinished(QStringLiteral("198.51.100.9"), QStringLiteral("de"));
    QVERIFY(core->currentIp().isEmpty());
    QVERIFY(log.contains(QStringLiteral("Request current IP address finished, skipping")));

    // Back to Disconnected: the address seen while disconnected is shown again at once.
    core->onVpnConnectionStateChanged(ConnectionState::Disconnected, QString(), false);
    QCOMPARE(core->currentIp(), QStringLiteral("203.0.113.7"));

    core->onRequestCurrentIpAddressFinished(QStringLiteral("2001:db8::7"), QStringLiteral("nl"));
    QCOMPARE(core->currentIpInfoText(), QStringLiteral("Error"));
    core->onRequestCurrentIpAddressFinished(QStringLiteral("0.0.0.0"), QString());
    QVERIFY(log.contains(QStringLiteral("Requesting new ip address")));
    QCOMPARE(core->currentIp(), QStringLiteral("2001:db8::7"));

    core->onRequestCurrentIpAddressFinished(QStringLiteral("203.0.113.8"), QStringLiteral("se"));
    core->onVpnConnectionStateChanged(ConnectionState::Connecting, QString(), false);
    core->retranslateCurrentIp();
    QVERIFY(core->currentIp().isEmpty());
    core->onVpnConnectionStateChanged(ConnectionState::Disconnected, QString(), false);
    core->retranslateCurrentIp();
    QCOMPARE(core->currentIp(), QStringLiteral("203.0.113.8"));
    QCOMPARE(core->currentLocationImageSource(), Utils::countryFlagSource(QStringLiteral("se")));
}

void VpnCoreTest::startupRepairUndoesWhatAnEarlierRunLeft_data()
{
    QTest::addColumn<bool>("dnsFlag");
    QTest::addColumn<bool>("killSwitchFlag");
    QTest::addColumn<QString>("adapterDns");
    QTest::addColumn<QStringList>("expected");
    // Another user of this computer holds the protection: the service refuses both.
    QTest::addColumn<bool>("heldByAnotherUser");
    const QStringList both{QStringLiteral("dns reset"), killSwitchOff};
    QTest::newRow("nothing left") << false << false << "192.0.2.53" << QStringList() << false;
    QTest::newRow("dns flag") << true << false << "192.0.2.53"
                              << QStringList{QStringLiteral("dns reset")} << false;
    QTest::newRow("tunnel dns on an adapter")
        << false << false << "172.16.0.1" << QStringList{QStringLiteral("dns reset")} << false;
    QTest::newRow("kill switch flag")
        << false << true << "192.0.2.53" << QStringList{killSwitchOff} << false;
    QTest::newRow("both") << true << true << "192.0.2.53" << both << false;
    QTest::newRow("both, held by another user") << true << true << "192.0.2.53" << both << true;
}

void VpnCoreTest::startupRepairUndoesWhatAnEarlierRunLeft()
{
    QFETCH(bool, dnsFlag);
    QFETCH(bool, killSwitchFlag);
    QFETCH(QString, adapterDns);
    QFETCH(QStringList, expected);
    QFETCH(bool, heldByAnotherUser);
    {
        Status earlierRun;
        earlierRun.setDnsActivated(dnsFlag);
        earlierRun.setKillswitchActivated(killSwitchFlag);
    }
    VpnCore core;
    core.dnsManager().setFactSource([adapterDns] {
        Platform::DnsFacts facts;
        facts.adapters << ordinaryAdapter(adapterDns);
        return facts;
    });
    for (const QString& tool : {QStringLiteral("dns"), QStringLiteral("killswitch")})
        m_service->refuseStartsOf(tool, heldByAnotherUser ? 16 : 0);
    core.recoverProtectionState();
    QCOMPARE(core.wrongDnsDetected(), expected.contains(QStringLiteral("dns reset")));
    QVERIFY(m_service->receiveEverythingSent());
    QCOMPARE(commands(), expected);
    // Refused, the flags stay for the next start to try again.
    if (heldByAnotherUser)
        QTRY_VERIFY(Status().dnsActivated() && Status().killswitchActivated());
    QCOMPARE(Status().dnsActivated(), heldByAnotherUser);
    QCOMPARE(Status().killswitchActivated(), heldByAnotherUser);
    for (const QString& tool : {QStringLiteral("dns"), QStringLiteral("killswitch")})
        m_service->refuseStartsOf(tool, 0);
}

void VpnCoreTest::anotherUsersProtectionEndsTheAttempt()
{
    auto core = makeCore();
    QSignalSpy states(core.get(), &VpnCore::connectionStateChanged);
    QSignalSpy events(core.get(), &VpnCore::killSwitchEventActivated);
    core->setVpnServerIp(server1, QStringLiteral("Lab, Loopback"));
    const auto expectEndedWithoutReconnection = [&] {
        // An error ends as Disconnected, with its text.
        QVERIFY(waitForState(states, ConnectionState::Disconnected));
        QCOMPARE(core->vpnConnectionErrorText(), VpnClient::anotherUserText());
        QTRY_COMPARE(m_service->runningPrograms(QStringLiteral("openvpn")), 0);
        QTest::qWait(1500); // longer than the reconnection delay
        QVERIFY(!statesOf(states).contains(ConnectionState::Reconnecting));
        QVERIFY(!statesOf(states).contains(ConnectionState::Connected));
        QCOMPARE(events.count(), 0);
        QVERIFY(!Status().killswitchActivated());
    };

    // Another user's tunnel.
    m_service->refuseStartsOf(QStringLiteral("openvpn"), 16);
    core->connectToVpn();
    expectEndedWithoutReconnection();
    m_service->refuseStartsOf(QStringLiteral("openvpn"), 0);

    // The kill switch or the tunnel's DNS refused: no connection without them. The kill switch
    // comes before Connected is shown, the DNS just after.
    for (const QString& tool : {QStringLiteral("killswitch"), QStringLiteral("dns")}) {
        states.clear();
        m_service->refuseStartsOf(tool, 16);
        core->connectToVpn();
        QVERIFY(waitForState(states, ConnectionState::Disconnected));
        QCOMPARE(statesOf(states).contains(ConnectionState::Connected),
                 tool == QLatin1String("dns"));
        QCOMPARE(core->vpnConnectionErrorText(), VpnClient::anotherUserText());
        QTRY_COMPARE(m_service->runningPrograms(QStringLiteral("openvpn")), 0);
        QVERIFY(!statesOf(states).contains(ConnectionState::Reconnecting));
        QCOMPARE(events.count(), 0);
        QVERIFY(!Status().killswitchActivated());
        QVERIFY(!Status().dnsActivated());
        m_service->refuseStartsOf(tool, 0);
    }
}

void VpnCoreTest::serverChoiceByCountryAndAutoConnection()
{
    LogCapture log;
    auto core = makeCore();
    core->onRequestServerListFinished(
        {server(QStringLiteral("127.0.0.5"), QStringLiteral("nl"), QStringLiteral("Amsterdam"),
                QStringLiteral("nl-ams-01")),
         server(QStringLiteral("127.0.0.6"), QStringLiteral("de"), QStringLiteral("Berlin"),
                QStringLiteral("de-ber-01")),
         server(QStringLiteral("127.0.0.7"), QStringLiteral("de"), QStringLiteral("Munich"),
                QStringLiteral("de-muc-01")),
         // Documentation addresses: their probe round chooses nothing.
         server(QStringLiteral("192.0.2.10"), QStringLiteral("fr"), QStringLiteral("Paris"),
                QStringLiteral("fr-par-01")),
         server(QStringLiteral("192.0.2.11"), QStringLiteral("fr"), QStringLiteral("Lyon"),
                QStringLiteral("fr-lyo-01"))});
    core->setVpnServerIp(server1, QStringLiteral("Lab"));
    core->setSearchModeForCountry(QString());
    QCOMPARE(core->vpnServerIp(), server1);

    core->setSearchModeForCountry(QStringLiteral("nl"));
    QCOMPARE(core->vpnServerIp(), QStringLiteral("127.0.0.5"));
    QVERIFY(log.contains(QStringLiteral("Only one server available, VPN location in")));
    QCOMPARE(Settings::instance()->currentServerId(), QStringLiteral("nl"));

    // Unknown addresses are passed over; the first catalogue server of the results wins.
    core->onLastPingRequestFinished({QStringLiteral("127.9.9.9:4"), QStringLiteral("127.0.0.7:9"),
                                     QStringLiteral("127.0.0.6:12")});
    QCOMPARE(core->vpnServerIp(), QStringLiteral("127.0.0.7"));

    core->setSearchModeForCountry(QStringLiteral("de"));
    QVERIFY(core->vpnServerIp().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!core->vpnServerIp().isEmpty(), 5000);
    QVERIFY(QStringList({QStringLiteral("127.0.0.6"), QStringLiteral("127.0.0.7")})
                .contains(core->vpnServerIp()));
    QCOMPARE(core->bestStringForCountry(QStringLiteral("nl")), QStringLiteral("Best in NL"));
    QVERIFY(core->bestStringForCountry(QString()).isEmpty());

    // WireGuard auto-connection waits for the account: at most three requests per process.
    qputenv("CORVALINK_API_URL", "http://127.0.0.1:9");
    NetworkApi api;
    core->setNetworkApi(&api);
    Settings::instance()->setNetworkProtocol(3);
    VpnCore::resetAccountRequestCountForTesting();
    core->setAutoConnectionPending(true);
    for (int i = 0; i < 4; ++i)
        core->setVpnServerIp(server1, QStringLiteral("Lab"));
    QCOMPARE(VpnCore::accountRequestCount(), 3);
    QVERIFY(core->autoConnectionPending());

    QSignalSpy states(core.get(), &VpnCore::connectionStateChanged);
    core->onApiRequestAccountFinished(wireGuardAccount());
    QVERIFY(log.contains(QStringLiteral("Start auto connection")));
    QVERIFY(!core->autoConnectionPending());
    QVERIFY(waitForState(states, ConnectionState::Connected));
    // WireGuard has no kill switch and no forced DNS.
    const QStringList sent = commands();
    QVERIFY(sent.contains(QStringLiteral("wireguard-service")));
    QVERIFY(sent.filter(QStringLiteral("killswitch enable")).isEmpty());
    QVERIFY(sent.filter(QStringLiteral("dns vpn")).isEmpty());
    // A country search while connected keeps the server until it chooses.
    core->setSearchModeForCountry(QStringLiteral("fr"));
    QCOMPARE(core->vpnServerIp(), server1);
    core->disconnectFromVpn();
    QVERIFY(waitForState(states, ConnectionState::Disconnected));
    qunsetenv("CORVALINK_API_URL");
}

void VpnCoreTest::pushedResolverOfEitherFamilyIsForced()
{
    auto core = makeCore();
    QSignalSpy states(core.get(), &VpnCore::connectionStateChanged);
    core->setVpnServerIp(server1, QStringLiteral("Lab, Loopback"));
    const QString v4 = QStringLiteral("172.16.0.1");
    const QString v6 = QStringLiteral("fd00::53");
    // Pushed, IPv6 allowed, the entry expected (empty: none). Each connection starts afresh: a
    // resolver of the one before is not carried over.
    const QList<std::tuple<QString, bool, QString>> rounds{
        {v4 + QLatin1Char(',') + v6, true, v4 + QLatin1Char(',') + v6},
        {v4, true, v4 + QLatin1Char(',')},
        {v6, true, QLatin1Char(',') + v6},
        {v6, false, QString()},
        {QString(), true, QString()}};
    for (const auto& [pushed, ipv6, entry] : rounds) {
        qputenv("FAKE_OPENVPN_PUSHED_DNS", pushed.toUtf8());
        Settings::instance()->setIpv6Enabled(ipv6);
        states.clear();
        m_service->clearFrames();
        core->connectToVpn();
        QVERIFY(waitForState(states, ConnectionState::Connected));
        QVERIFY(m_service->receiveEverythingSent());
        const QStringList dns = commands().filter(QRegularExpression(QStringLiteral("^dns vpn")));
        QCOMPARE(dns, entry.isEmpty() ? QStringList()
                                      : QStringList{QStringLiteral("dns vpn eth0@") + entry});
        // Nothing forced: the kill switch keeps DNS inside the tunnel, local devices or not.
        QCOMPARE(commands().filter(QStringLiteral("killswitch enable")),
                 QStringList{killSwitchOn1 +
                             (entry.isEmpty() ? QStringLiteral(" block-dns") : QString())});
        core->disconnectFromVpn();
        QVERIFY(waitForState(states, ConnectionState::Disconnected));
    }
    qunsetenv("FAKE_OPENVPN_PUSHED_DNS");
}
