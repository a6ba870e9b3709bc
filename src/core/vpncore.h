#pragma once

#include "api/account.h"
#include "api/server.h"
#include "core/connectionstate.h"
#include "core/networkfollow.h"
#include "core/protectionpolicy.h"
#include "core/status.h"
#include "core/tunnelhealth.h"
#include "platform/networkwatch.h"
#include "platform/platform.h"
#include "service/dnsmanager.h"
#include "service/killswitch.h"
#include "service/serviceprocess.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

class NetworkApi;
class PortChecker;
class Settings;
class VpnClient;

// Turns "connect" into a tunnel: checks what a connection needs, picks the tunnel client for the
// protocol, follows its states, keeps the user protected around it (kill switch, forced DNS),
// reconnects after a drop, chooses servers and shows the public IP.
class VpnCore : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int connectionState READ connectionState NOTIFY connectionStateChanged)
    Q_PROPERTY(QString currentIp READ currentIp NOTIFY currentIpChanged)
    Q_PROPERTY(QString currentIpInfoText READ currentIpInfoText NOTIFY currentIpInfoTextChanged)
    Q_PROPERTY(QString currentLocationImageSource READ currentLocationImageSource NOTIFY
                   currentLocationImageSourceChanged)
    Q_PROPERTY(QString downloaded READ downloaded NOTIFY downloadedChanged)
    Q_PROPERTY(QString uploaded READ uploaded NOTIFY uploadedChanged)
    Q_PROPERTY(QString vpnConnectionErrorText READ vpnConnectionErrorText NOTIFY
                   vpnConnectionErrorTextChanged)
    Q_PROPERTY(QString vpnOnlineTime READ vpnOnlineTime NOTIFY vpnOnlineTimeChanged)
    Q_PROPERTY(bool vpnConnected READ vpnConnected NOTIFY vpnConnectedChanged)

public:
    enum VpnError
    {
        ServerIpEmpty = 0,
        CredentialsEmpty = 1,
        WireGuardNotSupported = 2,
        AuthDataEmpty = 3
    };
    Q_ENUM(VpnError)

    using Clock = std::function<QDateTime()>;

    static constexpr int maximumReconnectionAttempts =
        ProtectionPolicy::maximumReconnectionAttempts;
    static constexpr int maximumAccountRequests = 3;

    explicit VpnCore(QObject* parent = nullptr);
    ~VpnCore() override;

    // The meta-type "VpnCore::VpnError".
    static void registerTypes();

    int connectionState() const { return m_connectionState; }
    QString currentIp() const { return m_currentIp; }
    QString currentIpInfoText() const { return m_currentIpInfoText; }
    QString currentLocationImageSource() const;
    QString downloaded() const;
    QString uploaded() const;
    QString vpnConnectionErrorText() const { return m_errorText; }
    QString vpnOnlineTime() const { return m_onlineTimeText; }
    bool vpnConnected() const { return m_protection.phase == ProtectionPolicy::Phase::Connected; }

    void setAutoConnectionPending(bool pending) { m_autoConnectionPending = pending; }
    bool autoConnectionPending() const { return m_autoConnectionPending; }
    void setNetworkApi(NetworkApi* api);
    bool wrongDnsDetected() const { return m_wrongDnsDetected; }
    void recoverProtectionState();
    bool isDisconnected() const;
    bool isActive() const;
    // Shows the last public IP again in the current language.
    void retranslateCurrentIp();

    QString vpnServerIp() const { return m_vpnServerIp; }
    VpnClient* tunnelClient() const { return m_vpnClient; }
    DnsManager& dnsManager() { return m_dnsManager; }
    KillSwitch& killSwitch() { return m_killSwitch; }

    // "26:05:07" for 26 h 5 min 7 s.
    static QString formatOnlineTime(qint64 seconds);
    // The text before the first ':' of a prober result.
    static QString addressOfPingResult(const QString& entry);

    // Test seams.
    void setClock(const Clock& clock) { m_clock = clock; }
    void setPortSearchTimeout(int seconds) { m_portSearchSeconds = seconds; }
    static int accountRequestCount();
    static void resetAccountRequestCountForTesting();

signals:
    void connectionStateChanged(ConnectionState::Id connectionStateId);
    void currentIpChanged(QString);
    void currentIpInfoTextChanged(QString text);
    void currentLocationImageSourceChanged(QString imageSource);
    void downloadedChanged(QString downloaded);
    void killSwitchEventActivated();
    void uploadedChanged(QString uploaded);
    void vpnConnectedChanged(bool connected);
    void vpnConnectionErrorChanged(VpnCore::VpnError error);
    void vpnConnectionErrorTextChanged(QString text);
    void vpnOnlineTimeChanged(QString time);

public slots:
    void onApiRequestAccountFinished(const Account& account);
    void onAssignedInternalIp(const QString& ip);
    void onByteCountChanged(quint64 receive, quint64 send);
    void onDnsProcessFinished(int state);
    void onDnsServerAddressesPushed(const QString& dnsServerIpv4Address,
                                    const QString& dnsServerIpv6Address);
    void onKillSwitchFinished(bool);
    void onKillSwitchHeldByAnotherUser(bool enabling);
    void onDnsProcessError(int code);
    void onLastPingRequestFinished(const QStringList& data);
    void onOnlineActivityTimerEvent();
    void onPortCheckerTimeout();
    void onPortIsAvailable(quint16 port);
    void onRequestCurrentIpAddressFinished(const QString& ip, const QString& countryCode);
    void onRequestCurrentIpAddressTimerEvent();
    void onRequestServerListFinished(const Servers& servers);
    void requestCurrentIpAddress(int timeoutMSec = 1000);
    void onVpnConnectionStateChanged(ConnectionState::Id state, const QString& additionalData,
                                     bool critical, const QString& errorDescription = QString());

public:
    Q_INVOKABLE QString bestStringForCountry(const QString& contryCode);
    Q_INVOKABLE void connectToVpn();
    Q_INVOKABLE void disableKillSwitch();
    Q_INVOKABLE void disconnectFromVpn();
    Q_INVOKABLE void setAutoReconnectionOnError(bool enabled);
    Q_INVOKABLE void setSearchModeForCountry(const QString& countryCode);
    Q_INVOKABLE void setVpnServerIp(const QString& ip, const QString& locationText,
                                    const QString& country = QString());
    Q_INVOKABLE void updateFavorite(const QString& serverId, bool on);

private:
    bool checkPreconditions(int protocol);
    void reportError(VpnError error, const QString& text);
    void logConnectAttempt(int protocol);
    void takeUserDns(bool ourResolversShown);
    void deletePortChecker();
    void startPortSearch();
    void createTunnelClient(quint16 port);
    void startAttempt(bool automatic);
    void stopTunnel();
    void cancelReconnection();
    // Ends what runs when nothing is left that would report the end.
    void endWithoutReport();

    ProtectionPolicy::Decision tunnelConnectedDecision(QStringList* vpnDns);
    // True while a first connection's kill switch is on its way: Connected waits for it.
    bool holdConnectedUntilProtected();
    void handleConnected();
    void onHealthTick();
    void sendHealthProbe();
    void endDeadTunnel(const QString& seen);
    void takeDownTunnel();
    // Started with an attempt nobody watches; gives it up when it brings no tunnel in time.
    void armAttemptDeadline(bool restartingByItself);
    void onAttemptDeadline();
    // A reconnection that failed twice on a server of the user's country tries the next one.
    void fallBackWithinCountry(int attempt);
    void onNetworkChanged();
    // Whether the route to the server leaves through the physical network, and by which device.
    struct ServerRoute
    {
        bool usable = false;
        QString device;
    };
    ServerRoute routeToServer() const;
    void handleDisconnect(const QString& additionalData, bool critical);
    void resetCounters();
    void publishCounters();
    void scheduleConnect();
    void connectAutomatically();
    void showDisconnectedLocation();
    void setCurrentLocation(const QString& ip, const QString& country);
    void setCurrentIpInfoText(const QString& text);

    ProtectionPolicy::Decision decide(ProtectionPolicy::Event event,
                                      ProtectionPolicy::Input input = {}) const;
    void carryOut(ProtectionPolicy::KillSwitchAction action);
    void carryOut(ProtectionPolicy::DnsAction action, const QStringList& tunnelDns = {});
    void logReconnection(const ProtectionPolicy::Decision& decision);
    void engageKillSwitch(bool blockDns);
    void releaseKillSwitch();
    void raiseKillSwitchEvent();
    void runDnsTool(const QString& mode, const QStringList& entries);
    // Another user holds the machine's protection: this attempt ends, with no reconnection.
    void endAttemptForAnotherUser();
    void disconnectForAnotherUser();
    void startAutoConnection();
    QString locationLine(const QString& ip, const QString& locationText) const;

    int m_reconnectDelay = 1000;
    ConnectionState::Id m_connectionState = ConnectionState::Disconnected;
    DnsManager m_dnsManager;
    KillSwitch m_killSwitch;
    QPointer<NetworkApi> m_networkApi;
    QDateTime m_connectionStartTime;
    PortChecker* m_portChecker = nullptr;
    VpnClient* m_vpnClient = nullptr;
    QString m_disconnectedCountry;
    QString m_disconnectedIp;
    QString m_currentCountry;
    QString m_currentIp;
    QString m_pushedDnsIpv4;
    QString m_pushedDnsIpv6;
    QString m_currentIpInfoText;
    QString m_onlineTimeText;
    QString m_internalIp;
    QString m_vpnServerIp;
    QStringList m_userDnsList;
    QTimer m_onlineActivityTimer;
    QTimer m_currentIpTimer;
    Servers m_servers;
    ServiceProcess m_dnsProcess;
    QString m_dnsMode;
    Settings* m_settings = nullptr;
    Status m_status;
    bool m_autoConnectionPending = false;
    bool m_autoReconnectionOnError = false;
    bool m_wrongDnsDetected = false;
    bool m_dnsForcing = true;
    QString m_errorText;
    quint64 m_bytesReceived = 0;
    quint64 m_bytesSent = 0;
    // What the window shows: the counts as of the online time's last second, so that the
    // counters and the clock change in one frame.
    quint64 m_shownBytesReceived = 0;
    quint64 m_shownBytesSent = 0;

    // The delayed connect after a drop or for a server switch; a user's stop cancels it.
    QTimer m_reconnectTimer;
    ProtectionPolicy::State m_protection;
    // A first connection's rules are on their way; then in place, not to be asked for again.
    bool m_connectedAwaitsKillSwitch = false;
    bool m_killSwitchReadyForConnected = false;
    bool m_engagingForConnected = false;
    // Whether the tunnel still carries anything while Connected.
    TunnelHealth m_health;
    QTimer m_healthTimer;
    Platform::WakeClocks m_lastTick;
    bool m_tunnelDead = false;
    QTimer m_attemptDeadline;
    bool m_nextIsReconnection = false;
    bool m_reconnectionAttempt = false;
    // The last probe round of the country the user chose: its servers, fastest first.
    QString m_rankingCountry;
    QStringList m_countryRanking;
    // Following the network under the tunnel.
    NetworkWatch m_networkWatch;
    QTimer m_networkSettle;
    bool m_networkLost = false;
    bool m_waitingForNetwork = false;
    qint64 m_lastNetworkAttemptMs = -NetworkFollow::flapMs;
    QTimer m_killSwitchAnswerTimer;
    Clock m_clock;
    int m_portSearchSeconds = 20;
};

Q_DECLARE_METATYPE(VpnCore::VpnError)
