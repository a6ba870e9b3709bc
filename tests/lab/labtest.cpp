#include "labtest.h"

#include "app/application.h"
#include "core/connectionstate.h"
#include "core/vpncore.h"
#include "settings/settings.h"
#include "support/logcapture.h"
#include "support/windowobjects.h"
#include "utils/utils.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>
#include <QtTest>

namespace {

const int udp = 0;
const int tcp = 1;
const int stealth = 2;
const int wireGuard = 3;
const int connectTimeoutMs = 60000;
const QPoint buttonCentre(200, 265);

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

void prepareSettings(int protocol, bool killSwitch, bool autoReconnect)
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
    settings->saveCurrentServerId(lab("LAB_SERVER_ADDRESS"));
    settings->saveGeneralSettings();
}

// The user clicks once the window shows the chosen server, not before.
QQuickWindow* readyWindow(Application& app)
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
           !location->property("text").toString().endsWith(QLatin1String("Amsterdam")))
        QTest::qWait(50);
    return location && location->property("text").toString().endsWith(QLatin1String("Amsterdam"))
               ? window
               : nullptr;
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

QQuickWindow* LabTest::connectFromTheWindow(Application& app)
{
    QQuickWindow* window = app.init() ? readyWindow(app) : nullptr;
    if (!window)
        return nullptr;
    click(window);
    VpnCore* core = app.vpnCore();
    // The rules follow Connected through the service.
    const bool connected = QTest::qWaitFor(
        [&] {
            return core->connectionState() == ConnectionState::Connected &&
                   m_control.ask(QStringLiteral("killswitch")) == QStringLiteral("present");
        },
        connectTimeoutMs);
    return connected ? window : nullptr;
}

bool LabTest::disconnectFromTheWindow(Application& app, QQuickWindow* window)
{
    click(window);
    return QTest::qWaitFor(
        [&] {
            return app.vpnCore()->connectionState() == ConnectionState::Disconnected &&
                   m_control.ask(QStringLiteral("killswitch")) == QStringLiteral("absent");
        },
        30000);
}

void LabTest::cleanup()
{
    // A failed case must not leave a tunnel or rules for the next.
    if (QTest::currentTestFailed())
        m_control.ask(QStringLiteral("reset"));
}

void LabTest::eachProtocolCarriesTraffic_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<QString>("tunnelAddress");
    // The kind of packet that alone may leave the client's network while it connects.
    QTest::addColumn<QString>("transport");
    QTest::newRow("udp") << udp << lab("LAB_TUNNEL_UDP") << QStringLiteral("udp_vpn");
    QTest::newRow("tcp") << tcp << lab("LAB_TUNNEL_TCP") << QStringLiteral("tcp_vpn");
    QTest::newRow("stealth") << stealth << lab("LAB_TUNNEL_TCP") << QStringLiteral("tls");
    QTest::newRow("wireguard") << wireGuard << lab("LAB_TUNNEL_WIREGUARD")
                               << QStringLiteral("wireguard");
}

void LabTest::eachProtocolCarriesTraffic()
{
    QFETCH(int, protocol);
    QFETCH(QString, tunnelAddress);
    QFETCH(QString, transport);
    const QString row = QString::fromLatin1(QTest::currentDataTag());
    const bool killSwitch = protocol != wireGuard; // offered for OpenVPN only
    const QString outside = lab("LAB_OUTSIDE_ADDRESS");
    const QString secret = lab("LAB_SECRET_NAME");
    prepareSettings(protocol, killSwitch, false);
    QVERIFY(!pingPasses(tunnelAddress));
    QVERIFY(!resolves(secret));
    QVERIFY(pingPasses(outside));

    Application app(nullptr);
    QVERIFY(app.init());
    VpnCore* core = app.vpnCore();
    QQuickWindow* window = readyWindow(app);
    QVERIFY(window);
    QElapsedTimer clock;
    qint64 connectMs = -1;
    QObject::connect(core, &VpnCore::connectionStateChanged, [&](int state) {
        if (state == ConnectionState::Connected && connectMs < 0)
            connectMs = clock.elapsed();
    });
    QCOMPARE(m_control.ask(QStringLiteral("counters-reset")), QStringLiteral("ok"));
    clock.start();
    click(window);
    QTRY_COMPARE_WITH_TIMEOUT(core->connectionState(), int(ConnectionState::Connected),
                              connectTimeoutMs);
    qInfo("%s: from the click to Connected in %lld ms", qPrintable(row), connectMs);
    const QString downloaded = core->downloaded();
    const QString uploaded = core->uploaded();

    QVERIFY(pingPasses(tunnelAddress));
    // The DNS tool runs once the tunnel is up.
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

    click(window);
    QTRY_COMPARE_WITH_TIMEOUT(core->connectionState(), int(ConnectionState::Disconnected), 30000);
    QVERIFY(!pingPasses(tunnelAddress));
    QTRY_VERIFY_WITH_TIMEOUT(!tunnelDnsForced(), 10000);
    QVERIFY(!resolves(secret));
    QTRY_COMPARE_WITH_TIMEOUT(m_control.ask(QStringLiteral("killswitch")), QStringLiteral("absent"),
                              10000);
    QVERIFY(pingPasses(outside));
}

void LabTest::unexpectedDropKeepsTheKillSwitch()
{
    prepareSettings(udp, true, false);
    Application app(nullptr);
    QQuickWindow* window = connectFromTheWindow(app);
    QVERIFY(window);
    VpnCore* core = app.vpnCore();

    QCOMPARE(m_control.ask(QStringLiteral("openvpn-kill")), QStringLiteral("ok"));
    QTRY_COMPARE_WITH_TIMEOUT(core->connectionState(), int(ConnectionState::Disconnected), 30000);
    QObject* dialog = WindowObjects::find(QStringLiteral("KillSwitchDialog"));
    QVERIFY(dialog);
    QTRY_VERIFY(dialog->property("opened").toBool());
    QCOMPARE(m_control.ask(QStringLiteral("killswitch")), QStringLiteral("present"));
    QVERIFY(!pingPasses(lab("LAB_OUTSIDE_ADDRESS")));
    saveShot(window, QStringLiteral("kill-switch-event"));

    // The dialog's OK lets the protection go.
    QMetaObject::invokeMethod(dialog, "accept");
    QTRY_COMPARE_WITH_TIMEOUT(m_control.ask(QStringLiteral("killswitch")), QStringLiteral("absent"),
                              10000);
    QVERIFY(pingPasses(lab("LAB_OUTSIDE_ADDRESS")));
}

void LabTest::killedOpenVpnReconnectsWithTheKillSwitchHeld()
{
    prepareSettings(udp, true, true);
    LogCapture log(true);
    Application app(nullptr);
    QQuickWindow* window = connectFromTheWindow(app);
    QVERIFY(window);
    VpnCore* core = app.vpnCore();
    QList<int> states;
    QObject::connect(core, &VpnCore::connectionStateChanged, [&](int state) { states << state; });
    {
        KillSwitchWatch watch(m_control);
        QCOMPARE(m_control.ask(QStringLiteral("openvpn-kill")), QStringLiteral("ok"));
        QTRY_VERIFY_WITH_TIMEOUT(states.contains(ConnectionState::Reconnecting), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(core->connectionState(), int(ConnectionState::Connected),
                                  connectTimeoutMs);
        QVERIFY(watch.heldThroughout());
    }
    QVERIFY(log.contains(QStringLiteral("CrashExit")));
    QVERIFY(pingPasses(lab("LAB_TUNNEL_UDP")));
    QVERIFY(disconnectFromTheWindow(app, window));
}

void LabTest::restartedServiceReconnectsWithTheKillSwitchHeld()
{
    prepareSettings(udp, true, true);
    LogCapture log(true);
    Application app(nullptr);
    QQuickWindow* window = connectFromTheWindow(app);
    QVERIFY(window);
    VpnCore* core = app.vpnCore();
    const QString init = QStringLiteral("Send data: [init: connection]");
    QCOMPARE(log.count(init), 1);
    {
        KillSwitchWatch watch(m_control);
        QCOMPARE(m_control.ask(QStringLiteral("service-kill")), QStringLiteral("ok"));
        // Its tunnel ends with it; the client learns it from the tunnel's own channel.
        QTRY_COMPARE_WITH_TIMEOUT(m_control.ask(QStringLiteral("tunnel-programs")),
                                  QStringLiteral("0"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(core->connectionState() != ConnectionState::Connected, 30000);
        QVERIFY(!pingPasses(lab("LAB_TUNNEL_UDP")));
        QCOMPARE(m_control.ask(QStringLiteral("service-start")), QStringLiteral("ok"));
        QTRY_COMPARE_WITH_TIMEOUT(core->connectionState(), int(ConnectionState::Connected),
                                  connectTimeoutMs);
        QVERIFY(watch.heldThroughout());
    }
    // The link to the new service is a reconnection: no second greeting.
    QCOMPARE(log.count(init), 1);
    QVERIFY(pingPasses(lab("LAB_TUNNEL_UDP")));
    QVERIFY(disconnectFromTheWindow(app, window));
}

void LabTest::killedClientIsRepairedAtTheNextStart()
{
    prepareSettings(udp, true, false);
    // The installed client, started and clicked as the user would.
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
    QTRY_VERIFY_WITH_TIMEOUT(tunnelDnsForced() && m_control.ask(QStringLiteral("killswitch")) ==
                                                      QStringLiteral("present"),
                             connectTimeoutMs);

    client.kill();
    QVERIFY(client.waitForFinished());
    QTest::qWait(1000);
    QVERIFY(tunnelDnsForced());
    QCOMPARE(m_control.ask(QStringLiteral("killswitch")), QStringLiteral("present"));

    LogCapture log(true);
    Application app(nullptr);
    QVERIFY(app.init());
    QTRY_VERIFY_WITH_TIMEOUT(!tunnelDnsForced(), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(m_control.ask(QStringLiteral("killswitch")), QStringLiteral("absent"),
                              20000);
    QVERIFY(log.contains(QStringLiteral("Detected wrong DNS status")));
    QVERIFY(log.contains(QStringLiteral("Detected wrong killswitch status")));
    QVERIFY(pingPasses(lab("LAB_OUTSIDE_ADDRESS")));
}
