#include "vpnprocess.h"

VpnProcess::VpnProcess(const QString& name, QObject* parent) : ServiceProcess(name, parent) {}

QString VpnProcess::killMessage(const QString& name)
{
    return QStringLiteral("start: <kill %1>").arg(name);
}

QString VpnProcess::stopMessage(const QString& name)
{
    return QStringLiteral("stop: <%1>").arg(name);
}

void VpnProcess::kill()
{
    ServiceProcess::sendCommand(killMessage(name()));
}

void VpnProcess::stop()
{
    sendCommand(QString());
}

void VpnProcess::sendCommand(const QString&)
{
    ServiceProcess::sendCommand(stopMessage(name()));
}

void VpnProcess::onProcessOutput(const QString& process, const QString& output)
{
    if (process == QStringLiteral("<kill %1>").arg(name()) &&
        parseNotification(output).kind == Notification::Finished)
        emit allKilled();
    ServiceProcess::onProcessOutput(output);
}
