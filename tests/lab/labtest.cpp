#include "labtest.h"

#include "scenario.h"

#include "app/application.h"
#include "core/connectionstate.h"
#include "core/vpncore.h"
#include "settings/settings.h"
#include "support/logcapture.h"
#include "support/residentmemory.h"
#include "support/windowobjects.h"
#include "utils/utils.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>
#include <QtTest>

#include <cstdio>
#include <unistd.h>

// What the scenarios allow outside their promises (see Scenario for the promises):
// - Before the first Connected anything may leave: the backend's requests, the servers' latency
//   probes, the network's DNS and IPv6; nothing protects a connection that does not exist yet.
// - After the user lets go (the disconnect, or OK in the kill-switch dialog) the same.
// - Without the kill switch (WireGuard, where it is not offered), a drop or a dead tunnel sends
//   traffic outside until the user acts; only "no network DNS" and "no IPv6" hold, and only while
//   the tunnel's resolvers are in place and while Connected.
// - With the kill switch, between a drop and the next Connected nothing but the servers' tunnels
//   and the by-design exceptions; the network's resolvers are local devices and stay blocked.
// - While the client waits for a network that went away, the kill switch holds as between any
//   two attempts.
namespace {

const int udp = 0;
const int tcp = 1;
const int stealth = 2;
const int wireGuard = 3;
const int connectTimeoutMs = 60000;
// How long a scenario stays connected after a transition, its traffic running.
const int trafficMs = 3000;
const QPoint buttonCentre(200, 265);

// With LAB_TIMELINE set, every log line of the client from the click on, with the milliseconds
// since the click: where a connection's time goes.
QElapsedTimer timelineClock;
QtMessageHandler handlerBeforeTimeline = nullptr;

void timelineHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (timelineClock.isValid())
        std::fprintf(stderr, "timeline %6lld ms  %s\n", timelineClock.elapsed(),
                     qPrintable(message));
    if (handlerBeforeTimeline)
        handlerBeforeTimeline(type, context, message);
}

void startTimeline()
{
    if (qEnvironmentVariableIsEmpty("LAB_TIMELINE"))
        return;
    timelineClock.start();
    handlerBeforeTimeline = qInstallMessageHandler(timelineHandler);
}

void stopTimeline()
{
    if (!timelineClock.isValid())
        return;
    qInstallMessageHandler(handlerBeforeTimeline);
    timelineClock.invalidate();
}

QString lab(const char* name)
{
    return qEnvironmentVariable(name);
}

bool runs(const QString& program, const QStringList& arguments, QString* output = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(15000);
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool pingPasses(const QString& address)
{
    return runs(QStringLiteral("ping"),
                {QStringLiteral("-n"), QStringLiteral("-c"), QStringLiteral("1"),
                 QStringLiteral("-W"), QStringLiteral("1"), address});
}

bool resolves(const QString& name)
{
    return runs(QStringLiteral("getent"), {QStringLiteral("hosts"), name});
}

// A packet routed out of the uplink that does not arrive was dropped by the kill switch.
bool routedOutsideTheTunnel(const QString& address)
{
    QString route;
    return runs(QStringLiteral("ip"), {QStringLiteral("route"), QStringLiteral("get"), address},
                &route) &&
           route.contains(QLatin1String("dev uplink"));
}

QString resolvConf()
{
    QFile file(QStringLiteral("/etc/resolv.conf"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool tunnelDnsForced()
{
    return resolvConf().contains(QLatin1String("172.16.0.1"));
}

// What the installed client, started as its own process, has written to its log so far.
bool clientLogHas(const QString& text)
{
    const QDir folder(lab("LAB_CLIENT_LOGS"));
    const QStringList logs =
        folder.entryList({QStringLiteral("*-app.log")}, QDir::Files, QDir::Time);
    if (logs.isEmpty())
        return false;
    QFile file(folder.filePath(logs.first()));
    return file.open(QIODevice::ReadOnly) && file.readAll().contains(text.toUtf8());
}

// The lab's servers in the catalogue's order: 1 pushes an IPv4 resolver, 2 both families, 3 none.
QString server(int number)
{
    return lab("LAB_SERVERS").split(QLatin1Char(',')).value(number - 1);
}

// CPU seconds (user and system) that a process has used, from /proc; 0 when it is gone.
double cpuSeconds(const QString& pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    // The command may hold spaces: the fields are counted from its closing parenthesis.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / sysconf(_SC_CLK_TCK);
}

QStringList pidsNamed(const QString& name)
{
    QStringList pids;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name.toLatin1())
            pids << pid;
    }
    return pids;
}

// Waits without waking every few milliseconds, as QTest::qWait does: the wait must not count
// as the client's CPU.
void waitQuietly(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool longRun()
{
    return !qEnvironmentVariableIsEmpty("LAB_LONG");
}

// scripts/bench.sh: every protocol, three times over, for medians.
bool benchRun()
{
    return !qEnvironmentVariableIsEmpty("LAB_BENCH");
}

const int benchRepeats = 3;

// The protocols of this run: the short run's, the long run's others, or all for the bench; with
// the row names' ends, " 1/3" and so on for the bench.
QList<QPair<int, QString>> protocolRuns(const QList<int>& shortRun, const QList<int>& longRunOnly)
{
    QList<QPair<int, QString>> runs;
    if (!benchRun()) {
        for (const int protocol : longRun() ? longRunOnly : shortRun)
            runs << qMakePair(protocol, QString());
        return runs;
    }
    for (const int protocol : {udp, tcp, stealth, wireGuard}) {
        for (int repeat = 1; repeat <= benchRepeats; ++repeat)
            runs << qMakePair(protocol, QStringLiteral(" %1/%2").arg(repeat).arg(benchRepeats));
    }
    return runs;
}

const char* protocolName(int protocol)
{
    static const char* const names[] = {"udp", "tcp", "stealth", "wireguard"};
    return names[protocol];
}

// A row per protocol run.
void addProtocolRows(const QList<int>& shortRun, const QList<int>& longRunOnly)
{
    QTest::addColumn<int>("protocol");
    for (const auto& run : protocolRuns(shortRun, longRunOnly))
        QTest::addRow("%s%s", protocolName(run.first), qPrintable(run.second)) << run.first;
}

QString rowTitle(const QString& scenario)
{
    const char* tag = QTest::currentDataTag();
    return tag ? QStringLiteral("%1 (%2)").arg(scenario, QLatin1String(tag)) : scenario;
}

void prepareSettings(int protocol, bool killSwitch, bool autoReconnect, int serverNumber = 1)
{
    Settings* settings = Settings::instance();
    settings->setUserName(lab("LAB_ACCOUNT_USER"));
    settings->setPassword(lab("LAB_ACCOUNT_PASSWORD"));
    settings->setNetworkProtocol(protocol);
    settings->setTcpPortIndex(0);
    settings->setUdpPortIndex(0);
    settings->setKillswitchEnabled(killSwitch);
    settings->setAllowAccessToLocalDevices(false);
    settings->setAutoReconnectionOnError(autoReconnect);
    settings->setAutoUpdateEnabled(false);
    settings->saveCurrentServerId(server(serverNumber));
    settings->saveGeneralSettings();
}

// The user clicks once the window shows the chosen server, not before.
QQuickWindow* readyWindow(Application& app, const QString& city = QStringLiteral("Amsterdam"))
{
    QQuickWindow* window = app.mainWindow();
    window->show();
    window->requestActivate();
    if (!QTest::qWaitForWindowExposed(window))
        return nullptr;
    QObject* location = WindowObjects::find(QStringLiteral("LocationItem"));
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20000 && location &&
           !location->property("text").toString().endsWith(city))
        QTest::qWait(50);
    return location && location->property("text").toString().endsWith(city) ? window : nullptr;
}

void click(QQuickWindow* window)
{
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, buttonCentre);
}

void saveShot(QQuickWindow* window, const QString& name)
{
    QTest::qWait(500);
    window->grabWindow().save(lab("LAB_SHOTS") + QStringLiteral("/lab-") + name +
                              QStringLiteral(".png"));
}

// Asks the root side about the kill switch every 50 ms while it lives: the rules must never be
// missing in between.
class KillSwitchWatch
{
public:
    explicit KillSwitchWatch(const LabControl& control) : m_control(control)
    {
        QObject::connect(&m_timer, &QTimer::timeout,
                         [this] { m_answers << m_control.ask(QStringLiteral("killswitch")); });
        m_timer.start(50);
    }
    bool heldThroughout() const
    {
        return !m_answers.isEmpty() && !m_answers.contains(QStringLiteral("absent"));
    }

private:
    const LabControl& m_control;
    QTimer m_timer;
    QStringList m_answers;
};

} // namespace

LabTest::LabTest() : m_control(qEnvironmentVariable("LAB_CONTROL")) {}

void LabTest::initTestCase()
{
    if (!m_control.isAvailable())
        QSKIP("runs inside the lab only (tests/lab/run-lab-tests.sh)");
    Utils::setApplicationDirectoryForTesting(lab("LAB_APP_DIR"));
}

void LabTest::init()
{
    QCOMPARE(m_control.ask(QStringLiteral("killswitch")), QStringLiteral("absent"));
    QVERIFY(!tunnelDnsForced());
}

void LabTest::cleanup()
{
    // A failed case must not leave a tunnel, rules or a changed uplink for the next.
    if (QTest::currentTestFailed())
        m_control.ask(QStringLiteral("reset"));
}

bool LabTest::killSwitchPresent() const
{
    return m_control.ask(QStringLiteral("killswitch")) == QLatin1String("present");
}

QQuickWindow* LabTest::connectFromTheWindow(Application& app, Scenario& scenario, bool killSwitch,
                                            const QString& country)
{
    QQuickWindow* window = app.init() ? readyWindow(app) : nullptr;
    if (!window)
        return nullptr;
    VpnCore* core = app.vpnCore();
    // The country's best server by a probe round, before anything blocks the probes.
    if (!country.isEmpty()) {
        core->setSearchModeForCountry(country);
        if (!QTest::qWaitFor([&] { return !core->vpnServerIp().isEmpty(); }, 5000))
            return nullptr;
    }
    scenario.watch(core);
    click(window);
    // The rules follow Connected through the service.
    const bool connected = QTest::qWaitFor(
        [&] {
            return core->connectionState() == ConnectionState::Connected &&
                   (!killSwitch || killSwitchPresent());
        },
        connectTimeoutMs);
    return connected ? window : nullptr;
}

bool LabTest::disconnectFromTheWindow(Application& app, QQuickWindow* window, Scenario& scenario)
{
    scenario.letGo();
    click(window);
    return QTest::qWaitFor(
        [&] {
            return app.vpnCore()->connectionState() == ConnectionState::Disconnected &&
                   !killSwitchPresent();
        },
        30000);
}

void LabTest::eachProtocolCarriesTraffic_data()
{
    addProtocolRows({udp, tcp, stealth, wireGuard}, {});
}

void LabTest::eachProtocolCarriesTraffic()
{
    QFETCH(int, protocol);
    static const QString tunnels[] = {lab("LAB_TUNNEL_UDP"), lab("LAB_TUNNEL_TCP"),
                                      lab("LAB_TUNNEL_TCP"), lab("LAB_TUNNEL_WIREGUARD")};
    // The kind of packet that alone may leave the client's network while it connects.
    static const QString transports[] = {QStringLiteral("udp_vpn"), QStringLiteral("tcp_vpn"),
                                         QStringLiteral("tls"), QStringLiteral("wireguard")};
    const QString tunnelAddress = tunnels[protocol];
    const QString transport = transports[protocol];
    const QString row = QString::fromLatin1(QTest::currentDataTag());
    const bool killSwitch = protocol != wireGuard; // offered for OpenVPN only
    const QString outside = lab("LAB_OUTSIDE_ADDRESS");
    const QString secret = lab("LAB_SECRET_NAME");
    prepareSettings(protocol, killSwitch, false);
    QVERIFY(!pingPasses(tunnelAddress));
    QVERIFY(!resolves(secret));
    QVERIFY(pingPasses(outside));
    Scenario scenario(m_control, rowTitle(QStringLiteral("connect, 10 s connected, disconnect")),
                      protocol, {server(1)});
    QVERIFY(scenario.begin());

    // What the client's signals write to outlives the client, which signals until it is gone.
    QElapsedTimer clock;
    qint64 connectMs = -1;
    Application app(nullptr);
    QVERIFY(app.init());
    VpnCore* core = app.vpnCore();
    QQuickWindow* window = readyWindow(app);
    QVERIFY(window);
    scenario.watch(core);
    QObject::connect(core, &VpnCore::connectionStateChanged, [&](int state) {
        if (state == ConnectionState::Connected && connectMs < 0)
            connectMs = clock.elapsed();
    });
    QCOMPARE(m_control.ask(QStringLiteral("counters-reset")), QStringLiteral("ok"));
    clock.start();
    startTimeline();
    click(window);
    QTRY_COMPARE_WITH_TIMEOUT(core->connectionState(), int(ConnectionState::Connected),
                              connectTimeoutMs);
    stopTimeline();
    qInfo("%s: from the click to Connected in %lld ms", qPrintable(row), connectMs);
    const QString downloaded = core->downloaded();
    const QString uploaded = core->uploaded();

    QVERIFY(pingPasses(tunnelAddress));
    // The DNS tool runs once the tunnel is up; this server pushes an IPv4 resolver only.
    QTRY_VERIFY_WITH_TIMEOUT(resolves(secret), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(core->currentIp(), lab("LAB_EXIT_ADDRESS"), 30000);
    QVERIFY(core->currentLocationImageSource().endsWith(lab("LAB_EXIT_COUNTRY") +
                                                        QStringLiteral(".png")));
    QTRY_VERIFY_WITH_TIMEOUT(core->downloaded() != downloaded && core->uploaded() != uploaded,
                             10000);
    const QStringList counters =
        m_control.ask(QStringLiteral("counters")).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QVERIFY2(counters.size() == 5, qPrintable(counters.join(QLatin1Char(' '))));
    for (const QString& counter : counters) {
        const bool own = counter.startsWith(transport + QLatin1Char('='));
        QVERIFY2(own != counter.endsWith(QLatin1String("=0")),
                 qPrintable(counters.join(QLatin1Char(' '))));
    }
    QVERIFY(routedOutsideTheTunnel(outside));
    if (killSwitch) {
        QTRY_COMPARE_WITH_TIMEOUT(m_control.ask(QStringLiteral("killswitch")),
                                  QStringLiteral("present"), 10000);
        QVERIFY(!pingPasses(outside));
    }
    saveShot(window, row);
    // Connected for a while, with the traffic running.
    QTest::qWait(10000);
    QCOMPARE(core->connectionState(), int(ConnectionState::Connected));

    scenario.letGo();
    click(window);
    QTRY_COMPARE_WITH_TIMEOUT(core->connectionState(), int(ConnectionState::Disconnected), 30000);
    QVERIFY(!pingPasses(tunnelAddress));
    QTRY_VERIFY_WITH_TIMEOUT(!tunnelDnsForced(), 10000);
    QVERIFY(!resolves(secret));
    QTRY_COMPARE_WITH_TIMEOUT(m_control.ask(QStringLiteral("killswitch")), QStringLiteral("absent"),
                              10000);
    QVERIFY(pingPasses(outside));
    QVERIFY(scenario.finish());
}

void LabTest::serverWithoutResolversLeavesNoDnsOutside()
{
    // The third server pushes no resolver: nothing to force, so the kill switch keeps DNS in.
    prepareSettings(udp, true, false, 3);
    Scenario scenario(m_control, QStringLiteral("a server that pushes no resolver"), udp,
                      {server(3)});
    QVERIFY(scenario.begin());
    Application app(nullptr);
    QQuickWindow* window = app.init() ? readyWindow(app, QStringLiteral("Stockholm")) : nullptr;
    QVERIFY(window);
    scenario.watch(app.vpnCore());
    click(window);
    QTRY_VERIFY_WITH_TIMEOUT(app.vpnCore()->connectionState() == ConnectionState::Connected &&
                                 killSwitchPresent(),
                             connectTimeoutMs);
    QTest::qWait(3000);
    QVERIFY(!tunnelDnsForced());
    QVERIFY(!resolves(lab("LAB_ROUTER_NAME")));
    QVERIFY(disconnectFromTheWindow(app, window, scenario));
    QVERIFY(resolves(lab("LAB_ROUTER_NAME")));
    QVERIFY(scenario.finish());
}

void LabTest::serverSwitchKeepsProtection_data()
{
    addProtocolRows({udp, wireGuard}, {tcp, stealth});
}

void LabTest::serverSwitchKeepsProtection()
{
    QFETCH(int, protocol);
    const bool killSwitch = protocol != wireGuard;
    prepareSettings(protocol, killSwitch, false);
    Scenario scenario(m_control, rowTitle(QStringLiteral("server switch")), protocol,
                      {server(1), server(2)});
    QVERIFY(scenario.begin());
    int connectedAgain = 0;
    Application app(nullptr);
    QQuickWindow* window = connectFromTheWindow(app, scenario, killSwitch);
    QVERIFY(window);
    VpnCore* core = app.vpnCore();
    QObject::connect(core, &VpnCore::connectionStateChanged,
                     [&](int state) { connectedAgain += state == ConnectionState::Connected; });
    {
        KillSwitchWatch watch(m_control);
        core->setVpnServerIp(server(2), QStringLiteral("Netherlands, Rotterdam"),
                             QStringLiteral("nl"));
        QTRY_VERIFY_WITH_TIMEOUT(connectedAgain == 1, connectTimeoutMs);
        QCOMPARE(core->vpnServerIp(), server(2));
        QVERIFY(!killSwitch || watch.heldThroughout());
    }
    if (killSwitch)
        QTRY_VERIFY_WITH_TIMEOUT(tunnelDnsForced(), 10000);
    QTest::qWait(trafficMs);
    QVERIFY(disconnectFromTheWindow(app, window, scenario));
    QVERIFY(scenario.finish());
}

void LabTest::unexpectedDropKeepsTheKillSwitch_data()
{
    addProtocolRows({udp}, {tcp, stealth});
}

void LabTest::unexpectedDropKeepsTheKillSwitch()
{
    QFETCH(int, protocol);
    prepareSettings(protocol, true, false);
    Scenario scenario(m_control, rowTitle(QStringLiteral("OpenVPN killed, no reconnection")),
                      protocol, {server(1)});
    QVERIFY(scenario.begin());
    Application app(nullptr);
    QQuickWindow* window = connectFromTheWindow(app, scenario, true);
    QVERIFY(window);
    VpnCore* core = app.vpnCore();

    // The connection ends here, whatever the window shows a moment longer.
    scenario.markDisconnected();
    QCOMPARE(m_control.ask(QStringLiteral("openvpn-kill")), QStringLiteral("ok"));
    QTRY_COMPARE_WITH_TIMEOUT(core->connectionState(), int(ConnectionState::Disconnected), 30000);
    QObject* dialog = WindowObjects::find(QStringLiteral("KillSwitchDialog"));
    QVERIFY(dialog);
    QTRY_VERIFY(dialog->property("opened").toBool());
    QVERIFY(killSwitchPresent());
    QVERIFY(!pingPasses(lab("LAB_OUTSIDE_ADDRESS")));
    // Held while the dialog waits, traffic or not.
    QTest::qWait(3000);
    QVERIFY(killSwitchPresent());
    if (protocol == udp)
        saveShot(window, QStringLiteral("kill-switch-event"));

    // The dialog's OK lets the protection go.
    scenario.letGo();
    QMetaObject::invokeMethod(dialog, "accept");
    QTRY_VERIFY_WITH_TIMEOUT(!killSwitchPresent(), 10000);
    QVERIFY(pingPasses(lab("LAB_OUTSIDE_ADDRESS")));
    QVERIFY(scenario.finish());
}

void LabTest::killedOpenVpnReconnectsWithTheKillSwitchHeld_data()
{
    addProtocolRows({udp}, {tcp, stealth});
}

void LabTest::killedOpenVpnReconnectsWithTheKillSwitchHeld()
{
    QFETCH(int, protocol);
    prepareSettings(protocol, true, true);
    LogCapture log(true);
    Scenario scenario(m_control, rowTitle(QStringLiteral("OpenVPN killed, reconnection on")),
                      protocol, {server(1)});
    QVERIFY(scenario.begin());
    QList<int> states;
    Application app(nullptr);
    QQuickWindow* window = connectFromTheWindow(app, scenario, true);
    QVERIFY(window);
    VpnCore* core = app.vpnCore();
    QObject::connect(core, &VpnCore::connectionStateChanged, [&](int state) { states << state; });
    {
        KillSwitchWatch watch(m_control);
        // The connection ends here, whatever the window shows a moment longer.
        scenario.markDisconnected();
        QCOMPARE(m_control.ask(QStringLiteral("openvpn-kill")), QStringLiteral("ok"));
        QTRY_VERIFY_WITH_TIMEOUT(states.contains(ConnectionState::Reconnecting), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(core->connectionState(), int(ConnectionState::Connected),
                                  connectTimeoutMs);
        QVERIFY(watch.heldThroughout());
    }
    QVERIFY(log.contains(QStringLiteral("CrashExit")));
    QVERIFY(pingPasses(lab(protocol == udp ? "LAB_TUNNEL_UDP" : "LAB_TUNNEL_TCP")));
    QTRY_VERIFY_WITH_TIMEOUT(tunnelDnsForced(), 10000);
    QTest::qWait(trafficMs);
    QVERIFY(disconnectFromTheWindow(app, window, scenario));
    QVERIFY(scenario.finish());
}

void LabTest::restartedServiceReconnectsWithTheKillSwitchHeld_data()
{
    QTest::addColumn<bool>("upgrade");
    QTest::newRow("killed and started again") << false;
    // Where the lab runs the installed package and has a rebuilt one (scripts/check-package.sh).
    QTest::newRow("package upgraded") << true;
}

void LabTest::restartedServiceReconnectsWithTheKillSwitchHeld()
{
    QFETCH(bool, upgrade);
    if (upgrade && m_control.ask(QStringLiteral("package-available")) != QLatin1String("yes"))
        QSKIP("no installed package to upgrade");
    prepareSettings(udp, true, true);
    LogCapture log(true);
    Scenario scenario(m_control, rowTitle(QStringLiteral("service")), udp, {server(1)});
    QVERIFY(scenario.begin());
    Application app(nullptr);
    QQuickWindow* window = connectFromTheWindow(app, scenario, true);
    QVERIFY(window);
    VpnCore* core = app.vpnCore();
    const QString init = QStringLiteral("Send data: [init: connection]");
    const QString connected = QStringLiteral("State set to 'Connected'");
    QCOMPARE(log.count(init), 1);
    const int connections = log.count(connected);
    {
        KillSwitchWatch watch(m_control);
        scenario.markDisconnected();
        if (upgrade) {
            // The package's scripts stop the old service; the new one is started as a service
            // manager would. The client's event loop runs meanwhile, as it would for a user.
            QCOMPARE(m_control.ask(QStringLiteral("package-upgrade")), QStringLiteral("started"));
            QTRY_COMPARE_WITH_TIMEOUT(m_control.ask(QStringLiteral("package-upgrade-result")),
                                      QStringLiteral("ok"), 120000);
        } else {
            QCOMPARE(m_control.ask(QStringLiteral("service-kill")), QStringLiteral("ok"));
            // Its tunnel ends with it; the client learns it from the tunnel's own channel.
            QTRY_COMPARE_WITH_TIMEOUT(m_control.ask(QStringLiteral("tunnel-programs")),
                                      QStringLiteral("0"), 10000);
            QTRY_VERIFY_WITH_TIMEOUT(core->connectionState() != ConnectionState::Connected, 30000);
            QVERIFY(!pingPasses(lab("LAB_TUNNEL_UDP")));
            QCOMPARE(m_control.ask(QStringLiteral("service-start")), QStringLiteral("ok"));
        }
        QTRY_VERIFY_WITH_TIMEOUT(log.count(connected) > connections, connectTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(core->connectionState(), int(ConnectionState::Connected),
                                  connectTimeoutMs);
        QVERIFY(watch.heldThroughout());
    }
    // The link to the new service is a reconnection: no second greeting.
    QCOMPARE(log.count(init), 1);
    QVERIFY(pingPasses(lab("LAB_TUNNEL_UDP")));
    QTest::qWait(trafficMs);
    QVERIFY(disconnectFromTheWindow(app, window, scenario));
    QVERIFY(scenario.finish());
}

// Last of a package round: what the removal's scripts lift is what the client had engaged.
void LabTest::purgedPackageLiftsProtection()
{
    if (m_control.ask(QStringLiteral("package-available")) != QLatin1String("yes"))
        QSKIP("no installed package to purge");
    prepareSettings(udp, true, true);
    const QString resolvers = resolvConf();
    Scenario scenario(m_control, QStringLiteral("package purged while connected"), udp,
                      {server(1)});
    QVERIFY(scenario.begin());
    Application app(nullptr);
    QVERIFY(connectFromTheWindow(app, scenario, true));
    QTRY_VERIFY_WITH_TIMEOUT(tunnelDnsForced(), 10000);
    // Removing the client is the user letting go of its protection.
    scenario.letGo();
    QCOMPARE(m_control.ask(QStringLiteral("package-purge")), QStringLiteral("ok"));
    QCOMPARE(m_control.ask(QStringLiteral("tunnel-programs")), QStringLiteral("0"));
    QCOMPARE(m_control.ask(QStringLiteral("killswitch")), QStringLiteral("absent"));
    QCOMPARE(resolvConf(), resolvers);
    QVERIFY(pingPasses(lab("LAB_INTERNET_ADDRESS")));
    QVERIFY(scenario.finish());
}

void LabTest::killedClientIsRepairedAtTheNextStart()
{
    prepareSettings(udp, true, false);
    // The installed client runs as a process of its own: the scenario's moments are what this
    // side sees of the rules and the resolvers.
    Scenario scenario(m_control, QStringLiteral("client killed, repaired at the next start"), udp,
                      {server(1)});
    QVERIFY(scenario.begin());
    QProcess client;
    client.setProcessChannelMode(QProcess::ForwardedChannels);
    client.start(lab("LAB_APP_DIR") + QStringLiteral("/corvalink"), QStringList());
    QVERIFY(client.waitForStarted());
    QString window;
    QVERIFY(
        runs(QStringLiteral("xdotool"),
             {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
              QStringLiteral("--pid"), QString::number(client.processId()),
              QStringLiteral("--name"), QStringLiteral("^Corvalink$")},
             &window));
    window = window.split(QLatin1Char('\n')).first().trimmed();
    QTRY_VERIFY_WITH_TIMEOUT(clientLogHas(QStringLiteral("Set VPN location in")), 30000);
    QVERIFY(runs(QStringLiteral("xdotool"),
                 {QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                  QString::number(buttonCentre.x()), QString::number(buttonCentre.y()),
                  QStringLiteral("click"), QStringLiteral("1")}));
    QTRY_VERIFY_WITH_TIMEOUT(killSwitchPresent(), connectTimeoutMs);
    scenario.markConnected();
    QTRY_VERIFY_WITH_TIMEOUT(tunnelDnsForced(), 10000);

    scenario.markDisconnected();
    client.kill();
    QVERIFY(client.waitForFinished());
    QTest::qWait(1000);
    QVERIFY(tunnelDnsForced());
    QVERIFY(killSwitchPresent());

    scenario.letGo();
    LogCapture log(true);
    Application app(nullptr);
    QVERIFY(app.init());
    QTRY_VERIFY_WITH_TIMEOUT(!tunnelDnsForced(), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(!killSwitchPresent(), 20000);
    QVERIFY(log.contains(QStringLiteral("Detected wrong DNS status")));
    QVERIFY(log.contains(QStringLiteral("Detected wrong killswitch status")));
    QVERIFY(pingPasses(lab("LAB_OUTSIDE_ADDRESS")));
    QVERIFY(scenario.finish());
}

void LabTest::uplinkChangeIsFollowed_data()
{
    // The uplink down 10 s and up again, or moved to another address and gateway.
    QTest::addColumn<int>("protocol");
    QTest::addColumn<bool>("readdress");
    for (const auto& run : protocolRuns({udp, wireGuard}, {tcp, stealth})) {
        const char* name = protocolName(run.first);
        QTest::addRow("down and up, %s%s", name, qPrintable(run.second)) << run.first << false;
        QTest::addRow("moved, %s%s", name, qPrintable(run.second)) << run.first << true;
    }
}

void LabTest::uplinkChangeIsFollowed()
{
    QFETCH(int, protocol);
    QFETCH(bool, readdress);
    const bool killSwitch = protocol != wireGuard;
    prepareSettings(protocol, killSwitch, true);
    const QString networkResolvConf = resolvConf();
    Scenario scenario(m_control, rowTitle(QStringLiteral("uplink change")), protocol, {server(1)});
    QVERIFY(scenario.begin());
    Application app(nullptr);
    QQuickWindow* window = connectFromTheWindow(app, scenario, killSwitch);
    QVERIFY(window);
    VpnCore* core = app.vpnCore();
    KillSwitchWatch watch(m_control);
    QElapsedTimer clock;
    clock.start();
    const QString change =
        readdress ? QStringLiteral("uplink-readdress") : QStringLiteral("uplink-down");
    QCOMPARE(m_control.ask(change), QStringLiteral("ok"));
    QTRY_VERIFY_WITH_TIMEOUT(core->connectionState() == ConnectionState::Reconnecting, 10000);
    const qint64 noticedMs = clock.elapsed();
    if (readdress)
        QCOMPARE(m_control.ask(QStringLiteral("network-dns-moved")), QStringLiteral("ok"));
    if (!readdress) {
        // Waiting for the network is no failed attempt: still waiting when it comes back.
        QTest::qWait(10000);
        QCOMPARE(core->connectionState(), int(ConnectionState::Reconnecting));
        clock.restart();
        QCOMPARE(m_control.ask(QStringLiteral("uplink-up")), QStringLiteral("ok"));
    }
    QTRY_VERIFY_WITH_TIMEOUT(core->connectionState() == ConnectionState::Connected,
                             connectTimeoutMs);
    qInfo("%s: the change noticed in %lld ms, Connected %lld ms after the network was back",
          QTest::currentDataTag(), noticedMs, clock.elapsed());
    QVERIFY(!killSwitch || watch.heldThroughout());
    QTRY_VERIFY_WITH_TIMEOUT(pingPasses(lab("LAB_INTERNET_ADDRESS")), 10000);
    QTest::qWait(trafficMs);
    QVERIFY(disconnectFromTheWindow(app, window, scenario));
    // The resolvers put back are the new network's, not those of the network left behind.
    if (readdress)
        QTRY_COMPARE(resolvConf(), QStringLiteral("search moved.test\n") + networkResolvConf);
    QVERIFY(scenario.finish());
    QCOMPARE(m_control.ask(QStringLiteral("uplink-restore")), QStringLiteral("ok"));
}

void LabTest::killSwitchDialogOpenAcrossAReconnectionKeepsProtection()
{
    prepareSettings(udp, true, false);
    Scenario scenario(m_control, QStringLiteral("kill-switch dialog open across a reconnection"),
                      udp, {server(1)});
    QVERIFY(scenario.begin());
    Application app(nullptr);
    QQuickWindow* window = connectFromTheWindow(app, scenario, true);
    QVERIFY(window);
    VpnCore* core = app.vpnCore();
    // The connection ends here, whatever the window shows a moment longer.
    scenario.markDisconnected();
    QCOMPARE(m_control.ask(QStringLiteral("openvpn-kill")), QStringLiteral("ok"));
    QObject* dialog = WindowObjects::find(QStringLiteral("KillSwitchDialog"));
    QVERIFY(dialog);
    QTRY_VERIFY_WITH_TIMEOUT(dialog->property("opened").toBool(), 30000);

    // The tray connects again while the dialog waits.
    QVERIFY(QMetaObject::invokeMethod(&app, "onConnectDisconnectActionClicked"));
    QTRY_VERIFY_WITH_TIMEOUT(core->connectionState() == ConnectionState::Connected &&
                                 tunnelDnsForced(),
                             connectTimeoutMs);
    {
        KillSwitchWatch watch(m_control);
        QMetaObject::invokeMethod(dialog, "accept");
        QTRY_VERIFY(!dialog->property("opened").toBool());
        QTest::qWait(1000);
        QVERIFY(watch.heldThroughout());
    }
    QVERIFY(!pingPasses(lab("LAB_OUTSIDE_ADDRESS")));
    QTest::qWait(trafficMs);
    QVERIFY(disconnectFromTheWindow(app, window, scenario));
    QVERIFY(scenario.finish());
}

void LabTest::countrySearchThenDropReconnectsToAServer()
{
    prepareSettings(udp, true, true);
    LogCapture log(true);
    Scenario scenario(m_control, QStringLiteral("country search, then a drop"), udp,
                      {server(1), server(2)});
    QVERIFY(scenario.begin());
    bool connectedAfterTheSearch = false;
    Application app(nullptr);
    QQuickWindow* window = connectFromTheWindow(app, scenario, true);
    QVERIFY(window);
    VpnCore* core = app.vpnCore();
    QObject::connect(core, &VpnCore::connectionStateChanged, [&](int state) {
        connectedAfterTheSearch |= state == ConnectionState::Connected &&
                                   log.contains(QStringLiteral("From ping, selected"));
    });
    {
        KillSwitchWatch watch(m_control);
        core->setSearchModeForCountry(QStringLiteral("nl"));
        // The connection ends here, whatever the window shows a moment longer.
        scenario.markDisconnected();
        QCOMPARE(m_control.ask(QStringLiteral("openvpn-kill")), QStringLiteral("ok"));
        // The drop goes back to a server; the search's choice then switches to its own.
        QTRY_VERIFY_WITH_TIMEOUT(connectedAfterTheSearch, 2 * connectTimeoutMs);
        QVERIFY(watch.heldThroughout());
    }
    QVERIFY(!log.contains(QStringLiteral("VPN server IP is empty!")));
    QVERIFY(!core->vpnServerIp().isEmpty());
    QTest::qWait(trafficMs);
    QVERIFY(disconnectFromTheWindow(app, window, scenario));
    QVERIFY(scenario.finish());
}

void LabTest::silentServerIsNoticedAndRejoined_data()
{
    addProtocolRows({udp, wireGuard}, {tcp, stealth});
}

void LabTest::silentServerIsNoticedAndRejoined()
{
    QFETCH(int, protocol);
    const bool killSwitch = protocol != wireGuard;
    prepareSettings(protocol, killSwitch, true);
    Scenario scenario(m_control, rowTitle(QStringLiteral("a server that goes silent, then back")),
                      protocol, {server(1)});
    QVERIFY(scenario.begin());
    Application app(nullptr);
    QQuickWindow* window = connectFromTheWindow(app, scenario, killSwitch);
    QVERIFY(window);
    VpnCore* core = app.vpnCore();
    QElapsedTimer clock;
    KillSwitchWatch watch(m_control);
    QCOMPARE(m_control.ask(QStringLiteral("server-drop")), QStringLiteral("ok"));
    clock.start();
    // Noticed by the client or by OpenVPN itself, whichever is first: Reconnecting either way.
    QTRY_VERIFY_WITH_TIMEOUT(core->connectionState() == ConnectionState::Reconnecting,
                             connectTimeoutMs);
    const qint64 noticedMs = clock.elapsed();
    QCOMPARE(m_control.ask(QStringLiteral("server-pass")), QStringLiteral("ok"));
    clock.restart();
    QTRY_VERIFY_WITH_TIMEOUT(core->connectionState() == ConnectionState::Connected,
                             2 * connectTimeoutMs);
    qInfo("%s: silence noticed in %lld ms, Connected %lld ms after the server came back",
          QTest::currentDataTag(), noticedMs, clock.elapsed());
    QVERIFY(!killSwitch || watch.heldThroughout());
    QTRY_VERIFY_WITH_TIMEOUT(pingPasses(lab("LAB_INTERNET_ADDRESS")), 10000);
    QTest::qWait(trafficMs);
    QVERIFY(disconnectFromTheWindow(app, window, scenario));
    QVERIFY(scenario.finish());
}

void LabTest::stoppedClientCatchesUp_data()
{
    addProtocolRows({udp, wireGuard}, {tcp, stealth});
}

void LabTest::stoppedClientCatchesUp()
{
    QFETCH(int, protocol);
    const bool killSwitch = protocol != wireGuard;
    prepareSettings(protocol, killSwitch, true);
    LogCapture log(true);
    Scenario scenario(m_control,
                      rowTitle(QStringLiteral("client stopped while its server restarts")),
                      protocol, {server(1)});
    QVERIFY(scenario.begin());
    Application app(nullptr);
    QQuickWindow* window = connectFromTheWindow(app, scenario, killSwitch);
    QVERIFY(window);
    VpnCore* core = app.vpnCore();
    KillSwitchWatch watch(m_control);
    // Stopped here for a minute; the answer comes once this process runs again.
    QCOMPARE(
        m_control.ask(QStringLiteral("client-freeze %1").arg(QCoreApplication::applicationPid())),
        QStringLiteral("ok"));
    QElapsedTimer clock;
    clock.start();
    // OpenVPN may have restarted by itself meanwhile, and says so first; else the client checks.
    QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("checking the tunnel")) ||
                                 log.contains(QStringLiteral(",RECONNECTING,")),
                             5000);
    QTRY_VERIFY_WITH_TIMEOUT(core->connectionState() == ConnectionState::Connected &&
                                 pingPasses(lab("LAB_INTERNET_ADDRESS")),
                             connectTimeoutMs);
    qInfo("%s: working again %lld ms after the resume", QTest::currentDataTag(), clock.elapsed());
    QVERIFY(!killSwitch || watch.heldThroughout());
    QTest::qWait(trafficMs);
    QVERIFY(disconnectFromTheWindow(app, window, scenario));
    QVERIFY(scenario.finish());
}

void LabTest::deadServerOfTheChosenCountryGivesWayToTheNext_data()
{
    addProtocolRows({udp}, {wireGuard});
}

// The user chose the Netherlands; the server the probe round picked goes silent for good.
void LabTest::deadServerOfTheChosenCountryGivesWayToTheNext()
{
    QFETCH(int, protocol);
    const bool killSwitch = protocol != wireGuard;
    prepareSettings(protocol, killSwitch, true);
    LogCapture log(true);
    Scenario scenario(m_control, rowTitle(QStringLiteral("dead server of the chosen country")),
                      protocol, {server(1), server(2)});
    QVERIFY(scenario.begin());
    Application app(nullptr);
    QQuickWindow* window = connectFromTheWindow(app, scenario, killSwitch, QStringLiteral("nl"));
    QVERIFY(window);
    VpnCore* core = app.vpnCore();
    const QString chosen = core->vpnServerIp();
    const int chosenNumber = chosen == server(1) ? 1 : 2;
    KillSwitchWatch watch(m_control);
    QCOMPARE(m_control.ask(QStringLiteral("server-drop %1").arg(chosenNumber)),
             QStringLiteral("ok"));
    QElapsedTimer clock;
    clock.start();
    // Noticed, given two more tries, then left for the other: about two minutes.
    QTRY_VERIFY_WITH_TIMEOUT(core->connectionState() == ConnectionState::Connected &&
                                 core->vpnServerIp() != chosen,
                             240000);
    qInfo("%s: on the country's next server %lld ms after the first went silent",
          QTest::currentDataTag(), clock.elapsed());
    QVERIFY(log.contains(QStringLiteral("failed twice, trying the country's next best server")));
    QVERIFY(!killSwitch || watch.heldThroughout());
    QTRY_VERIFY_WITH_TIMEOUT(pingPasses(lab("LAB_INTERNET_ADDRESS")), 10000);
    QTest::qWait(trafficMs);
    QVERIFY(disconnectFromTheWindow(app, window, scenario));
    QVERIFY(scenario.finish());
    QCOMPARE(m_control.ask(QStringLiteral("server-pass %1").arg(chosenNumber)),
             QStringLiteral("ok"));
}

void LabTest::idleTunnelIsKept_data()
{
    QTest::addColumn<int>("protocol");
    for (const int protocol : {udp, tcp, stealth, wireGuard})
        QTest::newRow(protocolName(protocol)) << protocol;
}

// Ten minutes with nothing to send: the probes of an idle tunnel must not take it for dead.
void LabTest::idleTunnelIsKept()
{
    if (!benchRun())
        QSKIP("ten minutes a protocol: scripts/bench.sh runs it");
    QFETCH(int, protocol);
    const bool killSwitch = protocol != wireGuard;
    prepareSettings(protocol, killSwitch, true);
    Scenario scenario(m_control, rowTitle(QStringLiteral("idle")), protocol, {server(1)});
    Application app(nullptr);
    QQuickWindow* window = connectFromTheWindow(app, scenario, killSwitch);
    QVERIFY(window);
    VpnCore* core = app.vpnCore();
    int leftConnected = 0;
    QObject::connect(core, &VpnCore::connectionStateChanged,
                     [&](int state) { leftConnected += state != ConnectionState::Connected; });
    const int idleMs = 10 * 60 * 1000;
    QTest::qWait(idleMs);
    qInfo("%s: idle for %d s, left Connected %d times", QTest::currentDataTag(), idleMs / 1000,
          leftConnected);
    QCOMPARE(leftConnected, 0);
    QVERIFY(disconnectFromTheWindow(app, window, scenario));
}

void LabTest::resourcesWhileConnected_data()
{
    QTest::addColumn<int>("protocol");
    for (const int protocol : {udp, wireGuard})
        QTest::newRow(protocolName(protocol)) << protocol;
}

// Ten minutes connected with the scenario's traffic: the CPU of the client (this process) and
// of our service and tools while idle, with the window shown and then in the tray, and the
// client's resident memory after one minute and after ten.
void LabTest::resourcesWhileConnected()
{
    if (!benchRun())
        QSKIP("ten minutes a protocol: scripts/bench.sh runs it");
    QFETCH(int, protocol);
    const bool killSwitch = protocol != wireGuard;
    prepareSettings(protocol, killSwitch, true);
    Scenario scenario(m_control, rowTitle(QStringLiteral("resources")), protocol, {server(1)});
    Application app(nullptr);
    QQuickWindow* window = connectFromTheWindow(app, scenario, killSwitch);
    QVERIFY(window);
    const auto cpu = [] {
        double seconds = cpuSeconds(QStringLiteral("self"));
        // Names as /proc gives them, cut to 15 characters.
        for (const QString& name :
             {QStringLiteral("vpn-service"), QStringLiteral("wireguard-servi")})
            for (const QString& pid : pidsNamed(name))
                seconds += cpuSeconds(pid);
        return seconds;
    };
    waitQuietly(60000);
    const qint64 oneMinuteKib = ResidentMemory::kib();
    double before = cpu();
    waitQuietly(60000);
    const double shownPercent = (cpu() - before) / 60 * 100;
    window->hide();
    before = cpu();
    waitQuietly(60000);
    const double trayPercent = (cpu() - before) / 60 * 100;
    window->show();
    waitQuietly(7 * 60000);
    const qint64 tenMinutesKib = ResidentMemory::kib();
    qInfo("%s: CPU of the client and the service %.2f %% with the window shown, %.2f %% in the "
          "tray; resident memory %.1f MiB after 1 minute, %.1f MiB after 10 (%+.1f %%)",
          QTest::currentDataTag(), shownPercent, trayPercent, oneMinuteKib / 1024.0,
          tenMinutesKib / 1024.0, (tenMinutesKib - oneMinuteKib) * 100.0 / oneMinuteKib);
    QCOMPARE(app.vpnCore()->connectionState(), int(ConnectionState::Connected));
    QVERIFY(disconnectFromTheWindow(app, window, scenario));
}
