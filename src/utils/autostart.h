#pragma once

#include <QString>

// Start-with-system registration and the OS name of the start-up log line.
namespace AutoStart {

constexpr int windows11FirstBuild = 22000;

bool isAutoStartEnabled();
bool setAutoStart(bool enable);
QString windowsDisplayName();

// The registered value: the executable's full native path in double quotes.
QString expectedValue();
QString valueName();

// Qt cannot tell Windows 11 from Windows 10 by name; the build number can.
QString windowsDisplayNameFor(int build, const QString& displayVersion, const QString& prettyName);

} // namespace AutoStart
