#include "platform.h"

#include <QProcess>

namespace Platform {

ToolResult runTool(const ToolCommand& command, int timeoutMs)
{
    ToolResult result;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command.program, command.arguments);
    result.started = process.waitForStarted(timeoutMs);
    if (!result.started) {
        result.exitCode = process.exitCode();
        return result;
    }
    result.finished = process.waitForFinished(timeoutMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished(1000);
    }
    result.output = process.readAll();
    result.exitCode = process.exitCode();
    return result;
}

} // namespace Platform
