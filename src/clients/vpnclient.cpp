#include "vpnclient.h"

#include "app/logger.h"
#include "platform/platform.h"
#include "utils/utils.h"

#include <QFileInfo>
#include <QTemporaryFile>

namespace {

const char additionalDataPlaceholder[] = "<ADDITIONAL_DATA>";

} // namespace

VpnClient::VpnClient(QObject* parent)
    : QObject(parent), m_networkToolProcess(QStringLiteral("network-tool"), this)
{
}

VpnClient::~VpnClient() = default;

void VpnClient::setConnectionParameters(const ConnectionParameters& parameters)
{
    m_parameters = parameters;
}

bool VpnClient::isKillSwitchSupported()
{
    return true;
}

void VpnClient::prepareConfig(QString&) {}

void VpnClient::setConnectionState(ConnectionState::Id id, const QString& text, bool critical)
{
    if (id == m_connectionState)
        return;
    Logger::instance()->logBanner(objectName(), connectionStateName(id));
    m_connectionState = id;
    emit connectionStateChanged(id, text, critical, text);
}

void VpnClient::setStatistics(const ConnectionStatistics& statistics)
{
    m_statistics = statistics;
    emit byteCountChanged(statistics.received(), statistics.sent());
}

void VpnClient::insertAdditionalData(const QStringList& lines, QString& text)
{
    QString block;
    for (const QString& line : lines)
        block += line + QStringLiteral("\r\n");
    text.replace(QLatin1String(additionalDataPlaceholder), block);
}

QString VpnClient::vpnLogFilePath() const
{
    return Logger::tunnelLogPathFor(Logger::instance()->currentLogFilePath());
}

QStringList VpnClient::ipv6Arguments(const QString& toolPath, bool enabled)
{
    return {toolPath, QStringLiteral("--ipv6"),
            enabled ? QStringLiteral("enable") : QStringLiteral("disable")};
}

void VpnClient::applyIpv6Setting()
{
    m_networkToolProcess.start(ipv6Arguments(
        Utils::executableName(QStringLiteral("network-tool"), true), m_parameters.ipv6Enabled));
}

bool VpnClient::isTunnelProcessRunning()
{
    return Utils::isProcessRunning(executablePath());
}

QString VpnClient::protocolName(int protocol, bool lowerCase)
{
    static const QStringList names{QStringLiteral("OpenVPN (UDP)"), QStringLiteral("OpenVPN (TCP)"),
                                   QStringLiteral("Stealth"), QStringLiteral("WireGuard")};
    const QString name = protocol >= 0 && protocol < names.size() ? names.at(protocol) : QString();
    return lowerCase ? name.toLower() : name;
}

bool VpnClient::writeConfigFile()
{
    // The file is read by a program that runs as root.
    if (!Utils::isServerAddress(m_parameters.server)) {
        Logger::critical(objectName(), invalidServerText());
        return false;
    }
    const QString templatePath = configTemplatePath();
    if (templatePath.isEmpty())
        return false;
    m_configTempFile = Utils::localTemporaryCopy(templatePath);
    if (!m_configTempFile || (!m_configTempFile->isOpen() && !m_configTempFile->open())) {
        Logger::critical(objectName(), QStringLiteral("Config does not exist or empty!"));
        return false;
    }
    m_configTempFile->seek(0);
    QString config = QString::fromLatin1(m_configTempFile->readAll());
    prepareConfig(config);
    const QByteArray bytes = config.toLatin1();
    if (!m_configTempFile->seek(0) || !m_configTempFile->resize(0) ||
        m_configTempFile->write(bytes) != bytes.size() || !m_configTempFile->flush()) {
        Logger::critical(objectName(), QStringLiteral("Cannot write config file completely"));
        m_configTempFile.reset();
        return false;
    }
    return true;
}

QString VpnClient::invalidServerText()
{
    return tr("Server address is not valid!");
}

QString VpnClient::anotherUserText()
{
    return tr("Another user of this computer is connected to the VPN");
}

bool VpnClient::isHeldByAnotherUser(quint16 port)
{
    const QString owner = Platform::loopbackListenerOwner(port);
    return !owner.isEmpty() && owner != Platform::currentAccount() &&
           owner != Platform::systemAccount();
}

void VpnClient::reportProcessEnd(int exitCode, QString& errorText, bool destroying,
                                 bool stopRequested)
{
    if (m_connectionState == ConnectionState::Disconnected) {
        Logger::info(objectName(), QStringLiteral("Already in disconnected state"));
        return;
    }
    if (destroying)
        return;
    Logger::info(objectName(), QStringLiteral("Process finished with code: %1").arg(exitCode));
    if (exitCode != 0)
        errorText = QStringLiteral("CrashExit");
    setConnectionState(ConnectionState::Disconnected, errorText, false);
    if (stopRequested || !m_parameters.autoReconnect)
        return;
    Logger::info(objectName(), QStringLiteral("Reconnecting..."));
    setConnectionState(ConnectionState::Reconnecting, QString(), true);
}

void VpnClient::deleteConfigFile()
{
    m_configTempFile.reset();
}

QString VpnClient::configFilePath()
{
    return m_configTempFile ? QFileInfo(*m_configTempFile).absoluteFilePath() : QString();
}
