#include "vpncore.h"

#include "api/catalogue.h"
#include "api/networkapi.h"
#include "app/logger.h"
#include "clients/connectionstatistics.h"
#include "clients/openvpnclient.h"
#include "clients/portchecker.h"
#include "clients/wireguardclient.h"
#include "core/countryfallback.h"
#include "core/countrynames.h"
#include "core/multiping.h"
#include "core/networkfollow.h"
#include "core/tunnelhealth.h"
#include "settings/settings.h"
#include "utils/utils.h"

#include <QFile>

#include <utility>

namespace {

const QString fastDown = QStringLiteral("FastDown");
const QString cantFindPorts = QStringLiteral("CantFindPorts");
const QString crashExit = QStringLiteral("CrashExit");
const QString heldByAnotherUser = QStringLiteral("HeldByAnotherUser");
const QString networkLost = QStringLiteral("NetworkLost");
// What the WireGuard tunnel program reports when its server never answered.
const QString noHandshake = QStringLiteral("No handshake with the server");
// Changes come in bursts (a link, its addresses, its routes): one look after they settle.
const int networkSettleMs = 300;
const int wireGuardProtocol = 3;
const int tcpProtocol = 1;
const int currentIpDelayMs = 1000;
// The country a search prober ranks the servers of.
const char rankedCountry[] = "rankedCountry";
const int currentIpRetryMs = 20000;
const int onlineTimeIntervalMs = 500;
const int killSwitchAnswerMs = 10000;
const int healthTickMs = 1000;

qint64 monotonicMs()
{
    return Platform::wakeClocks().monotonicMs;
}

// Process-wide: kept for a redisplay after a language change, and the auto-connection's
// account requests over the whole run.
QString lastGeoIp;
QString lastGeoCountry;
int accountRequests = 0;

QString dnsToolPath()
{
    return Utils::executableName(QStringLiteral("dns"), true);
}

ProtectionPolicy::EndKind endKindOf(const QString& additionalData)
{
    using Kind = ProtectionPolicy::EndKind;
    if (additionalData == fastDown)
        return Kind::FastDown;
    if (additionalData == crashExit)
        return Kind::CrashExit;
    if (additionalData == cantFindPorts)
        return Kind::CantFindPorts;
    if (additionalData == heldByAnotherUser)
        return Kind::HeldByAnotherUser;
    if (additionalData == networkLost)
        return Kind::NetworkLost;
    return Kind::Other;
}

} // namespace

VpnCore::VpnCore(QObject* parent)
    : QObject(parent), m_dnsManager(this), m_killSwitch(this),
      m_dnsProcess(QStringLiteral("dns"), this), m_settings(Settings::instance()), m_status(this),
      m_clock(&QDateTime::currentDateTime)
{
    setObjectName(QStringLiteral("VpnCore"));
    m_currentIpInfoText = tr("Updating...");
    m_onlineTimeText = formatOnlineTime(0);
    m_onlineActivityTimer.setInterval(onlineTimeIntervalMs);
    m_currentIpTimer.setSingleShot(true);
    m_reconnectTimer.setSingleShot(true);
    connect(&m_onlineActivityTimer, &QTimer::timeout, this, &VpnCore::onOnlineActivityTimerEvent);
    connect(&m_currentIpTimer, &QTimer::timeout, this,
            &VpnCore::onRequestCurrentIpAddressTimerEvent);
    connect(&m_reconnectTimer, &QTimer::timeout, this, &VpnCore::connectAutomatically);
    connect(&m_dnsProcess, &ServiceProcess::finished, this, &VpnCore::onDnsProcessFinished);
    connect(&m_killSwitch, &KillSwitch::killSwitchFinished, this, &VpnCore::onKillSwitchFinished);
    m_networkSettle.setSingleShot(true);
    m_networkSettle.setInterval(networkSettleMs);
    connect(&m_networkWatch, &NetworkWatch::changed, &m_networkSettle,
            QOverload<>::of(&QTimer::start));
    connect(&m_networkSettle, &QTimer::timeout, this, &VpnCore::onNetworkChanged);
    m_healthTimer.setInterval(healthTickMs);
    connect(&m_healthTimer, &QTimer::timeout, this, &VpnCore::onHealthTick);
    m_attemptDeadline.setSingleShot(true);
    m_attemptDeadline.setInterval(ProtectionPolicy::attemptDeadlineMs);
    connect(&m_attemptDeadline, &QTimer::timeout, this, &VpnCore::onAttemptDeadline);
    // A service that never answers must not hold a tunnel that is up out of sight.
    m_killSwitchAnswerTimer.setSingleShot(true);
    m_killSwitchAnswerTimer.setInterval(killSwitchAnswerMs);
    connect(&m_killSwitchAnswerTimer, &QTimer::timeout, this, [this] {
        Logger::warning(objectName(), QStringLiteral("Kill switch did not answer"));
        onKillSwitchFinished(false);
    });
    connect(&m_killSwitch, &KillSwitch::heldByAnotherUser, this,
            &VpnCore::onKillSwitchHeldByAnotherUser);
    connect(&m_dnsProcess, &ServiceProcess::error, this, &VpnCore::onDnsProcessError);
}

VpnCore::~VpnCore()
{
    // A pending reconnection holds protection too: it ends here as the user's stop ends it.
    if (m_connectionState != ConnectionState::Disconnected ||
        m_protection.phase == ProtectionPolicy::Phase::WaitingToReconnect)
        disconnectFromVpn();
    if (m_killSwitch.isEnabled())
        releaseKillSwitch();
    m_reconnectTimer.stop();
    if (m_vpnClient) {
        m_vpnClient->disconnect(this);
        delete m_vpnClient;
    }
    deletePortChecker();
}

void VpnCore::registerTypes()
{
    qRegisterMetaType<VpnCore::VpnError>("VpnCore::VpnError");
    ConnectionState::registerTypes();
}

QString VpnCore::currentLocationImageSource() const
{
    return m_currentCountry.isEmpty() ? QString() : Utils::countryFlagSource(m_currentCountry);
}

QString VpnCore::downloaded() const
{
    return ConnectionStatistics::formatByteCount(m_shownBytesReceived);
}

QString VpnCore::uploaded() const
{
    return ConnectionStatistics::formatByteCount(m_shownBytesSent);
}

bool VpnCore::isDisconnected() const
{
    return m_connectionState == ConnectionState::Disconnected;
}

bool VpnCore::isActive() const
{
    switch (m_connectionState) {
    case ConnectionState::Preparing:
    case ConnectionState::Connecting:
    case ConnectionState::Connected:
    case ConnectionState::Reconnecting:
        return true;
    default:
        return false;
    }
}

QString VpnCore::formatOnlineTime(qint64 seconds)
{
    seconds = qMax<qint64>(0, seconds);
    const auto twoDigits = [](qint64 value) {
        return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    };
    return QStringLiteral("%1:%2:%3")
        .arg(twoDigits(seconds / 3600), twoDigits(seconds / 60 % 60), twoDigits(seconds % 60));
}

int VpnCore::accountRequestCount()
{
    return accountRequests;
}

void VpnCore::resetAccountRequestCountForTesting()
{
    accountRequests = 0;
}

// ---- connecting ----

void VpnCore::connectToVpn()
{
    startAttempt(false);
}

void VpnCore::startAttempt(bool automatic)
{
    using Policy = ProtectionPolicy;
    m_reconnectTimer.stop();
    m_waitingForNetwork = false;
    const int protocol = m_settings->networkProtocol();
    // The system shows our resolvers, not the user's, even while a restore is on its way.
    const bool ourResolversShown = m_protection.tunnelDnsForced;
    Policy::Input input;
    input.settings.protocolSupportsKillSwitch = protocol != wireGuardProtocol;
    const Policy::Decision decision =
        decide(automatic ? Policy::Event::AutomaticConnect : Policy::Event::UserConnect, input);
    m_protection = decision.next;
    // A server switch is the user's own, watched as a first attempt is.
    const bool reconnection = std::exchange(m_nextIsReconnection, false);
    m_reconnectionAttempt = automatic && reconnection;
    armAttemptDeadline(false);
    if (decision.killSwitch == Policy::KillSwitchAction::Release)
        carryOut(decision.killSwitch);
    carryOut(decision.dns);

    m_errorText.clear();
    emit vpnConnectionErrorTextChanged(m_errorText);

    if (!checkPreconditions(protocol)) {
        if (m_connectionState != ConnectionState::Disconnected) {
            onVpnConnectionStateChanged(ConnectionState::Disconnected, fastDown, true);
            return;
        }
        Policy::Input notStarted;
        notStarted.automatic = automatic;
        const Policy::Decision end = decide(Policy::Event::AttemptNotStarted, notStarted);
        m_protection = end.next;
        carryOut(end.killSwitch);
        carryOut(end.dns);
        return;
    }
    if (decision.killSwitch != Policy::KillSwitchAction::Release)
        carryOut(decision.killSwitch);

    logConnectAttempt(protocol);
    takeUserDns(ourResolversShown);
    deletePortChecker();
    if (m_settings->isAutoPort()) {
        if (protocol == tcpProtocol)
            startPortSearch();
        return;
    }
    createTunnelClient(m_settings->currentPort());
}

bool VpnCore::checkPreconditions(int protocol)
{
    if (protocol == wireGuardProtocol) {
        if (!WireGuardClient::isWireGuardEnabled()) {
            reportError(WireGuardNotSupported, WireGuardClient::notSupportedReason());
            return false;
        }
        if (!WireGuardClient::currentAccount().isValid()) {
            reportError(AuthDataEmpty, QStringLiteral("Auth data is empty"));
            return false;
        }
    }
    if (!m_settings->vaildCredentials()) {
        reportError(CredentialsEmpty, tr("Username or password is empty!"));
        return false;
    }
    if (m_vpnServerIp.isEmpty()) {
        reportError(ServerIpEmpty, tr("VPN server IP is empty!"));
        return false;
    }
    return true;
}

void VpnCore::reportError(VpnError error, const QString& text)
{
    m_errorText = text;
    Logger::warning(objectName(), text);
    emit vpnConnectionErrorChanged(error);
    emit vpnConnectionErrorTextChanged(m_errorText);
}

void VpnCore::logConnectAttempt(int protocol)
{
    const bool protection =
        m_settings->killswitchEnabled() && m_vpnClient && m_vpnClient->isKillSwitchSupported();
    Logger::info(objectName(),
                 QStringLiteral("Connect to VPN, server '%1:%2 - %3', reconnection on error: "
                                "'%4', protection: '%5'")
                     .arg(m_vpnServerIp, m_settings->currentPortText(),
                          VpnClient::protocolName(protocol),
                          Utils::boolText(m_autoReconnectionOnError), Utils::boolText(protection)));
}

void VpnCore::takeUserDns(bool ourResolversShown)
{
    m_dnsManager.refreshAndLog();
    if (!ourResolversShown)
        m_userDnsList = m_dnsManager.userDnsEntries();
    Logger::info(objectName(),
                 QStringLiteral("User DNS: (%1)").arg(m_userDnsList.join(QStringLiteral(", "))));
}

void VpnCore::deletePortChecker()
{
    if (!m_portChecker)
        return;
    // It may be the sender of the signal being handled.
    m_portChecker->disconnect(this);
    m_portChecker->deleteLater();
    m_portChecker = nullptr;
}

void VpnCore::startPortSearch()
{
    const QVector<quint16> candidates = m_settings->autoPortCandidates();
    m_portChecker = new PortChecker(
        m_vpnServerIp, QList<quint16>(candidates.cbegin(), candidates.cend()), m_portSearchSeconds);
    m_portChecker->setParent(this);
    connect(m_portChecker, &PortChecker::portIsAvailable, this, &VpnCore::onPortIsAvailable);
    connect(m_portChecker, &PortChecker::timeout, this, &VpnCore::onPortCheckerTimeout);
    m_portChecker->check(true);
    onVpnConnectionStateChanged(ConnectionState::Preparing, QString(), false, QString());
}

void VpnCore::onPortIsAvailable(quint16 port)
{
    deletePortChecker();
    createTunnelClient(port);
}

void VpnCore::onPortCheckerTimeout()
{
    deletePortChecker();
    onVpnConnectionStateChanged(ConnectionState::Error, cantFindPorts, true,
                                tr("There are no ports for this connection"));
}

void VpnCore::createTunnelClient(quint16 port)
{
    const int protocol = m_settings->networkProtocol();
    m_dnsForcing = true;
    VpnClient* client = nullptr;
    if (protocol == wireGuardProtocol) {
        client = new WireGuardClient(this);
        m_dnsForcing = false;
    } else {
        client = new OpenVpnClient(this);
    }
    connect(
        client,
        SIGNAL(connectionStateChanged(ConnectionState::Id, const QString&, bool, const QString&)),
        this,
        SLOT(onVpnConnectionStateChanged(ConnectionState::Id, const QString&, bool,
                                         const QString&)));
    connect(client, SIGNAL(byteCountChanged(quint64, quint64)), this,
            SLOT(onByteCountChanged(quint64, quint64)));
    connect(client, SIGNAL(assignedInternalIp(const QString&)), this,
            SLOT(onAssignedInternalIp(const QString&)));
    connect(client, SIGNAL(dnsServerAddressesPushed(const QString&, const QString&)), this,
            SLOT(onDnsServerAddressesPushed(const QString&, const QString&)));

    if (m_vpnClient && m_vpnClient != client) {
        m_vpnClient->disconnect(this);
        delete m_vpnClient;
    }
    m_vpnClient = client;

    ConnectionParameters parameters;
    parameters.username = m_settings->userName();
    parameters.password = m_settings->password();
    parameters.server = m_vpnServerIp;
    parameters.protocol = protocol;
    parameters.port = port;
    parameters.autoReconnect = m_settings->autoReconnectionOnError();
    parameters.ipv6Enabled = m_settings->ipv6Enabled();
    client->setConnectionParameters(parameters);
    client->connectToServer();
}

void VpnCore::disconnectFromVpn()
{
    const bool waiting = m_protection.phase == ProtectionPolicy::Phase::WaitingToReconnect;
    const ProtectionPolicy::Decision decision = decide(ProtectionPolicy::Event::UserDisconnect);
    m_protection = decision.next;
    carryOut(decision.killSwitch);
    carryOut(decision.dns);
    if (waiting)
        cancelReconnection();
    else
        stopTunnel();
}

void VpnCore::cancelReconnection()
{
    // Between a drop and the next attempt no tunnel runs: the wait is all there is to stop.
    Logger::info(objectName(), QStringLiteral("Disconnect from VPN"));
    m_reconnectTimer.stop();
    m_waitingForNetwork = false;
    if (m_connectionState != ConnectionState::Disconnected)
        onVpnConnectionStateChanged(ConnectionState::Disconnected, fastDown, true);
    else
        endWithoutReport();
}

void VpnCore::endWithoutReport()
{
    ProtectionPolicy::Input input;
    input.end = ProtectionPolicy::EndKind::FastDown;
    input.critical = true;
    const ProtectionPolicy::Decision decision = decide(ProtectionPolicy::Event::TunnelEnded, input);
    m_protection = decision.next;
    carryOut(decision.killSwitch);
    carryOut(decision.dns);
    if (decision.followUpAttempt())
        scheduleConnect();
}

void VpnCore::stopTunnel()
{
    if (m_connectionState == ConnectionState::Preparing) {
        deletePortChecker();
        onVpnConnectionStateChanged(ConnectionState::Disconnected, fastDown, true, QString());
        return;
    }
    Logger::info(objectName(), QStringLiteral("Disconnect from VPN"));
    // An attempt whose client has reported nothing yet ends here.
    if (m_connectionState == ConnectionState::Disconnected &&
        m_protection.phase == ProtectionPolicy::Phase::Attempting)
        endWithoutReport();
    if (m_vpnClient)
        m_vpnClient->disconnectFromServer();
    // An attempt whose client never got going has nothing that would report its end.
    if (m_connectionState != ConnectionState::Disconnected &&
        (!m_vpnClient || m_vpnClient->connectionState() == ConnectionState::Disconnected))
        onVpnConnectionStateChanged(ConnectionState::Disconnected, fastDown, true);
}

// ---- states ----

void VpnCore::onVpnConnectionStateChanged(ConnectionState::Id state, const QString& additionalData,
                                          bool critical, const QString& errorDescription)
{
    if (state == m_connectionState)
        return;
    if (state == ConnectionState::Connected && holdConnectedUntilProtected())
        return;
    m_connectedAwaitsKillSwitch = false;
    m_killSwitchAnswerTimer.stop();
    if (state != ConnectionState::Connected)
        m_healthTimer.stop();
    if (state == ConnectionState::Connected || state == ConnectionState::Disconnected)
        m_attemptDeadline.stop();
    // A tunnel taken down for a reconnection shows that already, not its disconnection.
    if (m_tunnelDead && m_connectionState == ConnectionState::Reconnecting &&
        state == ConnectionState::Disconnecting)
        return;
    if (state == ConnectionState::Reconnecting &&
        m_protection.phase == ProtectionPolicy::Phase::Connected) {
        // The tunnel program restarts its own connection; the protection stays as it is.
        Logger::info(objectName(), QStringLiteral("Tunnel restarts by itself"));
        armAttemptDeadline(true);
    } else if (state == ConnectionState::Reconnecting &&
               m_protection.phase != ProtectionPolicy::Phase::WaitingToReconnect) {
        // The tunnel client offers a reconnection that this controller does not make.
        Logger::info(objectName(), QStringLiteral("No reconnection follows, staying %1")
                                       .arg(connectionStateName(m_connectionState, true)));
        return;
    }
    m_connectionState = state;
    const QString errorPart = errorDescription.isEmpty()
                                  ? QString()
                                  : QStringLiteral(", error text: '%1'").arg(errorDescription);
    Logger::info(
        objectName(),
        QStringLiteral("State set to %1%2").arg(connectionStateName(state, true), errorPart));

    if (state != ConnectionState::Reconnecting)
        setCurrentIpInfoText(connectionStateText(state));
    switch (state) {
    case ConnectionState::Disconnected:
        handleDisconnect(additionalData, critical);
        break;
    case ConnectionState::Unknown:
        handleDisconnect(QString(), false);
        break;
    case ConnectionState::Connecting:
    case ConnectionState::Disconnecting:
        setCurrentLocation(QString(), QString());
        break;
    case ConnectionState::Connected:
        handleConnected();
        break;
    case ConnectionState::Error:
        // A server that never answers a reconnection is one failed attempt, not the end.
        if (m_reconnectionAttempt && additionalData == noHandshake) {
            Logger::warning(
                objectName(),
                QStringLiteral("No answer from '%1', the attempt failed").arg(m_vpnServerIp));
            handleDisconnect(crashExit, false);
        } else {
            handleDisconnect(additionalData, critical);
        }
        m_errorText = errorDescription;
        emit vpnConnectionErrorTextChanged(m_errorText);
        break;
    case ConnectionState::Preparing:
    case ConnectionState::Reconnecting:
        break;
    }
    emit connectionStateChanged(m_connectionState);
}

ProtectionPolicy::Decision VpnCore::tunnelConnectedDecision(QStringList* vpnDns)
{
    // Without a usable pushed address the system keeps its resolvers; nothing pushed (WireGuard
    // sets its own) is no bad push.
    *vpnDns = m_dnsForcing && (!m_pushedDnsIpv4.isEmpty() || !m_pushedDnsIpv6.isEmpty())
                  ? m_dnsManager.vpnDnsEntries(m_pushedDnsIpv4, m_pushedDnsIpv6)
                  : QStringList();
    ProtectionPolicy::Input input;
    input.tunnelDnsAvailable = !vpnDns->isEmpty();
    input.settings.protocolSupportsKillSwitch = m_vpnClient && m_vpnClient->isKillSwitchSupported();
    return decide(ProtectionPolicy::Event::TunnelConnected, input);
}

bool VpnCore::holdConnectedUntilProtected()
{
    // Shown Connected, the user is protected: a first connection's rules go in before, or the
    // network's resolvers and everything else would be reached outside the tunnel meanwhile.
    if (m_connectedAwaitsKillSwitch)
        return true;
    if (m_killSwitchReadyForConnected || m_killSwitch.isEnabled())
        return false;
    QStringList vpnDns;
    const ProtectionPolicy::KillSwitchAction action = tunnelConnectedDecision(&vpnDns).killSwitch;
    if (action != ProtectionPolicy::KillSwitchAction::Engage &&
        action != ProtectionPolicy::KillSwitchAction::EngageBlockingDns)
        return false;
    Logger::info(objectName(), QStringLiteral("Tunnel is up, waiting for the kill switch"));
    m_connectedAwaitsKillSwitch = true;
    m_engagingForConnected = true;
    carryOut(action);
    m_engagingForConnected = false;
    // A refusal from within the request ended the attempt: this Connected is stale.
    if (m_protection.phase != ProtectionPolicy::Phase::Attempting) {
        m_connectedAwaitsKillSwitch = false;
        return true;
    }
    // Rules that could not be asked for, or an answer from within the request, leave nothing to
    // wait for.
    if (!m_killSwitch.isEnabled())
        m_connectedAwaitsKillSwitch = false;
    if (m_connectedAwaitsKillSwitch)
        m_killSwitchAnswerTimer.start();
    return m_connectedAwaitsKillSwitch;
}

void VpnCore::handleConnected()
{
    QStringList vpnDns;
    const ProtectionPolicy::Decision decision = tunnelConnectedDecision(&vpnDns);
    m_protection = decision.next;

    setCurrentLocation(QString(), QString());
    emit vpnConnectedChanged(true);

    m_connectionStartTime = m_clock();
    m_onlineTimeText = formatOnlineTime(0);
    emit vpnOnlineTimeChanged(m_onlineTimeText);
    m_onlineActivityTimer.start();

    m_tunnelDead = false;
    // WireGuard's persistent keepalives go out and nothing answers them in a healthy tunnel.
    m_health.start(monotonicMs(), qobject_cast<WireGuardClient*>(m_vpnClient) != nullptr);
    m_lastTick = Platform::wakeClocks();
    m_healthTimer.start();

    // Rules put in place just now for this connection are not asked for again.
    if (!m_killSwitchReadyForConnected)
        carryOut(decision.killSwitch);
    m_killSwitchReadyForConnected = false;
    carryOut(decision.dns, vpnDns);
    requestCurrentIpAddress(currentIpDelayMs);
}

void VpnCore::handleDisconnect(const QString& reportedData, bool reportedCritical)
{
    // A tunnel taken down for being dead ended as unexpectedly as a crash; one taken down with the
    // network under it waits for the network.
    const bool wasDead = std::exchange(m_tunnelDead, false);
    const bool lostNetwork = std::exchange(m_networkLost, false);
    const QString additionalData = wasDead ? (lostNetwork ? networkLost : crashExit) : reportedData;
    const bool critical = !wasDead && reportedCritical;
    if (critical && additionalData == cantFindPorts) {
        onVpnConnectionStateChanged(ConnectionState::Disconnected, fastDown, true, QString());
        return;
    }
    ProtectionPolicy::Input input;
    input.end = endKindOf(additionalData);
    input.critical = critical;
    const ProtectionPolicy::Decision decision = decide(ProtectionPolicy::Event::TunnelEnded, input);
    m_protection = decision.next;
    resetCounters();

    if (critical && additionalData == fastDown) {
        // The tunnel never came up.
        showDisconnectedLocation();
        carryOut(decision.killSwitch);
        carryOut(decision.dns);
        if (decision.followUpAttempt())
            scheduleConnect();
        return;
    }

    logReconnection(decision);
    carryOut(decision.killSwitch);
    Logger::info(objectName(), QStringLiteral("VPN connection is OFF"));
    carryOut(decision.dns);
    showDisconnectedLocation();

    // A late report of a run already let go leaves the pending reconnection as it is.
    if (decision.followUpAttempt())
        m_nextIsReconnection =
            decision.reconnection == ProtectionPolicy::Reconnection::AfterDrop ||
            decision.reconnection == ProtectionPolicy::Reconnection::AfterNetwork;
    if (!decision.followUpAttempt()) {
        requestCurrentIpAddress(currentIpDelayMs);
        return;
    }
    if (decision.reconnection == ProtectionPolicy::Reconnection::AfterNetwork) {
        m_waitingForNetwork = true;
        m_networkSettle.start();
    } else {
        scheduleConnect();
    }
    // The stop was ours, so the tunnel client offers no reconnection to show: the wait shows.
    if (wasDead)
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_protection.phase == ProtectionPolicy::Phase::WaitingToReconnect)
                    onVpnConnectionStateChanged(ConnectionState::Reconnecting, QString(), true);
            },
            Qt::QueuedConnection);
}

void VpnCore::resetCounters()
{
    m_pushedDnsIpv4.clear();
    m_pushedDnsIpv6.clear();
    m_internalIp.clear();
    m_bytesReceived = 0;
    m_bytesSent = 0;
    m_shownBytesReceived = 0;
    m_shownBytesSent = 0;
    m_onlineActivityTimer.stop();
    m_onlineTimeText = formatOnlineTime(0);
    m_currentCountry.clear();
    m_currentIp.clear();
    emit currentIpChanged(m_currentIp);
    emit currentLocationImageSourceChanged(currentLocationImageSource());
    emit vpnConnectedChanged(false);
    emit downloadedChanged(downloaded());
    emit uploadedChanged(uploaded());
    emit vpnOnlineTimeChanged(m_onlineTimeText);
    m_connectionState = ConnectionState::Disconnected;
}

void VpnCore::logReconnection(const ProtectionPolicy::Decision& decision)
{
    switch (decision.reconnection) {
    case ProtectionPolicy::Reconnection::RefusedAfterCriticalError:
        Logger::critical(objectName(),
                         QStringLiteral("Critical error, reconnection is not allowed now!"));
        break;
    case ProtectionPolicy::Reconnection::GivenUp:
        Logger::critical(objectName(), QStringLiteral("Can't reconnect after 3 attempts..."));
        break;
    case ProtectionPolicy::Reconnection::AfterNetwork:
        Logger::info(objectName(), QStringLiteral("Waiting for the network to come back"));
        emit vpnConnectionErrorTextChanged(tr("Auto reconnection"));
        break;
    case ProtectionPolicy::Reconnection::AfterDrop:
        Logger::info(objectName(),
                     QStringLiteral("Going to reconnection...%1").arg(decision.next.attempts));
        emit vpnConnectionErrorTextChanged(tr("Auto reconnection"));
        fallBackWithinCountry(decision.next.attempts);
        break;
    case ProtectionPolicy::Reconnection::None:
    case ProtectionPolicy::Reconnection::ForServerSwitch:
        break;
    }
}

void VpnCore::scheduleConnect()
{
    m_reconnectTimer.start(m_reconnectDelay);
}

void VpnCore::connectAutomatically()
{
    startAttempt(true);
}

void VpnCore::showDisconnectedLocation()
{
    onRequestCurrentIpAddressFinished(m_disconnectedIp, m_disconnectedCountry);
}

void VpnCore::setCurrentLocation(const QString& ip, const QString& country)
{
    m_currentIp = ip;
    m_currentCountry = country;
    emit currentIpChanged(m_currentIp);
    emit currentLocationImageSourceChanged(currentLocationImageSource());
}

void VpnCore::setCurrentIpInfoText(const QString& text)
{
    m_currentIpInfoText = text;
    emit currentIpInfoTextChanged(m_currentIpInfoText);
}

// ---- protection ----

ProtectionPolicy::Decision VpnCore::decide(ProtectionPolicy::Event event,
                                           ProtectionPolicy::Input input) const
{
    input.event = event;
    input.killSwitchEngaged = m_killSwitch.isEnabled();
    input.settings.killSwitch = m_settings->killswitchEnabled();
    input.settings.autoReconnect = m_autoReconnectionOnError;
    input.settings.dnsForcing = m_dnsForcing;
    return ProtectionPolicy::decide(m_protection, input);
}

void VpnCore::carryOut(ProtectionPolicy::KillSwitchAction action)
{
    switch (action) {
    case ProtectionPolicy::KillSwitchAction::Keep:
        break;
    case ProtectionPolicy::KillSwitchAction::Engage:
        engageKillSwitch(false);
        break;
    case ProtectionPolicy::KillSwitchAction::EngageBlockingDns:
        engageKillSwitch(true);
        break;
    case ProtectionPolicy::KillSwitchAction::Release:
        releaseKillSwitch();
        break;
    case ProtectionPolicy::KillSwitchAction::RaiseEvent:
        raiseKillSwitchEvent();
        break;
    }
}

void VpnCore::carryOut(ProtectionPolicy::DnsAction action, const QStringList& tunnelDns)
{
    switch (action) {
    case ProtectionPolicy::DnsAction::None:
        break;
    case ProtectionPolicy::DnsAction::ForceTunnel:
        m_status.setDnsActivated(true);
        runDnsTool(QStringLiteral("vpn"), tunnelDns);
        break;
    case ProtectionPolicy::DnsAction::RestoreUser:
        m_status.setDnsActivated(false);
        runDnsTool(QStringLiteral("user"), m_userDnsList);
        break;
    case ProtectionPolicy::DnsAction::Reset:
        m_status.setDnsActivated(false);
        runDnsTool(QStringLiteral("reset"), {});
        break;
    }
}

void VpnCore::engageKillSwitch(bool blockDns)
{
    m_status.setKillswitchActivated(true);
    if (!m_killSwitch.enable(m_internalIp, m_vpnServerIp, m_settings->allowAccessToLocalDevices(),
                             blockDns))
        m_status.setKillswitchActivated(m_killSwitch.isEnabled());
}

void VpnCore::releaseKillSwitch()
{
    m_status.setKillswitchActivated(false);
    m_killSwitch.disable();
}

void VpnCore::raiseKillSwitchEvent()
{
    Logger::instance()->logBanner(objectName(), QStringLiteral("Kill switch event!"));
    emit killSwitchEventActivated();
}

void VpnCore::disableKillSwitch()
{
    // The event's dialog lets go of the protection it was raised for; closed after the user
    // connected again, it must not open the connection now up.
    if (!m_protection.killSwitchEventCurrent)
        Logger::info(objectName(), QStringLiteral("Kill switch event is over, protection kept"));
    const ProtectionPolicy::Decision decision =
        decide(ProtectionPolicy::Event::KillSwitchDialogAccepted);
    m_protection = decision.next;
    carryOut(decision.killSwitch);
    carryOut(decision.dns);
}

void VpnCore::runDnsTool(const QString& mode, const QStringList& entries)
{
    m_dnsMode = mode;
    m_dnsProcess.start(QStringList{dnsToolPath(), mode} + entries);
}

void VpnCore::onKillSwitchHeldByAnotherUser(bool enabling)
{
    if (!enabling) {
        // The rules stay as they are, so the next start still knows to look at them.
        Logger::warning(objectName(), QStringLiteral("Kill switch left as it is: another user of "
                                                     "this computer holds it"));
        m_status.setKillswitchActivated(true);
        return;
    }
    m_status.setKillswitchActivated(false);
    const bool connected = vpnConnected();
    const ProtectionPolicy::Decision decision =
        decide(ProtectionPolicy::Event::AnotherUserHoldsProtection);
    m_protection = decision.next;
    if (!decision.stopTunnel)
        return;
    if (connected)
        disconnectForAnotherUser();
    else
        endAttemptForAnotherUser();
}

void VpnCore::onDnsProcessError(int code)
{
    if (code != ServiceProcess::heldByAnotherUserCode)
        return;
    Logger::warning(objectName(),
                    QStringLiteral("DNS tool '%1' refused: another user of this computer holds "
                                   "the protection")
                        .arg(m_dnsMode));
    if (m_dnsMode == QLatin1String("reset")) {
        m_status.setDnsActivated(true);
    } else if (m_dnsMode == QLatin1String("vpn")) {
        // Connected without our DNS would send every query past the tunnel.
        m_status.setDnsActivated(false);
        disconnectForAnotherUser();
    }
}

void VpnCore::disconnectForAnotherUser()
{
    // Connected without the protection the user asked for is no connection to keep.
    disconnectFromVpn();
    m_errorText = VpnClient::anotherUserText();
    emit vpnConnectionErrorTextChanged(m_errorText);
}

void VpnCore::endAttemptForAnotherUser()
{
    m_reconnectTimer.stop();
    deletePortChecker();
    if (m_vpnClient && m_vpnClient->connectionState() != ConnectionState::Disconnected)
        m_vpnClient->disconnectFromServer();
    onVpnConnectionStateChanged(ConnectionState::Error, heldByAnotherUser, true,
                                VpnClient::anotherUserText());
}

void VpnCore::recoverProtectionState()
{
    ProtectionPolicy::Input input;
    input.dnsLeftBehind = m_status.dnsActivated() || m_dnsManager.tunnelDnsLeftBehind();
    input.killSwitchLeftBehind = m_status.killswitchActivated();
    const ProtectionPolicy::Decision decision =
        decide(ProtectionPolicy::Event::LeftoversFound, input);
    m_protection = decision.next;
    if (input.dnsLeftBehind) {
        Logger::warning(objectName(), QStringLiteral("Detected wrong DNS status"));
        m_wrongDnsDetected = true;
        if (QFile::exists(Utils::dnsDataFilePath()))
            Logger::warning(objectName(), QStringLiteral("Switching to user DNS settings"));
        else
            Logger::warning(
                objectName(),
                QStringLiteral("DNS data file doesn't exist, resetting to default values"));
    }
    carryOut(decision.dns);
    if (input.killSwitchLeftBehind)
        Logger::warning(objectName(), QStringLiteral("Detected wrong killswitch status"));
    carryOut(decision.killSwitch);
    m_status.clear();
}

// ---- tunnel reports ----

void VpnCore::onAssignedInternalIp(const QString& ip)
{
    m_internalIp = ip;
}

void VpnCore::onByteCountChanged(quint64 receive, quint64 send)
{
    if (m_connectionState != ConnectionState::Connected)
        return;
    m_health.record(receive, send, monotonicMs());
    // Shown with the online time's next second.
    m_bytesReceived = receive;
    m_bytesSent = send;
}

void VpnCore::onDnsProcessFinished(int) {}

void VpnCore::onDnsServerAddressesPushed(const QString& dnsServerIpv4Address,
                                         const QString& dnsServerIpv6Address)
{
    m_pushedDnsIpv4 = dnsServerIpv4Address;
    m_pushedDnsIpv6 = dnsServerIpv6Address;
}

void VpnCore::onKillSwitchFinished(bool ok)
{
    if (!m_connectedAwaitsKillSwitch)
        return;
    m_connectedAwaitsKillSwitch = false;
    m_killSwitchAnswerTimer.stop();
    // Asked once for this connection, whatever came of it.
    m_killSwitchReadyForConnected = true;
    if (!ok)
        Logger::warning(objectName(), QStringLiteral("Kill switch failed, connected without it"));
    // An answer from within the request: the Connected in hand goes on by itself.
    if (!m_engagingForConnected)
        onVpnConnectionStateChanged(ConnectionState::Connected, QString(), false);
}

// Ticks twice a second so that no second is skipped, and changes what is shown once a second:
// the window is redrawn once a second while connected.
void VpnCore::onOnlineActivityTimerEvent()
{
    const QString text = formatOnlineTime(m_connectionStartTime.secsTo(m_clock()));
    if (text == m_onlineTimeText)
        return;
    m_onlineTimeText = text;
    emit vpnOnlineTimeChanged(m_onlineTimeText);
    publishCounters();
}

void VpnCore::publishCounters()
{
    if (m_shownBytesReceived != m_bytesReceived) {
        m_shownBytesReceived = m_bytesReceived;
        emit downloadedChanged(downloaded());
    }
    if (m_shownBytesSent != m_bytesSent) {
        m_shownBytesSent = m_bytesSent;
        emit uploadedChanged(uploaded());
    }
}

// ---- a dead tunnel ----

void VpnCore::onHealthTick()
{
    const Platform::WakeClocks clocks = Platform::wakeClocks();
    const qint64 runningGap = clocks.monotonicMs - m_lastTick.monotonicMs;
    const qint64 wallGap = clocks.bootTimeMs - m_lastTick.bootTimeMs;
    if (TunnelHealth::wasAway(runningGap, wallGap, healthTickMs)) {
        Logger::info(objectName(), QStringLiteral("Back after %1 s away, checking the tunnel")
                                       .arg(qMax(runningGap, wallGap) / 1000));
        m_health.checkNow();
    }
    m_lastTick = clocks;
    switch (m_health.judge(clocks.monotonicMs)) {
    case TunnelHealth::Verdict::Alive:
        break;
    case TunnelHealth::Verdict::Probe:
        sendHealthProbe();
        m_health.probeSent(clocks.monotonicMs);
        break;
    case TunnelHealth::Verdict::Dead:
        endDeadTunnel(m_health.describe(clocks.monotonicMs));
        break;
    }
}

void VpnCore::sendHealthProbe()
{
    // WireGuard reports no address of its own: the account's is the tunnel's.
    const QString internalIp = m_internalIp.isEmpty() && qobject_cast<WireGuardClient*>(m_vpnClient)
                                   ? WireGuardClient::currentAccount().wgIp
                                   : m_internalIp;
    const QString target = TunnelHealth::probeTarget(m_pushedDnsIpv4, internalIp);
    if (!m_health.probing())
        Logger::info(objectName(), QStringLiteral("Nothing came through the tunnel for a while, "
                                                  "probing '%1'")
                                       .arg(target));
    if (target.isEmpty())
        return;
    auto* prober = new MultiPing(this);
    connect(prober, &MultiPing::lastRequestFinished, prober, &QObject::deleteLater);
    prober->sendRequest(target);
}

void VpnCore::endDeadTunnel(const QString& seen)
{
    Logger::warning(objectName(), QStringLiteral("The tunnel is dead: %1").arg(seen));
    takeDownTunnel();
}

void VpnCore::takeDownTunnel()
{
    m_tunnelDead = true;
    m_healthTimer.stop();
    // Not connected from here on: with a reconnection to follow, the window says so at once.
    if (m_autoReconnectionOnError) {
        m_connectionState = ConnectionState::Reconnecting;
        Logger::info(
            objectName(),
            QStringLiteral("State set to %1").arg(connectionStateName(m_connectionState, true)));
        emit connectionStateChanged(m_connectionState);
    }
    if (m_vpnClient)
        m_vpnClient->disconnectFromServer();
}

void VpnCore::armAttemptDeadline(bool restartingByItself)
{
    if (ProtectionPolicy::attemptHasDeadline(m_protection, m_reconnectionAttempt,
                                             restartingByItself))
        m_attemptDeadline.start();
    else
        m_attemptDeadline.stop();
}

void VpnCore::onAttemptDeadline()
{
    const bool restartingByItself = m_protection.phase == ProtectionPolicy::Phase::Connected &&
                                    m_connectionState == ConnectionState::Reconnecting;
    // Connected held for the kill switch's answer is Connected already.
    if (m_tunnelDead || m_connectedAwaitsKillSwitch ||
        m_connectionState == ConnectionState::Connected ||
        m_connectionState == ConnectionState::Disconnected ||
        !ProtectionPolicy::attemptHasDeadline(m_protection, m_reconnectionAttempt,
                                              restartingByItself))
        return;
    Logger::warning(objectName(), QStringLiteral("No tunnel to '%1' after %2 s, giving the "
                                                 "attempt up")
                                      .arg(m_vpnServerIp)
                                      .arg(ProtectionPolicy::attemptDeadlineMs / 1000));
    // Without a network under it no attempt could succeed: that is a wait, not a failure.
    m_networkLost = Utils::isServerAddress(m_vpnServerIp) && !routeToServer().usable;
    takeDownTunnel();
}

void VpnCore::fallBackWithinCountry(int attempt)
{
    // Only while the user's choice is still the country the ranking is of.
    if (m_rankingCountry.isEmpty() ||
        m_settings->currentServerId().compare(m_rankingCountry, Qt::CaseInsensitive) != 0)
        return;
    const QString next =
        CountryFallback::serverForAttempt(m_vpnServerIp, attempt, m_countryRanking);
    const Server server = Catalogue::findByIp(m_servers, next);
    if (next == m_vpnServerIp || !Catalogue::isValid(server))
        return;
    Logger::info(objectName(), QStringLiteral("Reconnections to '%1' failed twice, trying the "
                                              "country's next best server")
                                   .arg(m_vpnServerIp));
    setVpnServerIp(server.ip, Catalogue::countryCityText(server), server.country);
}

// ---- the network under the tunnel ----

VpnCore::ServerRoute VpnCore::routeToServer() const
{
    const Platform::RouteFacts route = Platform::routeTo(m_vpnServerIp);
    return {NetworkFollow::usable(route.found, route.device),
            route.found ? route.device : QStringLiteral("none")};
}

void VpnCore::onNetworkChanged()
{
    // The address becomes an argument of the route lookup.
    if (!Utils::isServerAddress(m_vpnServerIp))
        return;
    const bool connected = m_connectionState == ConnectionState::Connected &&
                           m_protection.phase == ProtectionPolicy::Phase::Connected;
    if (!connected && !m_waitingForNetwork)
        return;
    const ServerRoute route = routeToServer();
    if (connected && !route.usable && !m_tunnelDead) {
        Logger::warning(objectName(), QStringLiteral("The network under the tunnel is gone: the "
                                                     "route to '%1' leads through '%2'")
                                          .arg(m_vpnServerIp, route.device));
        m_networkLost = true;
        takeDownTunnel();
        return;
    }
    if (!m_waitingForNetwork || !route.usable)
        return;
    const qint64 now = monotonicMs();
    const qint64 delay = NetworkFollow::reconnectDelayMs(now - m_lastNetworkAttemptMs);
    Logger::info(objectName(), QStringLiteral("The network is back through '%1', reconnecting in "
                                              "%2 ms")
                                   .arg(route.device)
                                   .arg(delay));
    m_waitingForNetwork = false;
    m_lastNetworkAttemptMs = now + delay;
    m_reconnectTimer.start(int(delay));
}

void VpnCore::setAutoReconnectionOnError(bool enabled)
{
    m_autoReconnectionOnError = enabled;
}

// ---- server choice ----

QString VpnCore::locationLine(const QString& ip, const QString& locationText) const
{
    return Catalogue::formatLocationText(ip, locationText, true);
}

void VpnCore::onRequestServerListFinished(const Servers& servers)
{
    m_servers = servers;
}

void VpnCore::setVpnServerIp(const QString& ip, const QString& locationText, const QString& country)
{
    Logger::info(objectName(), QStringLiteral("Set %1").arg(locationLine(ip, locationText)));
    m_vpnServerIp = ip;
    m_settings->saveCurrentServerId(
        country.isEmpty() ? Catalogue::identifierForAddress(m_servers, ip) : country);
    if (m_autoConnectionPending) {
        if (WireGuardClient::isWireGuardEnabled() &&
            m_settings->networkProtocol() == wireGuardProtocol &&
            !WireGuardClient::currentAccount().isValid()) {
            Logger::info(
                objectName(),
                QStringLiteral("Auto connection enabled, but account data is not ready yet"));
            if (accountRequests < maximumAccountRequests && m_networkApi) {
                ++accountRequests;
                m_networkApi->requestWireGuardData(m_settings->userName(), m_settings->password());
            }
        } else {
            startAutoConnection();
        }
        return;
    }
    // The attempt that is about to start takes the new server.
    if (m_connectionState == ConnectionState::Disconnected ||
        m_protection.phase == ProtectionPolicy::Phase::WaitingToReconnect)
        return;
    const ProtectionPolicy::Decision decision =
        decide(ProtectionPolicy::Event::ServerSwitchRequested);
    m_protection = decision.next;
    if (decision.stopTunnel && m_connectionState != ConnectionState::Disconnecting)
        stopTunnel();
}

void VpnCore::startAutoConnection()
{
    Logger::info(objectName(), QStringLiteral("Start auto connection"));
    m_autoConnectionPending = false;
    connectToVpn();
}

void VpnCore::onApiRequestAccountFinished(const Account& account)
{
    if (!account.isValid()) {
        Logger::warning(objectName(), QStringLiteral("Account is not valid"));
        return;
    }
    WireGuardClient::setCurrentAccount(account);
    Logger::info(objectName(), QStringLiteral("Account data: OK"));
    if (m_autoConnectionPending && !m_vpnServerIp.isEmpty())
        startAutoConnection();
}

void VpnCore::setSearchModeForCountry(const QString& countryCode)
{
    if (countryCode.isEmpty())
        return;
    // A connection, an attempt or a pending reconnection keeps its server until the search
    // chooses (then it switches as any choice does): a drop meanwhile must find one to go back to.
    if (m_protection.phase == ProtectionPolicy::Phase::Idle &&
        m_connectionState == ConnectionState::Disconnected)
        m_vpnServerIp.clear();
    Logger::info(
        objectName(),
        QStringLiteral("Set search mode for country: '%1'").arg(countryNameForCode(countryCode)));
    const Servers servers = Catalogue::serversOfCountry(m_servers, countryCode);
    if (servers.size() == 1) {
        const Server& server = servers.first();
        const QString locationText = Catalogue::countryCityText(server);
        Logger::info(objectName(), QStringLiteral("Only one server available, %1")
                                       .arg(locationLine(server.ip, locationText)));
        setVpnServerIp(server.ip, locationText, server.country);
        return;
    }
    auto* prober = new MultiPing(this);
    prober->setProperty(rankedCountry, countryCode);
    connect(prober, &MultiPing::lastRequestFinished, this, &VpnCore::onLastPingRequestFinished);
    const QStringList addresses = Catalogue::ipList(servers);
    if (addresses.isEmpty()) {
        Logger::warning(objectName(), QStringLiteral("Something wrong.."));
        return;
    }
    prober->sendRequest(addresses);
}

QString VpnCore::addressOfPingResult(const QString& entry)
{
    return entry.section(QLatin1Char(':'), 0, 0);
}

void VpnCore::onLastPingRequestFinished(const QStringList& data)
{
    Servers ranked;
    for (const QString& entry : data) {
        const Server server = Catalogue::findByIp(m_servers, addressOfPingResult(entry));
        if (Catalogue::isValid(server))
            ranked << server;
    }
    // Kept for reconnections that fall back within the country.
    const QString country = sender() ? sender()->property(rankedCountry).toString() : QString();
    if (!country.isEmpty() && !ranked.isEmpty()) {
        m_rankingCountry = country;
        m_countryRanking = Catalogue::ipList(ranked);
    }
    if (!ranked.isEmpty()) {
        const Server& server = ranked.first();
        const QString locationText = Catalogue::countryCityText(server);
        Logger::info(
            objectName(),
            QStringLiteral("From ping, selected %1").arg(locationLine(server.ip, locationText)));
        setVpnServerIp(server.ip, locationText, server.country);
    }
    // Only the probers made here are ours to delete.
    if (auto* prober = qobject_cast<MultiPing*>(sender()); prober && prober->parent() == this)
        prober->deleteLater();
}

QString VpnCore::bestStringForCountry(const QString& contryCode)
{
    if (contryCode.isEmpty())
        return {};
    return tr("Best in") + QLatin1Char(' ') + contryCode.toUpper();
}

void VpnCore::updateFavorite(const QString& serverId, bool on)
{
    m_settings->setFavorite(Catalogue::identifierForAddress(m_servers, serverId), on);
}

// ---- current IP ----

void VpnCore::setNetworkApi(NetworkApi* api)
{
    if (m_networkApi || !api)
        return;
    m_networkApi = api;
    connect(api, SIGNAL(requestServerListFinished(const Servers&)), this,
            SLOT(onRequestServerListFinished(const Servers&)));
    connect(api, SIGNAL(apiRequestAccountFinished(const Account&)), this,
            SLOT(onApiRequestAccountFinished(const Account&)));
    connect(api, SIGNAL(requestCurrentIpAddressFinished(const QString&, const QString&)), this,
            SLOT(onRequestCurrentIpAddressFinished(const QString&, const QString&)));
}

void VpnCore::requestCurrentIpAddress(int timeoutMSec)
{
    m_currentIpTimer.start(timeoutMSec);
}

void VpnCore::onRequestCurrentIpAddressTimerEvent()
{
    if (m_networkApi)
        m_networkApi->requestCurrentIpAddress();
}

void VpnCore::retranslateCurrentIp()
{
    onRequestCurrentIpAddressFinished(Utils::retranslateMarker(), Utils::retranslateMarker());
}

void VpnCore::onRequestCurrentIpAddressFinished(const QString& ip, const QString& countryCode)
{
    if (ip == Utils::retranslateMarker()) {
        onRequestCurrentIpAddressFinished(lastGeoIp, lastGeoCountry);
        return;
    }
    if (Utils::isPlaceholderAddress(ip)) {
        Logger::info(objectName(), QStringLiteral("Requesting new ip address"));
        requestCurrentIpAddress(currentIpRetryMs);
        return;
    }
    lastGeoIp = ip;
    lastGeoCountry = countryCode;

    QString country;
    if (m_connectionState == ConnectionState::Connected) {
        country = Catalogue::findByIp(m_servers, ip).country;
        if (country.isEmpty())
            country = Catalogue::findByIp(m_servers, m_vpnServerIp).country;
    }
    if (country.isEmpty())
        country = countryCode;
    if (ip.isEmpty() || country.isEmpty())
        return;

    if (m_connectionState == ConnectionState::Connecting ||
        m_connectionState == ConnectionState::Disconnecting) {
        Logger::info(objectName(), QStringLiteral("Request current IP address finished, skipping"));
        return;
    }
    if (m_connectionState == ConnectionState::Disconnected) {
        m_disconnectedIp = ip;
        m_disconnectedCountry = country;
    }
    setCurrentLocation(ip, country);
    setCurrentIpInfoText(Utils::isIpv4Address(ip) ? tr("Your current IP") : tr("Error"));
}
