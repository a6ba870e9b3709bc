#include "applicationtest.h"

#include "api/catalogue.h"
#include "app/application.h"
#include "app/criticalerrorbox.h"
#include "app/startup.h"
#include "clients/wireguardclient.h"
#include "core/status.h"
#include "core/vpncore.h"
#include "fakes/fakebackend.h"
#include "fakes/fakeservice.h"
#include "models/serverlistmodel.h"
#include "settings/settings.h"
#include "support/logcapture.h"
#include "support/tunnellab.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

#include <memory>

namespace {

const QString labServer = QStringLiteral("127.0.0.1");
const QStringList countryCodes{QStringLiteral("nl"), QStringLiteral("se"), QStringLiteral("de"),
                               QStringLiteral("fr"), QStringLiteral("es"), QStringLiteral("it"),
                               QStringLiteral("pl"), QStringLiteral("no"), QStringLiteral("fi"),
                               QStringLiteral("dk"), QStringLiteral("ch"), QStringLiteral("at")};

// count servers spread round-robin over the first countries of the list.
Servers catalogueOf(int count, int countries)
{
    Servers servers;
    for (int i = 0; i < count; ++i) {
        const QString code = countryCodes.at(i % countries);
        servers << Server(QStringLiteral("10.0.%1.%2").arg(i % countries).arg(i), code,
                          QStringLiteral("City %1").arg(i),
                          QStringLiteral("%1-%2").arg(code).arg(i), QString(), 100, 10.0f);
    }
    return servers;
}

// Probe results in completion order: the catalogue backwards.
QStringList resultsOf(const Servers& servers)
{
    QStringList results;
    for (int i = servers.size() - 1; i >= 0; --i)
        results << QStringLiteral("%1:%2").arg(servers.at(i).ip).arg(servers.size() - i);
    return results;
}

// Presses the button with that text of the next modal box, whatever box it is.
void pressInNextModal(const QString& buttonText, QString* boxClass)
{
    auto* timer = new QTimer;
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, [timer, buttonText, boxClass] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        *boxClass = QString::fromLatin1(box->metaObject()->className());
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == buttonText) {
                timer->stop();
                timer->deleteLater();
                button->click();
                return;
            }
        }
    });
    timer->start();
}

QQuickItem* serviceBand(Application& app)
{
    return app.mainWindow()->findChild<QQuickItem*>(QStringLiteral("CriticalServiceError"));
}

int indexOf(const QStringList& lines, const QString& text, int from = 0)
{
    for (int i = from; i < lines.size(); ++i) {
        if (lines.at(i).contains(text))
            return i;
    }
    return -1;
}

} // namespace

void ApplicationTest::initTestCase()
{
    QVERIFY(m_folder.isValid());
    m_backend = new FakeBackend;
    QVERIFY(m_backend->listen());
    m_backend->setGeoIp("{\"data\":{\"ip\":\"203.0.113.7\",\"iso_code\":\"nl\"}}");
    m_backend->setFeed("<serverList><server name=\"lab-01\" country=\"nl\" city=\"nl Amsterdam\" "
                       "ip=\"127.0.0.1\" cpu=\"10\" capacity=\"100\" visible=\"1\" status=\"1\"/>"
                       "<server name=\"se-01\" country=\"se\" city=\"se Stockholm\" "
                       "ip=\"127.0.0.2\" cpu=\"5\" visible=\"1\"/></serverList>");
    qputenv("CORVALINK_API_URL", m_backend->baseUrl().toUtf8());
}

void ApplicationTest::cleanupTestCase()
{
    delete m_backend;
    qunsetenv("CORVALINK_API_URL");
}

void ApplicationTest::init()
{
    Settings* settings = Settings::instance();
    settings->setAutoUpdateEnabled(false);
    settings->setShowNotifications(true);
    settings->setStartMinimized(0);
    settings->setConnectToLastLocation(false);
    settings->setUserName(QString());
    settings->setPassword(QString());
    Application::resetTestSeams();
}

void ApplicationTest::cleanup()
{
    Application::resetTestSeams();
}

void ApplicationTest::mainWindowLoadsCleanAndShowsTheServiceBand()
{
    LogCapture log;
    Application app(nullptr);
    QVERIFY(app.init());
    for (const QString& line : log.messages())
        QVERIFY2(!line.contains(QLatin1String("qrc:/qml/")), qPrintable(line));

    QQuickWindow* window = app.mainWindow();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->size(), QSize(400, 650));
    QCOMPARE(window->title(), QStringLiteral("Corvalink"));
    QVERIFY(log.contains(QStringLiteral("Application: vpn-service is running: false")));
    QVERIFY(app.serviceError());
    QVERIFY(serviceBand(app));
    QVERIFY(serviceBand(app)->isVisible());
    // The first service status happened once: the catalogue arrived and the prober started.
    QTRY_VERIFY_WITH_TIMEOUT(!app.serverListModel()->catalogue().isEmpty(), 10000);

    QQmlContext* context = qmlContext(window->contentItem());
    for (const char* name :
         {"themeSettings", "themeListModel", "themeSectionListModel", "simpleListModel", "uiStyle",
          "vpnCore", "settings", "logger", "qmlApp", "recomendedServersModel", "serverListModel",
          "recentServersModel", "tcpComboBoxListModel"}) {
        QVERIFY2(context->contextProperty(QLatin1String(name)).value<QObject*>(), name);
    }
}

void ApplicationTest::startMinimizedToTrayShowsNoWindow()
{
    Settings::instance()->setStartMinimized(1);
    Application hidden(nullptr);
    QVERIFY(hidden.init());
    QVERIFY(!hidden.mainWindow()->isVisible());
}

void ApplicationTest::trayFollowsStateChanges()
{
    Application app(nullptr);
    QVERIFY(app.init());
    // The construction's own update: idle look, no notification. No service runs here, so
    // nothing could connect: Connect is offered but disabled.
    QVERIFY(app.serviceError());
    QCOMPARE(app.trayView().actionText, QStringLiteral("Connect"));
    QVERIFY(!app.trayView().actionEnabled);
    QCOMPARE(app.trayView().iconState, 0);
    QCOMPARE(app.trayView().toolTip, QStringLiteral("Disconnected"));
    QVERIFY(app.trayView().notifications.isEmpty());

    // Notifications and the recent server follow once the window has shown the state.
    const auto change = [&app](ConnectionState::Id state) {
        app.onConnectionStateChanged(state);
        QCoreApplication::processEvents();
    };
    change(ConnectionState::Disconnected);
    QVERIFY(app.trayView().notifications.isEmpty());

    change(ConnectionState::Connecting);
    QCOMPARE(app.trayView().iconState, 2);
    QVERIFY(!app.trayView().actionEnabled);
    // A pending reconnection is the user's to stop.
    change(ConnectionState::Reconnecting);
    QCOMPARE(app.trayView().actionText, QStringLiteral("Disconnect"));
    QVERIFY(app.trayView().actionEnabled);
    change(ConnectionState::Connecting);
    QCOMPARE(app.trayView().toolTip, QString());
    QVERIFY(app.trayView().notifications.isEmpty());

    const Servers catalogue = catalogueOf(4, 2);
    app.onRequestServerListFinished(catalogue);
    app.vpnCore()->setVpnServerIp(catalogue.at(1).ip, QStringLiteral("somewhere"));
    change(ConnectionState::Connected);
    QCOMPARE(app.trayView().toolTip, QStringLiteral("Connected: se, City 1"));
    QCOMPARE(app.trayView().actionText, QStringLiteral("Disconnect"));
    QCOMPARE(app.trayView().iconState, 1);
    QCOMPARE(app.trayView().notifications, QStringList{QStringLiteral("Connected")});
    const Servers recent = Settings::instance()->loadRecentServers(catalogue);
    QVERIFY(!recent.isEmpty());
    QCOMPARE(recent.last().ip, catalogue.at(1).ip);

    // The same state again changes neither the tooltip nor the notifications.
    change(ConnectionState::Connected);
    QCOMPARE(app.trayView().notifications.size(), 1);
    QCOMPARE(Settings::instance()->loadRecentServers(catalogue).size(), recent.size());

    change(ConnectionState::Disconnected);
    QCOMPARE(app.trayView().toolTip, QStringLiteral("Disconnected"));
    QCOMPARE(app.trayView().notifications.last(), QStringLiteral("Disconnected"));
}

void ApplicationTest::languageSwitchInstallsTheCatalogue()
{
    Settings* settings = Settings::instance();
    settings->setLanguage(QStringLiteral("en"));
    Application app(nullptr);
    QVERIFY(app.init());
    LogCapture log;
    for (const Settings::Language& language : Settings::languageTable()) {
        settings->setLanguage(language.code);
        // The tray is retranslated at once, from the language's own catalogue.
        const QString connect = QCoreApplication::translate("Application", "Connect");
        QCOMPARE(app.trayView().actionText, connect);
        QCOMPARE(connect == QLatin1String("Connect"), language.code == QLatin1String("en"));
    }
    settings->setLanguage(QStringLiteral("en"));
    QCOMPARE(app.trayView().actionText, QStringLiteral("Connect"));
    QVERIFY(!log.contains(QStringLiteral("Can't install translator")));
}

void ApplicationTest::recommendedServersTakeOnePerCountry_data()
{
    QTest::addColumn<int>("countries");
    QTest::addColumn<int>("expected");
    QTest::newRow("five countries") << 5 << 5;
    QTest::newRow("twelve countries") << 12 << 8;
}

void ApplicationTest::recommendedServersTakeOnePerCountry()
{
    QFETCH(int, countries);
    QFETCH(int, expected);
    const Servers catalogue = catalogueOf(20, countries);
    const QStringList results = resultsOf(catalogue);

    const Servers chosen = Application::recommendedServers(results, catalogue);
    QCOMPARE(chosen.size(), expected);
    // Completion order, not catalogue order: the last server answered first.
    for (int i = 0; i < chosen.size(); ++i)
        QCOMPARE(chosen.at(i).ip, catalogue.at(19 - i).ip);

    Application app(nullptr);
    QVERIFY(app.init());
    app.onRequestServerListFinished(catalogue);
    app.onLastPingRequestFinished(results);
    QCOMPARE(app.recommendedServersModel()->catalogue().size(), expected);
}

void ApplicationTest::quitWhileConnectedWaitsForDisconnection()
{
    // The service runs (a process of its name), listens, and runs the tunnel programs.
    const QString servicePath = m_folder.filePath(QStringLiteral("vpn-service"));
    QFile::remove(servicePath);
    QVERIFY(QFile::link(QStringLiteral("/bin/sleep"), servicePath));
    QProcess serviceProcess;
    serviceProcess.start(servicePath, {QStringLiteral("120")});
    QVERIFY(serviceProcess.waitForStarted());
    FakeService service;
    service.setRunsPrograms(true);
    QVERIFY(service.listen());

    TunnelLab lab;
    QVERIFY(lab.linkOpenVpn(TunnelLab::fakeOpenVpn()));
    QVERIFY(lab.linkNetworkTool(QStringLiteral("/bin/true")));
    QVERIFY(lab.linkProgram(QStringLiteral("killswitch"), QStringLiteral("/bin/true")));
    QVERIFY(lab.linkProgram(QStringLiteral("dns"), QStringLiteral("/bin/true")));
    qputenv("FAKE_OPENVPN_RECORD", m_folder.filePath(QStringLiteral("openvpn.txt")).toUtf8());
    qputenv("FAKE_OPENVPN_SCENARIO", "udp");
    Settings* settings = Settings::instance();
    settings->setUserName(QStringLiteral("alice"));
    settings->setPassword(QStringLiteral("secret"));
    settings->setNetworkProtocol(0);
    settings->setUdpPortIndex(0);
    Status().clear();
    WireGuardClient::setCurrentAccount(Account());

    // A window that says in which state it was asked to save.
    QFile qml(m_folder.filePath(QStringLiteral("recording.qml")));
    QVERIFY(qml.open(QIODevice::WriteOnly));
    qml.write("import QtQuick 2.12\nimport QtQuick.Window 2.12\nWindow {\n"
              "  function raiseMainWindow() {}\n  function raiseSettingsWindow() {}\n"
              "  function triggerVpnState() {}\n  function setCriticalServiceError() {}\n"
              "  function saveUnsavedData() { logger.qmlLog(\"Window\", \"save in state \" + "
              "vpnCore.connectionState) }\n}\n");
    qml.close();
    Application::TestSeams seams;
    seams.mainQml = QUrl::fromLocalFile(qml.fileName());
    Application::setTestSeams(seams);

    auto app = std::make_unique<Application>(nullptr);
    QVERIFY(app->init());
    QVERIFY(!app->serviceError());
    QTRY_VERIFY_WITH_TIMEOUT(!app->serverListModel()->catalogue().isEmpty(), 15000);

    QSignalSpy states(app->vpnCore(), &VpnCore::connectionStateChanged);
    app->vpnCore()->setVpnServerIp(labServer, QStringLiteral("Lab"));
    app->vpnCore()->connectToVpn();
    QTRY_COMPARE_WITH_TIMEOUT(app->vpnCore()->connectionState(), int(ConnectionState::Connected),
                              15000);
    const Server lab01 = Catalogue::findByIp(app->serverListModel()->catalogue(), labServer);
    QCOMPARE(app->trayView().toolTip,
             QStringLiteral("Connected: ") + Catalogue::countryCityText(lab01));
    // The recent server is saved once the window has shown Connected.
    const auto lastRecentIp = [&] {
        const Servers recent = settings->loadRecentServers(app->serverListModel()->catalogue());
        return recent.isEmpty() ? QString() : recent.last().ip;
    };
    QTRY_COMPARE(lastRecentIp(), labServer);

    LogCapture log;
    service.clearFrames();
    app.reset();
    const QStringList lines = log.messages();
    const int waiting =
        indexOf(lines, QStringLiteral("Application: Waiting for a disconnection.."));
    const int saved = indexOf(lines, QStringLiteral("Window: save in state 0"));
    const int stopped = indexOf(lines, QStringLiteral("Application: Stopped"));
    QVERIFY2(waiting >= 0 && saved > waiting && stopped > saved, qPrintable(lines.join('\n')));
    // The closing message leaves even though no event loop runs after it.
    QTRY_VERIFY(service.frames().contains(QStringLiteral("init: connection")));

    QTRY_COMPARE_WITH_TIMEOUT(service.runningPrograms(QStringLiteral("openvpn")), 0, 10000);
    serviceProcess.kill();
    serviceProcess.waitForFinished();
}

void ApplicationTest::skipInUpdatePromptKeepsRunning()
{
    Application app(nullptr);
    QVERIFY(app.init());
    LogCapture log;
    QString boxClass;
    pressInNextModal(QStringLiteral("Skip"), &boxClass);
    QEventLoop loop;
    QTimer::singleShot(0, &app, [&app] { app.newVersionIsAvailable(QStringLiteral("9.9.9")); });
    // A quit would end this loop with 0 before the timer's 7.
    QTimer::singleShot(1000, &loop, [&loop] { loop.exit(7); });
    QCOMPARE(loop.exec(), 7);
    QCOMPARE(boxClass, QStringLiteral("QMessageBox"));
    QVERIFY(!log.contains(QStringLiteral("Close app and start installer")));
}

void ApplicationTest::initFailuresEndWithCriticalBox_data()
{
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("message");
    QTest::newRow("qml") << 0 << QStringLiteral("Application: Cannot initialize QML engine!");
    QTest::newRow("adapters") << 1
                              << QStringLiteral("Application: Cannot find usable network "
                                                "interfaces!");
    QTest::newRow("settings") << 2
                              << QStringLiteral("Application: Settings are not writeable! Check "
                                                "'%1'")
                                     .arg(Settings::instance()->fileName());
}

void ApplicationTest::initFailuresEndWithCriticalBox()
{
    QFETCH(int, failure);
    QFETCH(QString, message);
    Application::TestSeams seams;
    if (failure == 0)
        seams.mainQml = QUrl(QStringLiteral("qrc:/qml/missing.qml"));
    if (failure == 1)
        seams.scanAdapters = [](OpenVpnNetworkInterfaces&) {};
    if (failure == 2)
        seams.settingsWritable = [] { return false; };
    Application::setTestSeams(seams);

    LogCapture log;
    Application app(nullptr);
    QString boxClass;
    pressInNextModal(QStringLiteral("Close"), &boxClass);
    QCOMPARE(Startup::initialise(app), -1);
    QCOMPARE(boxClass, QString::fromLatin1(CriticalErrorBox::staticMetaObject.className()));
    QVERIFY2(log.contains(message), qPrintable(log.messages().join('\n')));
}
