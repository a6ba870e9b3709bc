// Root-run IPv6 switch: "--ipv6 enable|disable", and "--restore" of the values it changed.
#include "ipv6state.h"

#include <QCoreApplication>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace {

const char defaultStateDir[] = "/run/corvalink";
const char stateName[] = "network-tool.state";

int fail(const QString& message)
{
    std::fprintf(stderr, "network-tool: %s\n", qPrintable(message));
    return 1;
}

QByteArray settingPath(const QString& name)
{
    return QStringLiteral("/proc/sys/net/ipv6/conf/%1/disable_ipv6").arg(name).toLatin1();
}

bool readSetting(const QString& name, int* value)
{
    char buffer[8] = {};
    const int fd = ::open(settingPath(name).constData(), O_RDONLY | O_CLOEXEC);
    const ssize_t length = fd >= 0 ? ::read(fd, buffer, sizeof buffer - 1) : -1;
    if (fd >= 0)
        ::close(fd);
    *value = buffer[0] == '1' ? 1 : 0;
    return length > 0 && (buffer[0] == '0' || buffer[0] == '1');
}

bool writeSetting(const QString& name, int value)
{
    const int fd = ::open(settingPath(name).constData(), O_WRONLY | O_CLOEXEC);
    const bool ok = fd >= 0 && ::write(fd, value ? "1\n" : "0\n", 2) == 2;
    if (fd >= 0)
        ::close(fd);
    return ok;
}

// A root-owned folder only root may write to, never a link.
int openStateDir(QString* error)
{
    const QByteArray path = qEnvironmentVariableIsSet("CORVALINK_STATE_DIR")
                                ? qgetenv("CORVALINK_STATE_DIR")
                                : QByteArray(defaultStateDir);
    if (!path.startsWith('/') || path.contains("/..") || path.contains("/./")) {
        *error = QStringLiteral("the state folder is not an absolute plain path");
        return -1;
    }
    ::mkdir(path.constData(), 0700);
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat info = {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || info.st_uid != 0 ||
        (info.st_mode & (S_IWGRP | S_IWOTH))) {
        if (fd >= 0)
            ::close(fd);
        *error = QStringLiteral("the state folder is missing, a link or not root's alone");
        return -1;
    }
    return fd;
}

QByteArray readState(int dir)
{
    const int fd = ::openat(dir, stateName, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    QByteArray text(256, '\0');
    struct stat info = {};
    const bool ours =
        fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == 0;
    const ssize_t length = ours ? ::read(fd, text.data(), size_t(text.size())) : -1;
    if (fd >= 0)
        ::close(fd);
    text.truncate(int(qMax<ssize_t>(length, 0)));
    return text;
}

bool writeState(int dir, const QByteArray& text)
{
    ::unlinkat(dir, stateName, 0);
    const int fd =
        ::openat(dir, stateName, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    const bool ok = fd >= 0 && ::write(fd, text.constData(), size_t(text.size())) == text.size();
    if (fd >= 0)
        ::close(fd);
    return ok;
}

int restore(int dir)
{
    QMap<QString, int> saved;
    if (!Ipv6State::fromText(readState(dir), &saved))
        return 0;
    for (auto it = saved.begin(); it != saved.end(); ++it) {
        if (!writeSetting(it.key(), it.value()))
            return fail(QStringLiteral("cannot write the %1 setting").arg(it.key()));
    }
    ::unlinkat(dir, stateName, 0);
    return 0;
}

int change(int dir, int disabled)
{
    QMap<QString, int> saved;
    // Only the first change keeps the values: they are the user's.
    if (!Ipv6State::fromText(readState(dir), &saved)) {
        for (const QString& name : Ipv6State::settingNames()) {
            int value = 0;
            if (!readSetting(name, &value))
                return fail(QStringLiteral("cannot read the %1 setting").arg(name));
            saved.insert(name, value);
        }
        if (!writeState(dir, Ipv6State::toText(saved)))
            return fail(QStringLiteral("cannot write the state file"));
    }
    for (const QString& name : Ipv6State::settingNames()) {
        if (!writeSetting(name, disabled))
            return fail(QStringLiteral("cannot write the %1 setting").arg(name));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Ipv6State::Action action = Ipv6State::Action::Restore;
    QString error;
    if (!Ipv6State::parseArguments(app.arguments().mid(1), &action, &error))
        return fail(error);
    const int dir = openStateDir(&error);
    if (dir < 0)
        return fail(error);
    const int code = action == Ipv6State::Action::Restore
                         ? restore(dir)
                         : change(dir, action == Ipv6State::Action::Disable ? 1 : 0);
    ::close(dir);
    return code;
}
