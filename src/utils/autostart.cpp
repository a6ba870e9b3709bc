#include "autostart.h"

#include "app/logger.h"
#include "platform/platform.h"
#include "utils/utils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace AutoStart {

QString valueName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString expectedValue()
{
    return Utils::quoted(QDir::toNativeSeparators(QCoreApplication::applicationFilePath()));
}

bool isAutoStartEnabled()
{
    return Platform::autoStartValue(valueName()) == expectedValue();
}

bool setAutoStart(bool enable)
{
    if (enable)
        Platform::writeAutoStartValue(valueName(), expectedValue());
    else
        Platform::removeAutoStartValue(valueName());
    const bool registered = isAutoStartEnabled();
    Logger::info(QStringLiteral("AutoStart"),
                 QStringLiteral("AutoStart: Set enabled: '%1', status '%2'")
                     .arg(Utils::boolText(enable), Utils::boolText(registered == enable)));
    return registered;
}

QString windowsDisplayName()
{
    return Platform::osDisplayName();
}

QString windowsDisplayNameFor(int build, const QString& displayVersion, const QString& prettyName)
{
    if (build < windows11FirstBuild)
        return prettyName;
    if (!displayVersion.isEmpty())
        return QStringLiteral("Windows 11 Version %1 (build %2)")
            .arg(displayVersion, QString::number(build));
    return QStringLiteral("Windows 11 (build %1)").arg(build);
}

} // namespace AutoStart
