#include "clients/childprocess.h"
#include "clients/wireguardclient.h"
#include "platform/platform.h"
#include "service/openvpnnetworkinterfaces.h"
#include "utils/autostart.h"

#include <QOperatingSystemVersion>
#include <QSettings>
#include <QStandardPaths>
#include <QSysInfo>

#include <windows.h>

#include <sddl.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace Platform {

namespace {

const char runKey[] = "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char currentVersionKey[] =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion";
const int toolTimeoutMs = 30000;

} // namespace

QString executableSuffix()
{
    return QStringLiteral(".exe");
}

QString platformName()
{
    return QStringLiteral("windows");
}

bool isWindows()
{
    return true;
}

bool isLinux()
{
    return false;
}

bool isMacOS()
{
    return false;
}

DisplayFacts displayFacts()
{
    DisplayFacts facts;
    HMONITOR monitor = MonitorFromWindow(GetConsoleWindow(), MONITOR_DEFAULTTONEAREST);
    MONITORINFOEXW info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info))
        return facts;
    DEVMODEW mode;
    ZeroMemory(&mode, sizeof(mode));
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsW(info.szDevice, ENUM_CURRENT_SETTINGS, &mode))
        return facts;
    const double width = info.rcMonitor.right - info.rcMonitor.left;
    const double height = info.rcMonitor.bottom - info.rcMonitor.top;
    if (width <= 0 || height <= 0)
        return facts;
    facts.measuredScalePercent = 100.0 * qMax(mode.dmPelsWidth / width, mode.dmPelsHeight / height);
    facts.modePixelHeight = int(mode.dmPelsHeight);
    return facts;
}

QString programDataFolder()
{
    const QStringList locations =
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString& location : locations) {
        if (location.contains(QStringLiteral("ProgramData")))
            return QStringLiteral("%1/%2").arg(location, QStringLiteral("Corvalink"));
    }
    return {};
}

QString processListText()
{
    const ToolResult result =
        runTool(ToolCommand{QStringLiteral("wmic.exe"),
                            {QStringLiteral("/OUTPUT:STDOUT"), QStringLiteral("PROCESS"),
                             QStringLiteral("get"), QStringLiteral("Caption")}},
                toolTimeoutMs);
    return QString::fromLocal8Bit(result.output);
}

ToolCommand shellCommand(const QString& commandLine)
{
    return ToolCommand{QStringLiteral("cmd"), {QStringLiteral("/C"), commandLine}};
}

ToolCommand mtuCommand(int interfaceIndex, int mtu)
{
    return ToolCommand{QStringLiteral("netsh"),
                       {QStringLiteral("interface"), QStringLiteral("ipv4"), QStringLiteral("set"),
                        QStringLiteral("subinterface"), QString::number(interfaceIndex),
                        QStringLiteral("mtu=%1").arg(mtu), QStringLiteral("store=persistent")}};
}

QString autoStartValue(const QString& name)
{
    QSettings key(QString::fromLatin1(runKey), QSettings::NativeFormat);
    return key.value(name).toString();
}

bool writeAutoStartValue(const QString& name, const QString& value)
{
    QSettings key(QString::fromLatin1(runKey), QSettings::NativeFormat);
    key.setValue(name, value);
    key.sync();
    return key.status() == QSettings::NoError;
}

bool removeAutoStartValue(const QString& name)
{
    QSettings key(QString::fromLatin1(runKey), QSettings::NativeFormat);
    key.remove(name);
    key.sync();
    return key.status() == QSettings::NoError;
}

QString osDisplayName()
{
    const int build = QOperatingSystemVersion::current().microVersion();
    QString displayVersion;
    if (build >= AutoStart::windows11FirstBuild) {
        QSettings key(QString::fromLatin1(currentVersionKey), QSettings::NativeFormat);
        displayVersion = key.value(QStringLiteral("DisplayVersion")).toString();
    }
    return AutoStart::windowsDisplayNameFor(build, displayVersion, QSysInfo::prettyProductName());
}

NetworkInterfaces networkInterfaces(bool vpnOnly)
{
    const QStringList lines =
        ChildProcess::runAndReadLines(QStringLiteral("route"), {QStringLiteral("print")}, true);
    return OpenVpnNetworkInterfaces::parseRoutePrint(lines, vpnOnly);
}

RouteFacts routeTo(const QString& address)
{
    // Not looked up here yet: the route counts as usable, so nothing is torn down for it.
    Q_UNUSED(address)
    RouteFacts facts;
    facts.found = true;
    return facts;
}

WakeClocks wakeClocks()
{
    // The unbiased interrupt time leaves out sleep; the tick count does not.
    ULONGLONG unbiased = 0;
    QueryUnbiasedInterruptTime(&unbiased);
    return {qint64(unbiased / 10000), qint64(GetTickCount64())};
}

bool wireGuardDriverInstalled()
{
    const ToolResult result =
        runTool(shellCommand(QStringLiteral("driverquery /V")), toolTimeoutMs);
    return WireGuardClient::driverListHasWireGuard(QString::fromLocal8Bit(result.output));
}

int createOwnerOnlyFile(const QString& path)
{
    // The folder's inherited rights would let every user read the key: only the owner and the
    // system may open it, from its creation on.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(
            L"D:P(A;;FA;;;OW)(A;;FA;;;SY)", SDDL_REVISION_1, &descriptor, nullptr))
        return -1;
    SECURITY_ATTRIBUTES attributes{sizeof(SECURITY_ATTRIBUTES), descriptor, FALSE};
    const HANDLE file = CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), GENERIC_WRITE, 0,
                                    &attributes, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    LocalFree(descriptor);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    const int descriptorNumber =
        _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
    if (descriptorNumber < 0)
        CloseHandle(file);
    return descriptorNumber;
}

} // namespace Platform
