#include "toolrunner.h"

#include <QFileInfo>
#include <QMap>
#include <QProcess>

QString ToolRunner::locate(const QString& tool)
{
    static const QMap<QString, QStringList> candidates = {
        {QStringLiteral("wg"), {QStringLiteral("/usr/bin/wg"), QStringLiteral("/bin/wg")}},
        {QStringLiteral("wireguard-go"),
         {QStringLiteral("/usr/bin/wireguard-go"), QStringLiteral("/usr/local/bin/wireguard-go")}},
        {QStringLiteral("ip"),
         {QStringLiteral("/usr/sbin/ip"), QStringLiteral("/sbin/ip"), QStringLiteral("/bin/ip"),
          QStringLiteral("/usr/bin/ip")}},
        {QStringLiteral("resolvectl"), {QStringLiteral("/usr/bin/resolvectl")}}};
    for (const QString& path : candidates.value(tool)) {
        const QFileInfo info(path);
        if (info.isFile() && info.isExecutable())
            return path;
    }
    return QString();
}

QProcessEnvironment ToolRunner::environment()
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/sbin:/usr/bin:/sbin:/bin"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    return environment;
}

ToolRunner::Result ToolRunner::run(const QString& tool, const QStringList& arguments,
                                   const QByteArray& input, int timeoutMs)
{
    Result result;
    const QString program = locate(tool);
    if (program.isEmpty()) {
        result.output = tool + QStringLiteral(" not found");
        return result;
    }
    QProcess process;
    process.setProcessEnvironment(environment());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(timeoutMs)) {
        result.output = tool + QStringLiteral(" did not start");
        return result;
    }
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        result.output = tool + QStringLiteral(" timed out");
        return result;
    }
    result.output = QString::fromUtf8(process.readAll());
    result.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return result;
}
