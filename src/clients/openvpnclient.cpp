#include "openvpnclient.h"

#include "app/debugmode.h"
#include "app/logger.h"
#include "platform/platform.h"
#include "utils/utils.h"

#include <QFileInfo>
#include <QHostAddress>
#include <QRegularExpression>

namespace {

const int sigTermWaitMs = 3000;
const int minimumManagementVersion = 3;
const char byteCountTag[] = ">BYTECOUNT:";
const char pushReplyTag[] = "PUSH_REPLY";
const char dnsOption[] = "dhcp-option DNS";

} // namespace

OpenVpnClient::OpenVpnClient(QObject* parent) : VpnClient(parent)
{
    setObjectName(QStringLiteral("OpenVpnClient"));
    m_openVpnProcess = new VpnProcess(m_processName, this);
    m_stunnel = new Stunnel(this);
    m_managementServer = new TcpServer(this);
    m_sigTermTimer.setInterval(0);
    connect(&m_sigTermTimer, &QTimer::timeout, this,
            &OpenVpnClient::openVpnStateSigTermHandlerTimerEvent);
    connect(m_openVpnProcess, &VpnProcess::started, this, &OpenVpnClient::onOpenVpnProcessStarted);
    connect(m_openVpnProcess, &VpnProcess::finished, this,
            &OpenVpnClient::onOpenVpnProcessFinished);
    // A run the service could not start ends the attempt like a run that ended at once.
    connect(m_openVpnProcess, &VpnProcess::error, this, &OpenVpnClient::onOpenVpnProcessError);
    connect(m_managementServer, &TcpServer::readyRead, this,
            &OpenVpnClient::onReadyReadDataFromManagementInterface);
    connect(m_managementServer, &TcpServer::lineTooLong, this,
            &OpenVpnClient::onManagementLineTooLong);
    connect(m_stunnel, &Stunnel::started, this, &OpenVpnClient::onStunnelStarted);
}

OpenVpnClient::~OpenVpnClient()
{
    m_destroying = true;
    parameters().autoReconnect = false;
    if (m_openVpnProcess->state() == ServiceProcess::Running) {
        m_stopRequested = true;
        stopRunningProcess();
    }
    m_sigTermTimer.stop();
    m_openVpnProcess->disconnect(this);
    m_managementServer->disconnect(this);
    m_stunnel->disconnect(this);
}

bool OpenVpnClient::isKillSwitchSupported()
{
    return true;
}

QString OpenVpnClient::processName()
{
    return m_processName;
}

QString OpenVpnClient::executablePath()
{
    return Utils::applicationDirectory() +
           QStringLiteral("/%1/bin/%2").arg(m_processName, Utils::executableName(m_processName));
}

QString OpenVpnClient::configTemplatePath()
{
    switch (connectionParameters().protocol) {
    case 0:
    case 1:
        return QStringLiteral(":/resources/config/general.ovpn");
    case 2:
        return QStringLiteral(":/resources/config/stunnel.ovpn");
    default:
        Logger::critical(objectName(), QStringLiteral("Unknown protocol"));
        return {};
    }
}

QStringList OpenVpnClient::additionalLines(int protocol, bool ipv6Enabled, bool debug, bool windows)
{
    QStringList lines{QStringLiteral("verb %1").arg(debug ? 6 : 3)};
    // OpenVPN elsewhere refuses these Windows-only directives as fatal option errors.
    if (windows)
        lines << QStringLiteral("register-dns") << QStringLiteral("dhcp-renew")
              << QStringLiteral("block-outside-dns");
    if (protocol == 0)
        lines << QStringLiteral("mute-replay-warnings") << QStringLiteral("replay-window 256");
    if (!ipv6Enabled)
        lines << QStringLiteral("pull-filter ignore ifconfig-ipv6")
              << QStringLiteral("pull-filter ignore route-ipv6")
              << QStringLiteral("pull-filter ignore 'redirect-gateway ipv6'");
    return lines;
}

void OpenVpnClient::prepareConfig(QString& config)
{
    const ConnectionParameters& p = connectionParameters();
    if (p.protocol != 2) {
        config.replace(QStringLiteral("<SERVER>"), p.server);
        config.replace(QStringLiteral("<PROTOCOL>"),
                       p.protocol == 0 ? QStringLiteral("udp") : QStringLiteral("tcp"));
        config.replace(QStringLiteral("<PORT>"), QString::number(p.port));
    }
    insertAdditionalData(
        additionalLines(p.protocol, p.ipv6Enabled, DebugMode::enabled(), Platform::isWindows()),
        config);
}

bool OpenVpnClient::connectToServer()
{
    m_sigTermTimer.stop();
    m_errorText.clear();
    disconnectFromServer();

    if (connectionParameters().server.isEmpty()) {
        m_errorText = tr("OpenVPN server is empty!");
        Logger::critical(objectName(), m_errorText);
        setConnectionState(ConnectionState::Error, m_errorText, false);
        return false;
    }
    if (!Utils::isServerAddress(connectionParameters().server)) {
        m_errorText = invalidServerText();
        Logger::critical(objectName(), m_errorText);
        setConnectionState(ConnectionState::Error, m_errorText, false);
        return false;
    }
    if (!QFileInfo::exists(executablePath())) {
        m_errorText =
            QStringLiteral("OpenVPN executable '%1' does not exists").arg(executablePath());
        Logger::critical(objectName(), m_errorText);
        setConnectionState(ConnectionState::Error, m_errorText, false);
        return false;
    }
    if (connectionParameters().protocol == 2) {
        if (!m_stunnel->start(connectionParameters().server))
            failAttempt(tr("Error: the Stealth transport could not be started"));
        return true;
    }
    launchOpenVpn();
    return true;
}

void OpenVpnClient::failAttempt(const QString& text)
{
    m_errorText = text;
    Logger::critical(objectName(), m_errorText);
    if (connectionParameters().protocol == 2)
        m_stunnel->stop();
    setConnectionState(ConnectionState::Error, m_errorText, true);
}

QStringList OpenVpnClient::launchArguments()
{
    return {executablePath(),
            QStringLiteral("--config"),
            configFilePath(),
            QStringLiteral("--management"),
            m_managementHost,
            QString::number(m_managementPort),
            QStringLiteral("--management-query-passwords"),
            QStringLiteral("--management-client"),
            QStringLiteral("--log-append"),
            vpnLogFilePath()};
}

void OpenVpnClient::launchOpenVpn()
{
    // A partial configuration must never run.
    if (!writeConfigFile()) {
        failAttempt(tr("Error: the OpenVPN configuration could not be written"));
        return;
    }
    applyIpv6Setting();
    m_stopRequested = false;
    m_assignedIp.clear();
    const QStringList arguments = launchArguments();
    const QString logPath = vpnLogFilePath();
    if (QFileInfo::exists(logPath))
        Utils::appendSeparatorLine(logPath);
    else
        Utils::createEmptyFile(logPath);
    if (!m_managementServer->start(m_managementHost, m_managementPort)) {
        // Whoever holds the port would get OpenVPN's management channel.
        deleteConfigFile();
        if (connectionParameters().protocol == 2)
            m_stunnel->stop();
        m_errorText = isHeldByAnotherUser(m_managementPort)
                          ? anotherUserText()
                          : tr("Port %1 is taken by another program: OpenVPN was not started")
                                .arg(m_managementPort);
        Logger::critical(objectName(), m_errorText);
        setConnectionState(ConnectionState::Error, m_errorText, true);
        return;
    }
    setConnectionState(ConnectionState::Connecting, QString(), false);
    m_openVpnProcess->start(arguments);
}

void OpenVpnClient::onStunnelStarted(bool success)
{
    if (success) {
        launchOpenVpn();
        return;
    }
    Logger::critical(objectName(),
                     QStringLiteral("Critical error, can't start Stealth mode properly"));
    // Without its own listener OpenVPN's traffic could reach whoever holds the port.
    m_stunnel->stop();
    m_errorText = tr("Stealth mode could not start: stunnel is not listening on %1:%2")
                      .arg(Stunnel::listenHost())
                      .arg(Stunnel::listenPort());
    setConnectionState(ConnectionState::Error, m_errorText, true);
}

void OpenVpnClient::onManagementLineTooLong()
{
    m_errorText = tr("Error: OpenVPN sent a management line longer than 64 KiB");
    Logger::critical(objectName(), m_errorText);
    disconnectFromServer();
    setConnectionState(ConnectionState::Error, m_errorText, true);
}

bool OpenVpnClient::disconnectFromServer()
{
    m_stopRequested = true;
    stopRunningProcess();
    return true;
}

void OpenVpnClient::stopRunningProcess()
{
    const int state = m_openVpnProcess->state();
    if (isTunnelProcessRunning() &&
        (state == ServiceProcess::Starting || state == ServiceProcess::Running)) {
        if (m_managementServer->isConnected()) {
            const qint64 written = m_managementServer->write("signal SIGTERM\r\n");
            Logger::info(objectName(), QStringLiteral("Send TERM signal, status: ") +
                                           Utils::boolText(written > 0));
            if (written <= 0)
                m_openVpnProcess->kill();
        } else {
            m_openVpnProcess->kill();
        }
    }
    if (connectionParameters().protocol == 2)
        m_stunnel->stop();
    const ConnectionState::Id current = connectionState();
    if (current != ConnectionState::Disconnecting && current != ConnectionState::Disconnected &&
        current != ConnectionState::Reconnecting)
        setConnectionState(ConnectionState::Disconnecting, QString(), false);
}

void OpenVpnClient::onOpenVpnProcessStarted() {}

void OpenVpnClient::onOpenVpnProcessFinished(int exitCode)
{
    deleteConfigFile();
    m_sigTermTimer.stop();
    // Nobody may speak for an attempt that is over.
    m_managementServer->close();
    reportProcessEnd(exitCode, m_errorText, m_destroying, m_stopRequested);
}

void OpenVpnClient::onOpenVpnProcessError(int code)
{
    if (code != ServiceProcess::heldByAnotherUserCode) {
        onOpenVpnProcessFinished(code);
        return;
    }
    // Another user's tunnel: trying again would meet the same owner.
    deleteConfigFile();
    m_managementServer->close();
    failAttempt(anotherUserText());
}

void OpenVpnClient::openVpnStateSigTermHandlerTimerEvent()
{
    Logger::info(objectName(),
                 QStringLiteral("Timeout while waiting for notification from openvpn process.."));
    const bool running = isTunnelProcessRunning();
    Logger::info(
        objectName(),
        QStringLiteral("Checking if openvpn process is running: %1").arg(Utils::boolText(running)));
    if (running)
        m_openVpnProcess->kill();
    // No end report and no stop of ours: someone else ended the program (a service that went
    // away takes its runs with it). That is no clean end, and its code is unknown.
    const int unknownEndCode = -1;
    onOpenVpnProcessFinished(m_stopRequested ? 0 : unknownEndCode);
}

// ---- management channel ----

bool OpenVpnClient::isGreeting(const QString& line)
{
    static const QRegularExpression greeting(
        QStringLiteral(">INFO:OpenVPN Management Interface Version (\\d+)"));
    const QRegularExpressionMatch match = greeting.match(line);
    // Every version from 3 on speaks the dialogue below; 2.6 greets with 5.
    return match.hasMatch() && match.captured(1).toInt() >= minimumManagementVersion;
}

QString OpenVpnClient::escapePassword(const QString& password)
{
    return QString(password)
        .replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('"'), QStringLiteral("\\\""));
}

OpenVpnClient::PushedDns OpenVpnClient::parsePushReply(const QString& line, bool ipv6Enabled)
{
    PushedDns result;
    const int tag = line.indexOf(QLatin1String(pushReplyTag));
    if (tag < 0)
        return result;
    result.handled = true;
    QString rest = line.mid(tag + int(qstrlen(pushReplyTag))).simplified();
    if (rest.endsWith(QLatin1Char('\'')))
        rest.chop(1);
    const QStringList parts = rest.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (!part.startsWith(QLatin1String(dnsOption)))
            continue;
        // Only the option's own name goes: removing it anywhere would splice an address out of
        // "10.0.0.1dhcp-option DNS6".
        const QString address = part.mid(int(qstrlen(dnsOption))).simplified();
        // The address goes on to the root-run DNS tool: a zone or a short form is no literal.
        if (!Utils::isIpLiteral(address))
            continue;
        if (Utils::isIpv4Address(address))
            result.ipv4 = address;
        else if (Utils::isIpv6Address(address))
            result.ipv6 = address;
    }
    // Most servers push one family: either is a resolver to force, so long as it can be used.
    if (!ipv6Enabled)
        result.ipv6.clear();
    result.complete = !result.ipv4.isEmpty() || !result.ipv6.isEmpty();
    return result;
}

QString OpenVpnClient::parseAssignedIp(const QString& line)
{
    if (!line.contains(QLatin1String("ASSIGN_IP")) || !line.contains(QLatin1String(">STATE")) ||
        line.contains(QLatin1String("MANAGEMENT")))
        return {};
    const int start = line.indexOf(QLatin1String(",,")) + 2;
    int end = line.indexOf(QLatin1String(",,,,"));
    if (end < 0) {
        Logger::warning(QStringLiteral("OpenVpnClient"),
                        QStringLiteral("Cannot parse ASSIGN_IP line"));
        end = line.size();
    }
    const QString candidate = line.mid(start, end - start);
    QHostAddress address;
    if (!address.setAddress(candidate) || address.isNull()) {
        Logger::warning(QStringLiteral("OpenVpnClient"),
                        QStringLiteral("Cannot parse ASSIGN_IP line"));
        return {};
    }
    return candidate;
}

bool OpenVpnClient::containsByteCount(const QString& line)
{
    return line.contains(QLatin1String(byteCountTag));
}

ConnectionStatistics OpenVpnClient::parseByteCount(const QString& line)
{
    const int tag = line.lastIndexOf(QLatin1String(byteCountTag));
    const QStringList fields = line.mid(tag + int(qstrlen(byteCountTag))).split(QLatin1Char(','));
    const quint64 received = fields.value(0).trimmed().toULongLong();
    const quint64 sent = fields.value(1).trimmed().toULongLong();
    return ConnectionStatistics(received, sent);
}

void OpenVpnClient::onReadyReadDataFromManagementInterface()
{
    for (;;) {
        const QString line = m_managementServer->readLine().simplified();
        if (line.isEmpty())
            break;
        handleManagementLine(line);
    }
}

void OpenVpnClient::logManagement(const QString& text)
{
    Logger::info(objectName(), m_logPrefix + text);
}

void OpenVpnClient::writeManagement(const char* command, const QString& logText)
{
    m_managementServer->write(command);
    logManagement(logText);
}

void OpenVpnClient::handleManagementLine(const QString& line)
{
    if (DebugMode::enabled())
        Logger::info(objectName(), QStringLiteral("[Extended log: %1]").arg(line));
    if (!line.contains(QLatin1String(">BYTECOUNT")))
        logManagement(line);

    bool byteCountStep = true;
    if (isGreeting(line)) {
        writeManagement("state on\n", QStringLiteral("Send 'state on'"));
        writeManagement("log on\n", QStringLiteral("Send 'log on'"));
    } else if (line.startsWith(QLatin1String(">PASSWORD:Need 'Auth' username/password"))) {
        // Both at once: OpenVPN reads them in turn, and each answer waited for would cost a turn
        // of this busy thread.
        const QString username = connectionParameters().username;
        m_managementServer->write(
            QStringLiteral("username 'Auth' %1\n").arg(username).toUtf8().constData());
        logManagement(QStringLiteral("Sent username: ") + username);
        sendPassword();
    } else if (line.startsWith(QLatin1String(">PASSWORD:Verification Failed"))) {
        m_errorText = tr("Error: Wrong Username/Password");
        Logger::critical(objectName(), m_errorText);
        parameters().autoReconnect = false;
        setConnectionState(ConnectionState::Error, m_errorText, true);
    } else if (handlePushReply(line) || handleAssignedIp(line)) {
        byteCountStep = false;
    } else if (line.startsWith(QLatin1String(">STATE")) && line.contains(m_connectedStateText)) {
        writeManagement("bytecount 1\n", QStringLiteral("Send 'bytecount'"));
        setConnectionState(ConnectionState::Connected, QString(), false);
        byteCountStep = false;
    } else if (line.startsWith(QLatin1String(">STATE")) && line.contains(m_restartingStateText)) {
        setConnectionState(ConnectionState::Reconnecting, QString(), false);
        byteCountStep = false;
    } else if (line.startsWith(QLatin1String(">STATE")) && line.contains(m_exitingStateText)) {
        Logger::info(objectName(),
                     QStringLiteral("OpenVPN process is exiting, waiting for notification.."));
        m_sigTermTimer.start(sigTermWaitMs);
        byteCountStep = false;
    }
    if (byteCountStep && containsByteCount(line))
        setStatistics(parseByteCount(line));
}

bool OpenVpnClient::handlePushReply(const QString& line)
{
    const PushedDns dns = parsePushReply(line, connectionParameters().ipv6Enabled);
    if (dns.complete)
        emit dnsServerAddressesPushed(dns.ipv4, dns.ipv6);
    return dns.handled;
}

bool OpenVpnClient::handleAssignedIp(const QString& line)
{
    if (!m_assignedIp.isEmpty())
        return false;
    const QString address = parseAssignedIp(line);
    if (address.isEmpty())
        return false;
    m_assignedIp = address;
    emit assignedInternalIp(address);
    return true;
}

void OpenVpnClient::sendPassword()
{
    const QString escaped = escapePassword(connectionParameters().password);
    m_managementServer->write(
        QStringLiteral("password 'Auth' \"%1\"\n").arg(escaped).toUtf8().constData());
    logManagement(QStringLiteral("Sent password: ***"));
}
