// The userspace WireGuard tunnel program: "--add FILE --port 61976" runs the tunnel of FILE until
// "--remove FILE" ends it. CORVALINK_USER_UID (0 without it) owns the instance: only a
// "--remove" for the same uid ends it.
#include "instancefile.h"
#include "tunnelservice.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

bool isSafePath(const QString& path)
{
    if (path.size() > 1024 || !QDir::isAbsolutePath(path))
        return false;
    for (const QChar c : path) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

int usage()
{
    std::fprintf(stderr,
                 "usage: wireguard-service --add FILE --port 61976 [--log-fd N] | --remove FILE\n");
    return 2;
}

// "--log-fd N": the ring log the service opened as the user; -1 without it, -2 when malformed.
int logDescriptor(const QStringList& arguments)
{
    if (arguments.size() == 4)
        return -1;
    bool ok = false;
    const int fd = arguments.size() == 6 && arguments.at(4) == QLatin1String("--log-fd")
                       ? arguments.at(5).toInt(&ok)
                       : -2;
    return ok && fd > 2 && fd < 1024 ? fd : -2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    if (arguments.size() == 2 && arguments.at(0) == QLatin1String("--remove") &&
        isSafePath(arguments.at(1))) {
        QString error;
        const auto log = [](const QString& text) {
            std::fprintf(stderr, "%s\n", qPrintable(text));
        };
        if (InstanceFile::stop(arguments.at(1), 20000, &error, log))
            return 0;
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    // The client's report port is fixed; any other port is not the client.
    const int logFd = logDescriptor(arguments);
    if (arguments.size() < 4 || arguments.at(0) != QLatin1String("--add") ||
        !isSafePath(arguments.at(1)) || arguments.at(2) != QLatin1String("--port") ||
        arguments.at(3) != QString::number(TunnelService::reportPort) || logFd == -2)
        return usage();
    TunnelService service;
    if (!service.start(arguments.at(1), logFd))
        return service.exitCode();
    return app.exec();
}
