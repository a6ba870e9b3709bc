#include "killswitch.h"

#include "app/logger.h"
#include "utils/utils.h"

KillSwitch::KillSwitch(QObject* parent)
    : QObject(parent), m_process(QStringLiteral("killswitch"), this)
{
    setObjectName(QStringLiteral("KillSwitch"));
    connect(&m_process, &ServiceProcess::started, this, &KillSwitch::onKillSwitchProcessStarted);
    connect(&m_process, &ServiceProcess::finished, this, &KillSwitch::onKillSwitchProcessFinished);
    connect(&m_process, &ServiceProcess::error, this, &KillSwitch::onKillSwitchProcessError);
}

QString KillSwitch::toolPath()
{
    return Utils::applicationDirectory() + QLatin1Char('/') +
           Utils::executableName(QStringLiteral("killswitch"));
}

QStringList KillSwitch::enableArguments(const QString& publicIp, bool allowLocalDevices,
                                        bool blockDns)
{
    // The fifth element is always there, empty when local devices stay blocked.
    QStringList arguments{toolPath(), QStringLiteral("enable"), QStringLiteral("all"), publicIp,
                          allowLocalDevices ? QStringLiteral("local") : QString()};
    if (blockDns)
        arguments << QStringLiteral("block-dns");
    return arguments;
}

QStringList KillSwitch::disableArguments()
{
    return {toolPath(), QStringLiteral("disable"), QStringLiteral("all")};
}

bool KillSwitch::enable(const QString& internalIp, const QString& publicIp, bool allowLocalDevices,
                        bool blockDns)
{
    // The address becomes an argument of a root-run firewall tool.
    if (!Utils::isServerAddress(publicIp)) {
        Logger::critical(objectName(),
                         QStringLiteral("Protection not activated: the VPN public IP is not a "
                                        "server address"));
        return false;
    }
    Logger::info(objectName(), QStringLiteral("Activate protection, VPN internal IP '%1', VPN "
                                              "public IP: '%2', allow local devices: '%3'")
                                   .arg(internalIp, publicIp, Utils::boolText(allowLocalDevices)));
    if (blockDns)
        Logger::info(objectName(), QStringLiteral("DNS outside the tunnel blocked: no resolver of "
                                                  "the tunnel's to force"));
    // Before the start: a refusal may be reported from within it.
    m_enabled = true;
    m_process.start(enableArguments(publicIp, allowLocalDevices, blockDns));
    return true;
}

void KillSwitch::disable()
{
    Logger::info(objectName(), QStringLiteral("Disable protection"));
    m_enabled = false;
    m_process.start(disableArguments());
}

void KillSwitch::onKillSwitchProcessFinished(int exitCode)
{
    emit killSwitchFinished(succeeded(exitCode));
    Logger::info(objectName(), QStringLiteral("Process finished with code: %1").arg(exitCode));
}

void KillSwitch::onKillSwitchProcessStarted() {}

void KillSwitch::onKillSwitchProcessError(int code)
{
    // A run that could not be made is a failed one: whoever waits for the rules learns it.
    if (code != ServiceProcess::heldByAnotherUserCode) {
        emit killSwitchFinished(false);
        return;
    }
    const bool enabling = m_enabled;
    m_enabled = false;
    Logger::warning(objectName(), QStringLiteral("Refused: another user of this computer holds the "
                                                 "protection"));
    emit heldByAnotherUser(enabling);
}
