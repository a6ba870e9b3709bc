#include "application.h"

#include "api/catalogue.h"
#include "api/networkapi.h"
#include "app/buildinfo.h"
#include "app/logger.h"
#include "app/singleapplication.h"
#include "app/startup.h"
#include "app/systemtray.h"
#include "clients/wireguardclient.h"
#include "core/multiping.h"
#include "core/vpncore.h"
#include "models/comboboxlistmodel.h"
#include "models/dashcircle.h"
#include "models/serverlistfilter.h"
#include "models/serverlistmodel.h"
#include "models/simplelistmodel.h"
#include "service/servicecontroller.h"
#include "settings/settings.h"
#include "theme/theme.h"
#include "theme/themelistmodel.h"
#include "theme/themesectionlistmodel.h"
#include "utils/autostart.h"
#include "utils/update.h"
#include "utils/utils.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QQmlContext>
#include <QQuickWindow>
#include <QSet>
#include <QSslSocket>
#include <QSysInfo>
#include <QThread>
#include <QTimer>

#include <memory>

namespace {

const int mainWindowHeightPx = 650;
const char themeEditorProductName[] = "Themeditor";
const QString qmlUrlPattern = QStringLiteral("qrc:/qml/%1");

Application::TestSeams& seams()
{
    static Application::TestSeams current;
    return current;
}

QString& productNameValue()
{
    static QString name = QStringLiteral("Corvalink");
    return name;
}

QString product()
{
    return productNameValue();
}

QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 64, 256})
        icon.addFile(QStringLiteral(":/resources/icons/app/app-%1.png").arg(size),
                     QSize(size, size));
    return icon;
}

} // namespace

Application::Application(SingleApplication* app, QObject* parent) : QObject(parent)
{
    Q_UNUSED(app)
    setObjectName(QStringLiteral("Application"));
    Logger::instance();
    writeStartLines();

    Settings* settings = Settings::instance();
    connect(settings, SIGNAL(languageChanged(const QString&)), this,
            SLOT(onLanguageChanged(const QString&)));
    onLanguageChanged(settings->language());

    m_serviceController = new ServiceController(!themeEditorMode(), this);
    connect(m_serviceController, SIGNAL(initialConnectionStatusChanged()), this,
            SLOT(onInitialConnectionStatusChanged()));
    // A service of another user is no service for us: the user sees the same band.
    connect(m_serviceController, &ServiceController::serviceRefused, this, [this] {
        if (m_serviceError || themeEditorMode())
            return;
        m_serviceError = true;
        if (m_vpnCore && m_tray)
            updateTray(ConnectionState::Id(m_vpnCore->connectionState()));
        if (m_initialStatusHandled)
            invokeRootMethod("setCriticalServiceError");
    });

    registerQmlTypes();

    m_update = new Update(this);
    connect(m_update, SIGNAL(newVersionIsAvailable(QString)), this,
            SLOT(newVersionIsAvailable(const QString&)));

    createTray();
    createModels();
    createBackend();
    setContextProperties();

    QCoreApplication::setOrganizationName(QStringLiteral("VPNClient"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("VPNClient"));
    // Every window without an icon of its own shows this one.
    QGuiApplication::setWindowIcon(applicationIcon());

    const QUrl mainQml = seams().mainQml.isEmpty()
                             ? QUrl(qmlUrlPattern.arg(QStringLiteral("main.qml")))
                             : seams().mainQml;
    m_engine.load(mainQml);

    scanAdapters();
    if (m_networkInterfaces.isEmpty())
        return;
    m_networkInterfaces.logInterfaces();
    settings->setTunnelAdapters(m_networkInterfaces.interfaces());

    checkServiceProcess();
    showMainWindow();
    requestWirequardData();
    if (themeEditorMode())
        startThemeEditor();
}

Application::~Application()
{
    Logger::info(objectName(), QStringLiteral("Request to quit"));
    if (m_update) {
        m_update->disconnect();
        delete m_update;
        m_update = nullptr;
    }
    m_networkApi->stopRequests();
    waitForDisconnection();
    invokeRootMethod("saveUnsavedData");
    m_serviceController->sendInitConnection();
    Logger::info(objectName(), QStringLiteral("Stopped"));
    // The windows go first: their bindings read the objects deleted below.
    qDeleteAll(m_engine.rootObjects());
    // The controller switches remaining protection off as it goes: before the service link.
    delete m_vpnCore;
    m_vpnCore = nullptr;
    m_serviceController->flush();
    if (m_translatorInstalled)
        QCoreApplication::removeTranslator(&m_translator);
}

void Application::waitForDisconnection()
{
    // A tunnel already on its way down is waited for too: leaving now would leave it to the
    // service alone.
    const bool goingDown = m_vpnCore->connectionState() == ConnectionState::Disconnecting;
    if (!m_vpnCore->isActive() && !goingDown)
        return;
    Logger::info(objectName(), QStringLiteral("Waiting for a disconnection.."));
    if (QQuickWindow* window = mainWindow())
        window->hide();
    if (!goingDown)
        m_vpnCore->disconnectFromVpn();
    for (int round = 0; round < quitWaitRounds; ++round) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(quitWaitStepMs);
        if (m_vpnCore->isDisconnected())
            break;
    }
}

int Application::mainWindowHeight()
{
    return mainWindowHeightPx;
}

void Application::setTestSeams(const TestSeams& testSeams)
{
    seams() = testSeams;
}

void Application::resetTestSeams()
{
    seams() = TestSeams();
}

void Application::writeStartLines()
{
    const QString version = Update::installedVersion();
    if (!version.isEmpty()) {
        Logger::info(objectName(),
                     QStringLiteral("%1 version '%2', date: '%3', revision: '%4'")
                         .arg(product(), version, QString::fromLatin1(CORVALINK_BUILD_DATE),
                              QString::fromLatin1(CORVALINK_REVISION)));
    }
    if (Startup::builtWithLabKeyMaterial())
        Logger::warning(objectName(), Startup::labKeyMaterialNotice());
    Logger::info(objectName(),
                 QStringLiteral("Started on %1, %2")
                     .arg(AutoStart::windowsDisplayName(), QSysInfo::currentCpuArchitecture()));
    Logger::info(
        objectName(),
        QStringLiteral("OpenSSL for Qt: %1").arg(QSslSocket::sslLibraryBuildVersionString()));
    if (WireGuardClient::isWireGuardEnabled()) {
        Logger::info(objectName(), QStringLiteral("WireGuard driver %1")
                                       .arg(WireGuardClient::isWireGuardDriverInstalled()
                                                ? QStringLiteral("installed")
                                                : QStringLiteral("not installed")));
    } else {
        Logger::warning(objectName(), QStringLiteral("WireGuard is not supported: %1")
                                          .arg(WireGuardClient::notSupportedReason()));
    }
}

void Application::registerQmlTypes()
{
    qmlRegisterSingletonType(QUrl(qmlUrlPattern.arg(QStringLiteral("AFontFactory.qml"))),
                             "VPNClient", 1, 0, "FontFactory");
    qmlRegisterType<DashCircle>("DashCircle", 1, 0, "DashCircle");
    qmlRegisterType<ServerListFilter>("ServerListFilter", 1, 0, "ServerListFilter");
    VpnCore::registerTypes();
    Catalogue::registerTypes();
}

void Application::createTray()
{
    m_tray = new SystemTray(this);
    onConnectionStateChanged(ConnectionState::Disconnected);
    connect(m_tray, SIGNAL(connectDisconnectActionClicked()), this,
            SLOT(onConnectDisconnectActionClicked()));
    connect(m_tray, SIGNAL(exitActionClicked()), this, SLOT(onExitActionClicked()));
    connect(m_tray, SIGNAL(settingsActionClicked()), this, SLOT(onSettingsActionClicked()));
    connect(m_tray, SIGNAL(triggeredClicked()), this, SLOT(onTriggeredClicked()));
}

void Application::createModels()
{
    m_theme = new Theme(this);
    m_recomendedServersModel = new ServerListModel(QStringLiteral("RecomendedServersModel"),
                                                   ServerListModel::Recommended, this);
    m_serverListModel =
        new ServerListModel(QStringLiteral("ServerListModel"), ServerListModel::AllServers, this);
    m_recentServersModel =
        new ServerListModel(QStringLiteral("RecentServersModel"), ServerListModel::Recent, this);
    m_themeListModel = new ThemeListModel(this);
    m_themeSectionListModel = new ThemeSectionListModel(this);
    m_simpleListModel = new SimpleListModel(this);

    QQmlContext* context = m_engine.rootContext();
    context->setContextProperty(QStringLiteral("themeSettings"), Settings::instance());
    context->setContextProperty(QStringLiteral("themeListModel"), m_themeListModel);
    context->setContextProperty(QStringLiteral("themeSectionListModel"), m_themeSectionListModel);
    context->setContextProperty(QStringLiteral("simpleListModel"), m_simpleListModel);
}

void Application::createBackend()
{
    Settings* settings = Settings::instance();
    m_networkApi = new NetworkApi(this);
    m_vpnCore = new VpnCore(this);
    m_recomendedPing = new MultiPing(this);
    connect(m_recomendedPing, SIGNAL(lastRequestFinished(const QStringList&)), this,
            SLOT(onLastPingRequestFinished(const QStringList&)));
    m_vpnCore->setAutoConnectionPending(settings->connectToLastLocation());
    m_vpnCore->setAutoReconnectionOnError(settings->autoReconnectionOnError());
    connect(m_vpnCore, SIGNAL(killSwitchEventActivated()), this,
            SLOT(onKillSwitchEventActivated()));
    connect(m_vpnCore, SIGNAL(connectionStateChanged(ConnectionState::Id)), this,
            SLOT(onConnectionStateChanged(ConnectionState::Id)));
    m_vpnCore->setNetworkApi(m_networkApi);
    connect(m_networkApi, SIGNAL(requestServerListFinished(const Servers&)), this,
            SLOT(onRequestServerListFinished(const Servers&)));
}

void Application::setContextProperties()
{
    QQmlContext* context = m_engine.rootContext();
    context->setContextProperty(QStringLiteral("uiStyle"), m_theme);
    context->setContextProperty(QStringLiteral("vpnCore"), m_vpnCore);
    context->setContextProperty(QStringLiteral("settings"), Settings::instance());
    context->setContextProperty(QStringLiteral("logger"), Logger::instance());
    context->setContextProperty(QStringLiteral("qmlApp"), this);
    context->setContextProperty(QStringLiteral("recomendedServersModel"), m_recomendedServersModel);
    context->setContextProperty(QStringLiteral("serverListModel"), m_serverListModel);
    context->setContextProperty(QStringLiteral("recentServersModel"), m_recentServersModel);
    context->setContextProperty(QStringLiteral("tcpComboBoxListModel"),
                                new ComboBoxListModel(true, this));
}

void Application::scanAdapters()
{
    if (seams().scanAdapters)
        seams().scanAdapters(m_networkInterfaces);
    else
        m_networkInterfaces.detect(true);
}

void Application::checkServiceProcess()
{
    m_serviceRunning =
        Utils::isProcessRunning(Utils::executableName(QStringLiteral("vpn-service")));
    if (!themeEditorMode()) {
        const QString line =
            QStringLiteral("vpn-service is running: %1").arg(Utils::boolText(m_serviceRunning));
        if (m_serviceRunning)
            Logger::info(objectName(), line);
        else
            Logger::critical(objectName(), line);
    }
    if (m_serviceRunning)
        return;
    m_serviceController->forceQuit();
    m_serviceError = true;
    m_vpnCore->setAutoConnectionPending(false);
    onInitialConnectionStatusChanged();
}

void Application::showMainWindow()
{
    QQuickWindow* window = mainWindow();
    if (!window)
        return;
    // Start-up is measured to this line. Frames are swapped on the render thread; more than one
    // may be queued before the first is handled.
    auto firstFrame = std::make_shared<QMetaObject::Connection>();
    *firstFrame = connect(
        window, &QQuickWindow::frameSwapped, this,
        [this, firstFrame] {
            if (!QObject::disconnect(*firstFrame))
                return;
            Logger::info(objectName(), QStringLiteral("First frame shown"));
        },
        Qt::QueuedConnection);
    switch (Settings::instance()->startMinimized()) {
    case 1:
        window->hide();
        break;
    case 2:
        window->showMinimized();
        break;
    default:
        window->show();
        break;
    }
}

void Application::startThemeEditor()
{
    m_themeListModel->resetEntries(m_theme->themeProperties());
    m_themeSectionListModel->resetEntries(m_theme->themeSections());
    connect(m_theme, SIGNAL(themeDataChanged(bool)), this, SLOT(onThemeDataChanged(bool)));
    connect(m_themeListModel, SIGNAL(themePropertyChanged(ThemeProperty)), m_theme,
            SLOT(themePropertyChanged(ThemeProperty)));
    onInitialConnectionStatusChanged();
}

bool Application::accountRequestWanted() const
{
    return Settings::instance()->vaildCredentials() && WireGuardClient::isWireGuardEnabled() &&
           !themeEditorMode();
}

void Application::askForAccount()
{
    Settings* settings = Settings::instance();
    WireGuardClient::setCurrentAccount(Account());
    m_networkApi->requestWireGuardData(settings->userName(), settings->password());
}

bool Application::init()
{
    if (m_engine.rootObjects().isEmpty())
        return failInit(QStringLiteral("Cannot initialize QML engine!"));
    if (m_networkInterfaces.isEmpty())
        return failInit(QStringLiteral("Cannot find usable network interfaces!"));
    const bool writable =
        seams().settingsWritable ? seams().settingsWritable() : Settings::instance()->isWritable();
    if (!writable) {
        return failInit(QStringLiteral("Settings are not writeable! Check '%1'")
                            .arg(Settings::instance()->fileName()));
    }
    return true;
}

bool Application::failInit(const QString& message)
{
    Logger::critical(objectName(), message);
    m_tray->showExitOnly();
    return false;
}

QQuickWindow* Application::mainWindow() const
{
    const QList<QObject*> roots = m_engine.rootObjects();
    return roots.isEmpty() ? nullptr : qobject_cast<QQuickWindow*>(roots.first());
}

void Application::invokeRootMethod(const char* name)
{
    QQuickWindow* window = mainWindow();
    if (!window) {
        Logger::critical(objectName(), QStringLiteral("Cannot get parent window"));
        return;
    }
    if (!QMetaObject::invokeMethod(window, name))
        Logger::critical(objectName(),
                         QStringLiteral("Cannot invoke method '%1'").arg(QLatin1String(name)));
}

void Application::raiseMainWindow()
{
    invokeRootMethod("raiseMainWindow");
    QQuickWindow* window = mainWindow();
    if (!window)
        return;
    if (!(window->flags() & Qt::WindowStaysOnTopHint)) {
        window->setFlags(window->flags() | Qt::WindowStaysOnTopHint);
        window->setFlags(window->flags() & ~Qt::WindowStaysOnTopHint);
    }
    window->requestActivate();
}

void Application::requestWirequardData()
{
    if (accountRequestWanted())
        askForAccount();
}

void Application::messageReceived(const QString&)
{
    Logger::info(objectName(), QStringLiteral("Message to show app on top"));
    raiseMainWindow();
}

void Application::newVersionIsAvailable(const QString& newVersion)
{
    if (newVersion.isEmpty())
        return;
    QMessageBox box(QMessageBox::Information, product(),
                    tr("New version found.\nDo you want to update to version %1?").arg(newVersion),
                    QMessageBox::NoButton);
    QPushButton* update = box.addButton(tr("Update"), QMessageBox::YesRole);
    box.addButton(tr("Skip"), QMessageBox::NoRole);
    box.setDefaultButton(update);
    box.exec();
    if (box.clickedButton() != update)
        return;
    Logger::info(objectName(), QStringLiteral("Close app and start installer"));
    if (m_update)
        m_update->startUpdater();
    QCoreApplication::quit();
}

void Application::onKillSwitchEventActivated()
{
    raiseMainWindow();
}

void Application::onConnectDisconnectActionClicked()
{
    invokeRootMethod("triggerVpnState");
}

Application::TrayLook Application::trayLook(ConnectionState::Id state, bool themeEditor,
                                            bool serviceMissing)
{
    switch (state) {
    case ConnectionState::Disconnected:
        return {tr("Connect"), !themeEditor && !serviceMissing, 0};
    case ConnectionState::Connected:
        return {tr("Disconnect"), true, 1};
    case ConnectionState::Reconnecting:
        // The wait for the next attempt is the user's to stop.
        return {tr("Disconnect"), true, 2};
    case ConnectionState::Connecting:
    case ConnectionState::Disconnecting:
        return {connectionStateText(state), false, 2};
    default:
        return {connectionStateText(state), false, 0};
    }
}

QString Application::connectionMessage(ConnectionState::Id state)
{
    if (state == ConnectionState::Disconnected)
        return tr("Disconnected");
    if (state == ConnectionState::Connected)
        return tr("Connected");
    return QString();
}

QString Application::trayToolTip(const QString& message, const Server& server)
{
    if (server.ip.isEmpty())
        return message;
    return message + QStringLiteral(": %1").arg(Catalogue::countryCityText(server));
}

void Application::updateTray(ConnectionState::Id state)
{
    const TrayLook look = trayLook(state, themeEditorMode(), m_serviceError);
    m_trayView.actionText = look.actionText;
    m_trayView.actionEnabled = look.actionEnabled;
    m_trayView.iconState = look.iconState;
    m_tray->setConnectAction(look.actionText, look.actionEnabled);
    m_tray->setIconState(look.iconState);
}

void Application::setToolTip(const QString& text)
{
    m_trayView.toolTip = text;
    m_tray->setToolTip(text);
}

void Application::notify(const QString& title, const QString& text)
{
    // The tray shows nothing for an empty text.
    if (!text.isEmpty())
        m_trayView.notifications << text;
    m_tray->showMessage(title, text);
}

void Application::onConnectionStateChanged(ConnectionState::Id connectionStateId)
{
    updateTray(connectionStateId);
    if (connectionStateId == m_lastConnectionState)
        return;
    const int previous = m_lastConnectionState;
    m_lastConnectionState = connectionStateId;

    const QString message = connectionMessage(connectionStateId);
    Server server;
    if (connectionStateId == ConnectionState::Connected && m_vpnCore)
        server = Catalogue::findByIp(m_serverListModel->catalogue(), m_vpnCore->vpnServerIp());
    // Written after the window has shown the new state.
    if (!server.ip.isEmpty())
        QTimer::singleShot(0, m_recentServersModel, [model = m_recentServersModel, server] {
            model->appendRecentServer(server);
        });
    setToolTip(trayToolTip(message, server));

    // A notification makes a window of its own where no notification service runs: after the
    // state is shown too.
    if (Settings::instance()->showNotifications() && previous != ConnectionState::Unknown)
        QTimer::singleShot(0, this, [this, message] { notify(QString(), message); });
}

void Application::onExitActionClicked()
{
    m_tray->setMenuEnabled(false);
    QCoreApplication::quit();
}

void Application::onInitialConnectionStatusChanged()
{
    if (m_initialStatusHandled)
        return;
    m_initialStatusHandled = true;
    if (m_serviceController->isServiceRefused() && !themeEditorMode())
        m_serviceError = true;

    m_vpnCore->recoverProtectionState();
    m_networkApi->doRequests();
    if (Settings::instance()->autoUpdateEnabled() && !m_vpnCore->wrongDnsDetected() && m_update)
        m_update->checkForUpdates();
    if (m_serviceError && !themeEditorMode()) {
        if (m_tray)
            updateTray(ConnectionState::Id(m_vpnCore->connectionState()));
        invokeRootMethod("setCriticalServiceError");
    }
}

void Application::onLanguageChanged(const QString& language)
{
    if (m_translatorInstalled) {
        QCoreApplication::removeTranslator(&m_translator);
        m_translatorInstalled = false;
    }
    if (!language.isEmpty()) {
        if (language != QLatin1String("en")) {
            if (m_translator.load(QStringLiteral("vpnclient_%1").arg(language),
                                  QStringLiteral(":/src/translations"))) {
                m_translatorInstalled = QCoreApplication::installTranslator(&m_translator);
            } else {
                Logger::warning(
                    objectName(),
                    QStringLiteral("Can't install translator for language: '%1'").arg(language));
            }
        }
    }
    m_engine.retranslate();
    if (language.isEmpty() || !m_tray || !m_vpnCore)
        return;
    m_tray->retranslate();
    updateTray(ConnectionState::Id(m_vpnCore->connectionState()));
    m_vpnCore->retranslateCurrentIp();
}

Servers Application::recommendedServers(const QStringList& pingResults, const Servers& catalogue,
                                        int limit)
{
    Servers chosen;
    QSet<QString> countries;
    for (const QString& entry : pingResults) {
        if (chosen.size() >= limit)
            break;
        const Server server = Catalogue::findByIp(catalogue, VpnCore::addressOfPingResult(entry));
        if (server.ip.isEmpty() || countries.contains(server.country))
            continue;
        countries.insert(server.country);
        chosen << server;
    }
    return chosen;
}

void Application::onLastPingRequestFinished(const QStringList& data)
{
    m_recomendedServersModel->setServerList(
        recommendedServers(data, m_serverListModel->catalogue()));
}

void Application::onRequestServerListFinished(const Servers& servers)
{
    if (servers.isEmpty()) {
        QTimer::singleShot(serverListRetryMs, m_networkApi, SLOT(requestServerList()));
        return;
    }
    m_serverListModel->createServerList(servers, true);
    m_recentServersModel->createRecentServerList(servers);
    m_recomendedPing->sendRequest(Catalogue::ipList(servers));
}

void Application::onSettingsActionClicked()
{
    invokeRootMethod("raiseSettingsWindow");
}

void Application::onShowMinimizedMessage()
{
    if (!Settings::instance()->showNotifications() || desktopSessionUbuntu())
        return;
    notify(product(), product() + QLatin1Char(' ') + tr("will be keep running in background"));
}

void Application::onThemeDataChanged(bool loaded)
{
    if (!loaded)
        return;
    Logger::info(objectName(), QStringLiteral("Reload theme data"));
    m_themeListModel->updateEntries(m_theme->themeProperties());
    m_themeSectionListModel->updateEntries(m_theme->themeSections());
}

void Application::onTriggeredClicked()
{
    raiseMainWindow();
}

QString Application::applicationDirPath() const
{
    return QCoreApplication::applicationDirPath();
}

bool Application::desktopSessionUbuntu() const
{
    return qEnvironmentVariable("DESKTOP_SESSION") == QLatin1String("ubuntu");
}

bool Application::runningOnLinux() const
{
#ifdef Q_OS_LINUX
    return true;
#else
    return false;
#endif
}

bool Application::runningOnMacOS() const
{
#ifdef Q_OS_MACOS
    return true;
#else
    return false;
#endif
}

bool Application::runningOnWindows() const
{
#ifdef Q_OS_WIN
    return true;
#else
    return false;
#endif
}

QString Application::productName()
{
    return product();
}

void Application::setProductName(const QString& name)
{
    productNameValue() = name;
}

bool Application::themeEditorMode() const
{
    return product() == QLatin1String(themeEditorProductName);
}

bool Application::wireGuardIsSupported() const
{
    return WireGuardClient::isWireGuardEnabled();
}

int Application::windowHeight() const
{
    return mainWindowHeight();
}

void Application::scheduleMinimizedMessage()
{
    onShowMinimizedMessage();
}

void Application::setFavorite(const QString& serverId, bool set)
{
    m_recomendedServersModel->setFavorite(serverId, set);
    m_serverListModel->setFavorite(serverId, set);
    m_recentServersModel->setFavorite(serverId, set);
    m_vpnCore->updateFavorite(serverId, set);
}
