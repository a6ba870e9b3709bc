#include "platform.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace Platform {

namespace {

bool ownProcessesOnly = false;

} // namespace

void setProcessListOwnOnly(bool ownOnly)
{
    ownProcessesOnly = ownOnly;
}

bool processListOwnOnly()
{
    return ownProcessesOnly;
}

ToolResult runTool(const ToolCommand& command, int timeoutMs)
{
    ToolResult result;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command.program, command.arguments);
    result.started = process.waitForStarted(timeoutMs);
    if (!result.started)
        return result;
    result.finished = process.waitForFinished(timeoutMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished(1000);
    }
    result.output = process.readAll();
    // A run that was cut short or crashed has no exit code worth reading.
    result.exitCode =
        result.finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return result;
}

RouteFacts parseRouteGet(const QByteArray& json)
{
    RouteFacts facts;
    const QJsonObject route = QJsonDocument::fromJson(json).array().at(0).toObject();
    facts.device = route.value(QLatin1String("dev")).toString();
    facts.gateway = route.value(QLatin1String("gateway")).toString();
    // Unreachable, prohibited and blackhole routes carry a type and lead nowhere.
    facts.found = !facts.device.isEmpty() && !route.contains(QLatin1String("type"));
    return facts;
}

} // namespace Platform
