#pragma once

#include "api/server.h"
#include "service/networkinterface.h"
#include "settings/credentialcipher.h"

#include <QObject>
#include <QStringList>
#include <QUrl>
#include <QVector>

class CatalogueIndex;
class QSettings;

// Every user preference, the account credentials (enciphered on disk), the chosen server, the
// favourites and the recent servers. Setters change memory only; the save operations write.
class Settings : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString language READ language WRITE setLanguage NOTIFY languageChanged)
    Q_PROPERTY(QString password READ password WRITE setPassword NOTIFY passwordChanged)
    Q_PROPERTY(QString userName READ userName WRITE setUserName NOTIFY userNameChanged)
    Q_PROPERTY(QStringList allowedTcpPortsList READ allowedTcpPortsList CONSTANT)
    Q_PROPERTY(QStringList allowedUdpPortsList READ allowedUdpPortsList CONSTANT)
    Q_PROPERTY(QStringList languageList READ languageList CONSTANT)
    Q_PROPERTY(bool allowAccessToLocalDevices READ allowAccessToLocalDevices WRITE
                   setAllowAccessToLocalDevices NOTIFY allowAccessToLocalDevicesChanged)
    Q_PROPERTY(bool autoReconnectionOnError READ autoReconnectionOnError WRITE
                   setAutoReconnectionOnError NOTIFY autoReconnectionOnErrorChanged)
    Q_PROPERTY(bool autoUpdateEnabled READ autoUpdateEnabled WRITE setAutoUpdateEnabled NOTIFY
                   autoUpdateEnabledChanged)
    Q_PROPERTY(bool connectToLastLocation READ connectToLastLocation WRITE setConnectToLastLocation
                   NOTIFY connectToLastLocationChanged)
    Q_PROPERTY(bool ipv6Enabled READ ipv6Enabled WRITE setIpv6Enabled NOTIFY ipv6EnabledChanged)
    Q_PROPERTY(bool killswitchEnabled READ killswitchEnabled WRITE setKillswitchEnabled NOTIFY
                   killswitchEnabledChanged)
    Q_PROPERTY(bool launchAppOnStartup READ launchAppOnStartup WRITE setLaunchAppOnStartup NOTIFY
                   launchAppOnStartupChanged)
    Q_PROPERTY(bool showNotifications READ showNotifications WRITE setShowNotifications NOTIFY
                   showNotificationsChanged)
    Q_PROPERTY(
        int languageIndex READ languageIndex WRITE setLanguageIndex NOTIFY languageIndexChanged)
    Q_PROPERTY(int mtuSize READ mtuSize WRITE setMtuSize NOTIFY mtuSizeChanged)
    Q_PROPERTY(int networkProtocol READ networkProtocol WRITE setNetworkProtocol NOTIFY
                   networkProtocolChanged)
    Q_PROPERTY(
        int startMinimized READ startMinimized WRITE setStartMinimized NOTIFY startMinimizedChanged)
    Q_PROPERTY(int tcpPortIndex READ tcpPortIndex WRITE setTcpPortIndex NOTIFY tcpPortIndexChanged)
    Q_PROPERTY(int udpPortIndex READ udpPortIndex WRITE setUdpPortIndex NOTIFY udpPortIndexChanged)
    Q_PROPERTY(QUrl themeditorLastOpenedUrl READ themeditorLastOpenedUrl WRITE
                   setThemeditorLastOpenedUrl NOTIFY themeditorLastOpenedUrlChanged)

public:
    struct Language
    {
        QString displayName;
        QString code;
    };

    // Process-wide; tests may make their own objects to read a store afresh.
    explicit Settings(QObject* parent = nullptr);
    static Settings* instance();

    static const QVector<quint16>& allowedTcpPorts();
    static const QVector<quint16>& allowedUdpPorts();
    static const QVector<Language>& languageTable();
    static bool isValidServerId(const QString& id);

    QString language() const { return m_language; }
    QString password() const { return m_password; }
    QString userName() const { return m_userName; }
    QStringList allowedTcpPortsList() const;
    QStringList allowedUdpPortsList() const;
    QStringList languageList() const;
    bool allowAccessToLocalDevices() const { return m_allowAccessToLocalDevices; }
    bool autoReconnectionOnError() const { return m_autoReconnectionOnError; }
    bool autoUpdateEnabled() const { return m_autoUpdateEnabled; }
    bool connectToLastLocation() const { return m_connectToLastLocation; }
    bool ipv6Enabled() const { return m_ipv6Enabled; }
    bool killswitchEnabled() const { return m_killswitchEnabled; }
    bool launchAppOnStartup() const;
    bool showNotifications() const { return m_showNotifications; }
    int languageIndex() const;
    int mtuSize() const { return m_mtuSize; }
    int networkProtocol() const { return m_networkProtocol; }
    int startMinimized() const { return m_startMinimized; }
    int tcpPortIndex() const { return m_tcpPortIndex; }
    int udpPortIndex() const { return m_udpPortIndex; }
    QUrl themeditorLastOpenedUrl() const { return m_themeditorLastOpenedUrl; }
    QString currentServerId() const { return m_currentServerId; }
    QStringList favorites() const { return m_favorites; }

    void setLanguage(const QString& language);
    void setPassword(const QString& password);
    void setUserName(const QString& userName);
    void setAllowAccessToLocalDevices(bool enable);
    void setAutoReconnectionOnError(bool enable);
    void setAutoUpdateEnabled(bool enable);
    void setConnectToLastLocation(bool enable);
    void setIpv6Enabled(bool enable);
    void setKillswitchEnabled(bool enable);
    void setLaunchAppOnStartup(bool enable);
    void setShowNotifications(bool enable);
    void setLanguageIndex(int languageIndex);
    void setMtuSize(int mtuSize);
    void setNetworkProtocol(int protocol);
    void setStartMinimized(int index);
    void setTcpPortIndex(int index);
    void setUdpPortIndex(int index);
    void setThemeditorLastOpenedUrl(const QUrl& url);

    Q_INVOKABLE QString fileName() const;
    Q_INVOKABLE bool isWritable() const;
    Q_INVOKABLE bool vaildCredentials() const;
    Q_INVOKABLE int defaultMtuSize() const { return 1500; }
    Q_INVOKABLE QString osName() const;
    Q_INVOKABLE QString titleName() const { return QStringLiteral("Corvalink"); }
    Q_INVOKABLE void saveCurrentServerId(const QString& serverId);
    Q_INVOKABLE void saveGeneralSettings();
    Q_INVOKABLE void saveThemeditorSettings();

    void setFavorite(const QString& id, bool set);
    Servers loadRecentServers(const Servers& catalogue);
    // With the catalogue's index at hand, as a list that keeps one does.
    Servers loadRecentServers(const Servers& catalogue, const CatalogueIndex& index);
    void saveRecentServers(const Servers& servers);
    void setTunnelAdapters(const NetworkInterfaces& adapters) { m_tunnelAdapters = adapters; }

    quint16 currentPort() const;
    bool isAutoPort() const { return currentPort() == 0; }
    QString currentPortText() const;
    QVector<quint16> autoPortCandidates() const;

signals:
    void allowAccessToLocalDevicesChanged(bool enable);
    void autoReconnectionOnErrorChanged(bool enable);
    void autoUpdateEnabledChanged(bool enable);
    void connectToLastLocationChanged(bool enable);
    void ipv6EnabledChanged(bool enable);
    void killswitchEnabledChanged(bool enable);
    void languageChanged(const QString& language);
    void languageIndexChanged(int languageIndex);
    void launchAppOnStartupChanged(bool enable);
    void mtuSizeChanged(int mtuSize);
    void networkProtocolChanged(int protocol);
    void passwordChanged(const QString& password);
    void showNotificationsChanged(bool enable);
    void startMinimizedChanged(int index);
    void tcpPortIndexChanged(int index);
    void themeditorLastOpenedUrlChanged(const QUrl& url);
    void udpPortIndexChanged(int index);
    void userNameChanged(const QString& userName);

private:
    void load();
    static quint16 boundedIndex(uint value, int size);

    QSettings* m_store = nullptr;
    const QString m_settingsGroup = QStringLiteral("Settings");
    const QString m_themeditorGroup = QStringLiteral("Themeditor");
    NetworkInterfaces m_tunnelAdapters;
    int m_networkProtocol = 0;
    int m_startMinimized = 0;
    int m_mtuSize = 0;
    QString m_language;
    QString m_password;
    QString m_userName;
    QString m_currentServerId;
    QStringList m_favorites;
    CredentialCipher m_cipher;
    bool m_allowAccessToLocalDevices = true;
    bool m_autoReconnectionOnError = true;
    bool m_autoUpdateEnabled = true;
    bool m_connectToLastLocation = false;
    bool m_ipv6Enabled = false;
    bool m_killswitchEnabled = true;
    bool m_showNotifications = true;
    quint16 m_tcpPortIndex = 0;
    quint16 m_udpPortIndex = 0;
    QUrl m_themeditorLastOpenedUrl;
};
