#include "wireguardclient.h"

#include "app/logger.h"
#include "platform/platform.h"
#include "service/servicecontroller.h"
#include "utils/utils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

Account processAccount;
// Where the search for a free numbered configuration name starts; kept for the next run.
int configNameCounter = 1;
const int configNameLimit = 1000;
const char byteCountTag[] = ">BYTECOUNT:";
std::function<void(const QString&)> keyFileCreatedHook;
// The tunnel program's end report follows its closed report line within moments.
const int endReportWaitMs = 5000;

} // namespace

WireGuardClient::WireGuardClient(QObject* parent) : VpnClient(parent), m_logger(this)
{
    setObjectName(QStringLiteral("WireGuardClient"));
    m_reportServer = new TcpServer(this);
    m_wireGuardProcess = new VpnProcess(m_processName, this);
    connect(m_wireGuardProcess, &VpnProcess::finished, this,
            &WireGuardClient::onWireGuardProcessFinished);
    connect(m_wireGuardProcess, &VpnProcess::started, this,
            &WireGuardClient::onWireGuardProcessStarted);
    // A run the service could not start, or a refused command, ends the attempt too.
    connect(m_wireGuardProcess, &VpnProcess::error, this,
            &WireGuardClient::onWireGuardProcessError);
    connect(m_reportServer, &TcpServer::readyRead, this,
            &WireGuardClient::onReadyReadDataFromManagementInterface);
    connect(m_reportServer, &TcpServer::socketError, this, &WireGuardClient::onSocketError);
    connect(m_reportServer, &TcpServer::lineTooLong, this, &WireGuardClient::onReportLineTooLong);
    connect(&m_logger, &WireGuardLogger::lineReaded, this,
            &WireGuardClient::onWireGuardLoggerLineReaded);
    m_endReportWait.setSingleShot(true);
    m_endReportWait.setInterval(endReportWaitMs);
    connect(&m_endReportWait, &QTimer::timeout, this, &WireGuardClient::onEndReportMissing);
}

WireGuardClient::~WireGuardClient()
{
    m_destroying = true;
    parameters().autoReconnect = false;
    if (m_wireGuardProcess->state() != ServiceProcess::NotRunning)
        disconnectSteps();
    m_wireGuardProcess->disconnect(this);
    m_reportServer->disconnect(this);
    // The account's private key does not outlive the client.
    removeKeyFile();
}

void WireGuardClient::setCurrentAccount(const Account& account)
{
    processAccount = account;
}

Account WireGuardClient::currentAccount()
{
    return processAccount;
}

bool WireGuardClient::isWireGuardEnabled()
{
    static const bool enabled = true;
    return enabled;
}

QString WireGuardClient::notSupportedReason()
{
    return tr("WireGuard is not supported on this system");
}

bool WireGuardClient::isWireGuardDriverInstalled()
{
    return Platform::wireGuardDriverInstalled();
}

bool WireGuardClient::driverListHasWireGuard(const QString& output)
{
    const QStringList lines = output.split(QStringLiteral("\r\n"));
    for (const QString& line : lines) {
        if (!line.contains(QLatin1String("WireGuard")))
            continue;
        const QStringList tokens = line.simplified().split(QLatin1Char(' '));
        for (const QString& token : tokens) {
            if (token.endsWith(QLatin1String("wireguard.sys")))
                return true;
        }
    }
    return false;
}

bool WireGuardClient::isKillSwitchSupported()
{
    return false;
}

QString WireGuardClient::processName()
{
    return m_processName;
}

QString WireGuardClient::configTemplatePath()
{
    return QStringLiteral(":/resources/config/wg-vpnclient.conf");
}

void WireGuardClient::prepareConfig(QString&) {}

QString WireGuardClient::configFilePath()
{
    return m_configPath;
}

QString WireGuardClient::executablePath()
{
    return Utils::applicationDirectory() +
           QStringLiteral("/wireguard/bin/%2").arg(Utils::executableName(m_processName));
}

QString WireGuardClient::tunnelDnsAddress()
{
    return QStringLiteral("172.16.0.1");
}

QString WireGuardClient::configText(const Account& account, const QString& server,
                                    const QString& dns)
{
    if (!account.isValid())
        return {};
    const QStringList lines{QStringLiteral("[Interface]"),
                            QStringLiteral("PrivateKey = %1").arg(account.wgPrivateKey),
                            QStringLiteral("Address = %1/32").arg(account.wgIp),
                            QStringLiteral("DNS = %1").arg(dns),
                            QString(),
                            QStringLiteral("[Peer]"),
                            QStringLiteral("PublicKey = %1").arg(account.wgPublicKey),
                            QStringLiteral("AllowedIPs = 0.0.0.0/0, ::/0"),
                            QStringLiteral("Endpoint = %1:55888").arg(server),
                            QString()};
    return lines.join(QLatin1Char('\n'));
}

QString WireGuardClient::chooseConfigPath(const QString& folder)
{
    const QString base = folder + QStringLiteral("/wg-corvalink");
    const QString first = base + QStringLiteral(".conf");
    if (QFileInfo::exists(first))
        QFile::remove(first);
    if (!QFileInfo::exists(first))
        return first;
    for (; configNameCounter < configNameLimit; ++configNameCounter) {
        const QString numbered = base + QStringLiteral("%1.conf").arg(configNameCounter);
        if (!QFileInfo::exists(numbered))
            return numbered;
    }
    return {};
}

void WireGuardClient::resetConfigNameCounterForTesting()
{
    configNameCounter = 1;
}

bool WireGuardClient::isWireGuardKey(const QString& text)
{
    static const QRegularExpression key(QStringLiteral("^[A-Za-z0-9+/]{42}[AEIMQUYcgkosw048]=\\z"));
    return key.match(text).hasMatch();
}

bool WireGuardClient::hasUsableValues(const Account& account, const QString& server)
{
    // Every value lands in a file that a root-run program reads line by line.
    if (!Utils::isCanonicalIpv4Address(server))
        return false;
    return !account.isValid() ||
           (isWireGuardKey(account.wgPrivateKey) && isWireGuardKey(account.wgPublicKey) &&
            Utils::isCanonicalIpv4Address(account.wgIp));
}

bool WireGuardClient::preparePrivateFolder(const QString& folder)
{
    const QFileDevice::Permissions ownerOnly =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    return Utils::ensureDirectory(folder) && !QFileInfo(folder).isSymLink() &&
           QFile::setPermissions(folder, ownerOnly);
}

bool WireGuardClient::writeKeyFile(const QString& path, const QString& text)
{
    const int descriptor = Platform::createOwnerOnlyFile(path);
    if (descriptor < 0)
        return false;
    QFile file;
    if (!file.open(descriptor, QIODevice::WriteOnly | QIODevice::Text,
                   QFileDevice::AutoCloseHandle)) {
        QFile::remove(path);
        return false;
    }
    if (keyFileCreatedHook)
        keyFileCreatedHook(path);
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.close();
        QFile::remove(path);
        return false;
    }
    return true;
}

void WireGuardClient::setKeyFileCreatedHookForTesting(std::function<void(const QString&)> hook)
{
    keyFileCreatedHook = std::move(hook);
}

void WireGuardClient::removeKeyFile()
{
    if (!m_configPath.isEmpty() && QFileInfo::exists(m_configPath))
        QFile::remove(m_configPath);
}

bool WireGuardClient::writeConfigFile()
{
    if (!hasUsableValues(processAccount, connectionParameters().server)) {
        Logger::critical(objectName(), QStringLiteral("Cannot prepare WireGuard config file: "
                                                      "the server or account data is not valid"));
        return false;
    }
    const QString text =
        configText(processAccount, connectionParameters().server, tunnelDnsAddress());
    const QString folder = Utils::programDataPathChecked() + QStringLiteral("/config");
    m_configPath = preparePrivateFolder(folder) ? chooseConfigPath(folder) : QString();
    if (m_configPath.isEmpty()) {
        Logger::critical(objectName(), QStringLiteral("Cannot prepare WireGuard config file"));
        return false;
    }
    if (!writeKeyFile(m_configPath, text)) {
        Logger::critical(
            objectName(),
            QStringLiteral("Cannot save WireGuard config file to '%1'").arg(m_configPath));
        return false;
    }
    QFile::setPermissions(m_configPath, QFileDevice::Permissions());
    m_logger.close();
    m_ringLogPath = QFileInfo(m_configPath).absolutePath() + QStringLiteral("/log.bin");
    return true;
}

bool WireGuardClient::connectToServer()
{
    m_errorText.clear();
    disconnectFromServer();
    if (connectionParameters().server.isEmpty()) {
        m_errorText = tr("Server name is empty!");
        Logger::critical(objectName(), m_errorText);
        setConnectionState(ConnectionState::Error, m_errorText, false);
        return false;
    }
    if (!Utils::isCanonicalIpv4Address(connectionParameters().server)) {
        m_errorText = invalidServerText();
        Logger::critical(objectName(), m_errorText);
        setConnectionState(ConnectionState::Error, m_errorText, false);
        return false;
    }
    if (!QFileInfo::exists(executablePath())) {
        m_errorText = QStringLiteral("Executable '%1' does not exists").arg(executablePath());
        Logger::critical(objectName(), m_errorText);
        setConnectionState(ConnectionState::Error, m_errorText, false);
        return false;
    }
    if (!writeConfigFile()) {
        removeKeyFile();
        m_errorText = tr("Error: the WireGuard configuration could not be written");
        Logger::critical(objectName(), m_errorText);
        setConnectionState(ConnectionState::Error, m_errorText, true);
        return false;
    }
    applyIpv6Setting();
    m_stopRequested = false;
    const QStringList arguments{executablePath(), QStringLiteral("--add"), m_configPath,
                                QStringLiteral("--port"), QString::number(m_reportPort)};
    if (!m_reportServer->start(m_reportHost, m_reportPort)) {
        // Whoever holds the port would hear the tunnel's reports, and could forge them.
        removeKeyFile();
        m_errorText = isHeldByAnotherUser(m_reportPort)
                          ? anotherUserText()
                          : tr("Port %1 is taken by another program: WireGuard was not started")
                                .arg(m_reportPort);
        Logger::critical(objectName(), m_errorText);
        setConnectionState(ConnectionState::Error, m_errorText, true);
        return true;
    }
    setConnectionState(ConnectionState::Connecting, QString(), false);
    m_wireGuardProcess->start(arguments);
    return true;
}

void WireGuardClient::stopTunnel()
{
    Logger::info(objectName(), QStringLiteral("Send TERM signal, server state is opened: %1")
                                   .arg(Utils::boolText(m_reportServer->isConnected())));
    m_removeRunPending = true;
    const QStringList arguments{executablePath(), QStringLiteral("--remove"), m_configPath};
    // A client on its way out cannot own a held command: the tunnel must still come down.
    if (m_destroying && ServiceController::instance())
        ServiceController::instance()->send(ServiceProcess::startMessage(arguments));
    else
        m_wireGuardProcess->start(arguments);
}

void WireGuardClient::disconnectSteps()
{
    const bool running = isTunnelProcessRunning();
    m_stopRequested = true;
    if (running) {
        stopTunnel();
        setConnectionState(ConnectionState::Disconnecting, QString(), false);
        Logger::info(objectName(), QStringLiteral("Stopping Windows service"));
    } else {
        setConnectionState(ConnectionState::Disconnected, QString(), false);
    }
}

bool WireGuardClient::disconnectFromServer()
{
    disconnectSteps();
    return true;
}

void WireGuardClient::onReadyReadDataFromManagementInterface()
{
    for (;;) {
        const QString line = m_reportServer->readLine().simplified();
        if (line.isEmpty() || !handleReportLine(line))
            break;
    }
}

bool WireGuardClient::handleReportLine(const QString& line)
{
    if (!line.startsWith(QLatin1String(byteCountTag)))
        Logger::info(objectName(), QStringLiteral("[%1]").arg(line));
    if (line.startsWith(QLatin1String(">STATE:CONNECTED"))) {
        setConnectionState(ConnectionState::Connected, QString(), false);
        m_logger.open(m_ringLogPath);
        m_logger.readNew();
    } else if (line.startsWith(QLatin1String(">STATE:DISCONNECTED"))) {
        setConnectionState(ConnectionState::Disconnected, QString(), false);
    } else if (line.startsWith(QLatin1String(">STATE:ERROR"))) {
        const QStringList parts = line.split(QLatin1Char(':'));
        if (parts.size() == 3)
            m_errorText = parts.at(2);
        setConnectionState(ConnectionState::Error, m_errorText, true);
    } else if (line.startsWith(QLatin1String(byteCountTag))) {
        const QStringList parts =
            QString(line).remove(QLatin1String(byteCountTag)).split(QStringLiteral(", "));
        if (parts.size() != 2)
            return false;
        setStatistics(ConnectionStatistics(parts.at(0), parts.at(1)));
    }
    return true;
}

void WireGuardClient::onSocketError(QAbstractSocket::SocketError socketError)
{
    if (socketError != QAbstractSocket::RemoteHostClosedError)
        return;
    // The tunnel program closes its report line as it ends. Unless we stopped it, its end report
    // follows and tells a clean end from a crash, which must not pass for a disconnect.
    if (!m_stopRequested && m_wireGuardProcess->state() != ServiceProcess::NotRunning) {
        m_endReportWait.start();
        return;
    }
    setConnectionState(ConnectionState::Disconnected, QString(), false);
}

void WireGuardClient::onEndReportMissing()
{
    // A service that went away took the run with it: no clean end, and its code is unknown.
    Logger::info(objectName(), QStringLiteral("No end report from the tunnel program"));
    const int unknownEndCode = -1;
    onWireGuardProcessFinished(unknownEndCode);
}

void WireGuardClient::onReportLineTooLong()
{
    m_errorText = tr("Error: WireGuard sent a report line longer than 64 KiB");
    Logger::critical(objectName(), m_errorText);
    disconnectFromServer();
    setConnectionState(ConnectionState::Error, m_errorText, true);
}

void WireGuardClient::onWireGuardLoggerLineReaded(const QString&) {}

void WireGuardClient::onWireGuardProcessStarted()
{
    Logger::info(objectName(), QStringLiteral("WireGuard process started"));
}

void WireGuardClient::onWireGuardProcessError(int code)
{
    if (code != ServiceProcess::heldByAnotherUserCode) {
        onWireGuardProcessFinished(code);
        return;
    }
    // Another user's tunnel: trying again would meet the same owner.
    deleteConfigFile();
    removeKeyFile();
    m_reportServer->close();
    m_errorText = anotherUserText();
    Logger::critical(objectName(), m_errorText);
    setConnectionState(ConnectionState::Error, m_errorText, true);
}

void WireGuardClient::onWireGuardProcessFinished(int exitCode)
{
    m_endReportWait.stop();
    // The "--remove" run reads the file; once no run of ours is left the key can go.
    if (m_removeRunPending && m_wireGuardProcess->state() == ServiceProcess::NotRunning) {
        m_removeRunPending = false;
        removeKeyFile();
    }
    if (isTunnelProcessRunning()) {
        Logger::info(objectName(), QStringLiteral("Process in running state"));
        return;
    }
    Logger::info(objectName(), QStringLiteral("Process is finished"));
    deleteConfigFile();
    removeKeyFile();
    // Nobody may report for an attempt that is over.
    m_reportServer->close();
    reportProcessEnd(exitCode, m_errorText, m_destroying, m_stopRequested);
}
