// Root-run IPv6 switch: "--ipv6 enable|disable", and "--restore" of the values it changed.
#include "ipv6state.h"
#include "statefolder.h"

#include <QCoreApplication>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace {

const char defaultStateDir[] = "/run/corvalink";
const char stateName[] = "network-tool.state";
const qint64 maxStateBytes = 256;

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

QByteArray readState(const StateFolder& folder)
{
    QByteArray text;
    return folder.read(stateName, maxStateBytes, &text) ? text : QByteArray();
}

int restore(const StateFolder& folder)
{
    QMap<QString, int> saved;
    if (!Ipv6State::fromText(readState(folder), &saved))
        return 0;
    for (auto it = saved.begin(); it != saved.end(); ++it) {
        if (!writeSetting(it.key(), it.value()))
            return fail(QStringLiteral("cannot write the %1 setting").arg(it.key()));
    }
    folder.remove(stateName);
    return 0;
}

int change(const StateFolder& folder, int disabled)
{
    QMap<QString, int> saved;
    // Only the first change keeps the values: they are the user's.
    if (!Ipv6State::fromText(readState(folder), &saved)) {
        for (const QString& name : Ipv6State::settingNames()) {
            int value = 0;
            if (!readSetting(name, &value))
                return fail(QStringLiteral("cannot read the %1 setting").arg(name));
            saved.insert(name, value);
        }
        if (!folder.write(stateName, Ipv6State::toText(saved)))
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
    StateFolder folder(StateFolder::pathFromEnvironment(defaultStateDir));
    if (!folder.open(&error))
        return fail(error);
    return action == Ipv6State::Action::Restore
               ? restore(folder)
               : change(folder, action == Ipv6State::Action::Disable ? 1 : 0);
}
