#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QNetworkInterface>
#include <QSaveFile>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTextStream>

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

namespace Platform {

namespace {

const char desktopEntryGroup[] = "[Desktop Entry]";
const char execKey[] = "Exec=";

QString autoStartFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart");
}

QString autoStartFile(const QString& name)
{
    return QStringLiteral("%1/%2.desktop").arg(autoStartFolder(), name);
}

// Each process's parent, from the field after the name in /proc/PID/stat (the name may hold
// spaces and parentheses: it ends at the last one).
QHash<qint64, qint64> parentsOf(const QDir& proc, const QStringList& entries)
{
    QHash<qint64, qint64> parents;
    for (const QString& entry : entries) {
        QFile stat(proc.filePath(entry + QStringLiteral("/stat")));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.read(4096);
        const QList<QByteArray> fields =
            text.mid(text.lastIndexOf(')') + 1).simplified().split(' ');
        if (fields.size() > 1)
            parents.insert(entry.toLongLong(), fields.at(1).toLongLong());
    }
    return parents;
}

// This process, or started by it or by what it started.
bool isOwn(qint64 pid, const QHash<qint64, qint64>& parents)
{
    const qint64 self = QCoreApplication::applicationPid();
    for (int depth = 0; pid > 1 && depth < 64; ++depth) {
        if (pid == self)
            return true;
        pid = parents.value(pid, 0);
    }
    return false;
}

QString firstLine(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readLine()).trimmed();
}

QString commandName(const QString& cmdlinePath)
{
    QFile file(cmdlinePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray first = file.read(4096).split('\0').value(0);
    return QFileInfo(QFile::decodeName(first)).fileName();
}

} // namespace

QString executableSuffix()
{
    return {};
}

QString platformName()
{
    return QStringLiteral("linux");
}

bool isWindows()
{
    return false;
}

bool isLinux()
{
    return true;
}

bool isMacOS()
{
    return false;
}

DisplayFacts displayFacts()
{
    // Qt scales by itself on X11 and Wayland; the client applies no factor of its own.
    return DisplayFacts{100.0, 0};
}

QString programDataFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        return {};
    return base + QStringLiteral("/Corvalink");
}

QString processListText()
{
    QStringList names;
    const QDir proc(QStringLiteral("/proc"));
    const QStringList entries = proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    const QHash<qint64, qint64> parents =
        processListOwnOnly() ? parentsOf(proc, entries) : QHash<qint64, qint64>();
    for (const QString& entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid || (processListOwnOnly() && !isOwn(pid, parents)))
            continue;
        const QString comm = firstLine(proc.filePath(entry + QStringLiteral("/comm")));
        if (!comm.isEmpty())
            names << comm;
        // comm is cut at 15 characters, and the exe link of another user's process cannot be
        // read; the first word of the command line can be read by everyone.
        const QString exe =
            QFileInfo(proc.filePath(entry + QStringLiteral("/exe"))).symLinkTarget();
        if (!exe.isEmpty())
            names << QFileInfo(exe).fileName();
        const QString program = commandName(proc.filePath(entry + QStringLiteral("/cmdline")));
        if (!program.isEmpty())
            names << program;
    }
    return names.join(QLatin1Char('\n'));
}

ToolCommand shellCommand(const QString& commandLine)
{
    return ToolCommand{QStringLiteral("/bin/sh"), {QStringLiteral("-c"), commandLine}};
}

ToolCommand mtuCommand(int interfaceIndex, int mtu)
{
    QString name = QNetworkInterface::interfaceNameFromIndex(interfaceIndex);
    if (name.isEmpty())
        name = QString::number(interfaceIndex);
    return ToolCommand{QStringLiteral("ip"),
                       {QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("dev"), name,
                        QStringLiteral("mtu"), QString::number(mtu)}};
}

QString autoStartValue(const QString& name)
{
    QFile file(autoStartFile(name));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool inEntry = false;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inEntry = line == QLatin1String(desktopEntryGroup);
        else if (inEntry && line.startsWith(QLatin1String(execKey)))
            return line.mid(int(qstrlen(execKey)));
    }
    return {};
}

bool writeAutoStartValue(const QString& name, const QString& value)
{
    if (!QDir().mkpath(autoStartFolder()))
        return false;
    QSaveFile file(autoStartFile(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out << desktopEntryGroup << '\n'
        << "Type=Application\n"
        << "Name=" << name << '\n'
        << execKey << value << '\n'
        << "X-GNOME-Autostart-enabled=true\n";
    out.flush();
    return file.commit();
}

bool removeAutoStartValue(const QString& name)
{
    QFile file(autoStartFile(name));
    return !file.exists() || file.remove();
}

QString osDisplayName()
{
    return QSysInfo::prettyProductName();
}

NetworkInterfaces networkInterfaces(bool vpnOnly)
{
    NetworkInterfaces found;
    const QDir net(QStringLiteral("/sys/class/net"));
    for (const QString& name : net.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        if (name == QLatin1String("lo"))
            continue;
        const bool tunnel = QFileInfo::exists(net.filePath(name + QStringLiteral("/tun_flags")));
        if (vpnOnly && !tunnel)
            continue;
        const int index = firstLine(net.filePath(name + QStringLiteral("/ifindex"))).toInt();
        if (index > 0)
            found.append(NetworkInterface{name, index});
    }
    // OpenVPN makes its device on demand: the driver alone is enough. It has no index yet.
    if (vpnOnly && found.isEmpty() && QFileInfo::exists(QStringLiteral("/dev/net/tun")))
        found.append(NetworkInterface{QStringLiteral("TUN driver (/dev/net/tun)"), 0});
    return found;
}

bool wireGuardDriverInstalled()
{
    return QFileInfo::exists(QStringLiteral("/sys/module/wireguard")) ||
           !QStandardPaths::findExecutable(QStringLiteral("wireguard-go")).isEmpty();
}

int createOwnerOnlyFile(const QString& path)
{
    return ::open(QFile::encodeName(path).constData(),
                  O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
}

RouteFacts routeTo(const QString& address)
{
    const ToolResult result =
        runTool(ToolCommand{QStringLiteral("ip"),
                            {QStringLiteral("-4"), QStringLiteral("-j"), QStringLiteral("route"),
                             QStringLiteral("get"), address}},
                2000);
    return result.exitCode == 0 ? parseRouteGet(result.output) : RouteFacts();
}

WakeClocks wakeClocks()
{
    const auto ms = [](clockid_t clock) {
        timespec now{};
        clock_gettime(clock, &now);
        return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    };
    return {ms(CLOCK_MONOTONIC), ms(CLOCK_BOOTTIME)};
}

} // namespace Platform
