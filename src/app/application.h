#pragma once

#include "api/server.h"
#include "core/connectionstate.h"
#include "service/openvpnnetworkinterfaces.h"

#include <QObject>
#include <QQmlApplicationEngine>
#include <QStringList>
#include <QTranslator>
#include <QUrl>

#include <functional>

class MultiPing;
class NetworkApi;
class QQuickWindow;
class ServerListModel;
class ServiceController;
class SimpleListModel;
class SingleApplication;
class SystemTray;
class Theme;
class ThemeListModel;
class ThemeSectionListModel;
class Update;
class VpnCore;

// The root object: creates and wires every long-lived part, publishes them to QML, mirrors the
// connection state in the tray and brings the tunnel down before the process ends.
class Application : public QObject
{
    Q_OBJECT

public:
    static constexpr int recommendedServersLimit = 8;
    static constexpr int serverListRetryMs = 20000;
    static constexpr int quitWaitRounds = 50;
    static constexpr int quitWaitStepMs = 100;

    // What the tray was last told to show; kept so that it can be checked without a tray host.
    struct TrayView
    {
        QString actionText;
        bool actionEnabled = false;
        int iconState = 0;
        QString toolTip;
        QStringList notifications;
    };

    // The tray's connect action and look for one state.
    struct TrayLook
    {
        QString actionText;
        bool actionEnabled = false;
        int iconState = 0;
    };

    // Replaceable steps of start-up, for tests of the failures.
    struct TestSeams
    {
        QUrl mainQml;
        std::function<void(OpenVpnNetworkInterfaces&)> scanAdapters;
        std::function<bool()> settingsWritable;
    };

    explicit Application(SingleApplication* app, QObject* parent = nullptr);
    ~Application() override;

    bool init();
    static int mainWindowHeight();
    // Compiled into each executable: the theme editor is the client under the name "Themeditor".
    static QString productName();
    static void setProductName(const QString& name);

    // serviceMissing: no service, or one refused; nothing can connect then.
    static TrayLook trayLook(ConnectionState::Id state, bool themeEditor,
                             bool serviceMissing = false);
    static QString connectionMessage(ConnectionState::Id state);
    static QString trayToolTip(const QString& message, const Server& server);
    // The first server of each country in probe completion order, at most limit of them.
    static Servers recommendedServers(const QStringList& pingResults, const Servers& catalogue,
                                      int limit = recommendedServersLimit);

    static void setTestSeams(const TestSeams& seams);
    static void resetTestSeams();

    QQuickWindow* mainWindow() const;
    VpnCore* vpnCore() const { return m_vpnCore; }
    ServerListModel* recommendedServersModel() const { return m_recomendedServersModel; }
    ServerListModel* recentServersModel() const { return m_recentServersModel; }
    ServerListModel* serverListModel() const { return m_serverListModel; }
    const TrayView& trayView() const { return m_trayView; }
    bool serviceError() const { return m_serviceError; }

public slots:
    void requestWirequardData();
    void messageReceived(const QString& message);
    void newVersionIsAvailable(const QString& newVersion);
    void onKillSwitchEventActivated();
    void onConnectDisconnectActionClicked();
    void onConnectionStateChanged(ConnectionState::Id connectionStateId);
    void onExitActionClicked();
    void onInitialConnectionStatusChanged();
    void onLanguageChanged(const QString& language);
    void onLastPingRequestFinished(const QStringList& data);
    void onRequestServerListFinished(const Servers& servers);
    void onSettingsActionClicked();
    void onShowMinimizedMessage();
    void onThemeDataChanged(bool loaded);
    void onTriggeredClicked();

public:
    Q_INVOKABLE QString applicationDirPath() const;
    Q_INVOKABLE bool desktopSessionUbuntu() const;
    Q_INVOKABLE bool runningOnLinux() const;
    Q_INVOKABLE bool runningOnMacOS() const;
    Q_INVOKABLE bool runningOnWindows() const;
    Q_INVOKABLE bool themeEditorMode() const;
    Q_INVOKABLE bool wireGuardIsSupported() const;
    Q_INVOKABLE int windowHeight() const;
    Q_INVOKABLE void scheduleMinimizedMessage();
    Q_INVOKABLE void setFavorite(const QString& serverId, bool set);

private:
    void writeStartLines();
    void registerQmlTypes();
    void createTray();
    void createModels();
    void createBackend();
    void setContextProperties();
    void scanAdapters();
    void checkServiceProcess();
    void showMainWindow();
    void startThemeEditor();
    bool accountRequestWanted() const;
    void askForAccount();
    void updateTray(ConnectionState::Id state);
    void setToolTip(const QString& text);
    void notify(const QString& title, const QString& text);
    void invokeRootMethod(const char* name);
    void raiseMainWindow();
    bool failInit(const QString& message);
    void waitForDisconnection();

    int m_lastConnectionState = ConnectionState::Unknown;
    MultiPing* m_recomendedPing = nullptr;
    NetworkApi* m_networkApi = nullptr;
    OpenVpnNetworkInterfaces m_networkInterfaces;
    QQmlApplicationEngine m_engine;
    QTranslator m_translator;
    ServerListModel* m_recentServersModel = nullptr;
    ServerListModel* m_recomendedServersModel = nullptr;
    ServerListModel* m_serverListModel = nullptr;
    ServiceController* m_serviceController = nullptr;
    SimpleListModel* m_simpleListModel = nullptr;
    Theme* m_theme = nullptr;
    ThemeListModel* m_themeListModel = nullptr;
    ThemeSectionListModel* m_themeSectionListModel = nullptr;
    Update* m_update = nullptr;
    VpnCore* m_vpnCore = nullptr;
    SystemTray* m_tray = nullptr;
    bool m_serviceRunning = false;
    bool m_serviceError = false;

    bool m_initialStatusHandled = false;
    bool m_translatorInstalled = false;
    TrayView m_trayView;
};
