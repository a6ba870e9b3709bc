// vpn-service: the privileged service of the Corvalink client on Linux.
//   vpn-service [--config FILE] [--foreground]
#include "serviceconfig.h"
#include "vpnservice.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <grp.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <syslog.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};
bool logToStderr = true;

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

void logMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    const QByteArray text = message.toLocal8Bit();
    if (logToStderr) {
        std::fprintf(stderr, "vpn-service: %s\n", text.constData());
        std::fflush(stderr);
        return;
    }
    const int priority = type == QtInfoMsg || type == QtDebugMsg ? LOG_INFO
                         : type == QtWarningMsg                  ? LOG_WARNING
                                                                 : LOG_ERR;
    ::syslog(priority, "%s", text.constData());
}

bool watchSignals(QObject* parent, VpnService* service)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return false;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, parent);
    QObject::connect(notifier, &QSocketNotifier::activated, parent, [service, notifier] {
        notifier->setEnabled(false);
        service->shutdown();
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    ::sigemptyset(&action.sa_mask);
    return ::sigaction(SIGTERM, &action, nullptr) == 0 &&
           ::sigaction(SIGINT, &action, nullptr) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    ::umask(077);
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption configOption(
        QStringLiteral("config"), QStringLiteral("The service's configuration file."),
        QStringLiteral("file"), QStringLiteral("/etc/corvalink/vpn-service.conf"));
    const QCommandLineOption foregroundOption(QStringLiteral("foreground"),
                                              QStringLiteral("Log to standard error."));
    parser.addOptions({configOption, foregroundOption});
    parser.process(app);
    logToStderr = parser.isSet(foregroundOption);
    if (!logToStderr)
        ::openlog("corvalink-vpn-service", LOG_PID, LOG_DAEMON);
    qInstallMessageHandler(logMessage);

    if (::geteuid() != 0) {
        qCritical("Must run as root");
        return 1;
    }
    // Root's own supplementary groups must not widen the file access done as a user.
    if (::setgroups(0, nullptr) != 0) {
        qCritical("Cannot drop the supplementary groups");
        return 1;
    }
    ServiceConfig config;
    QString problem;
    if (!config.load(parser.value(configOption), &problem)) {
        qCritical("Refused the configuration: %s", qPrintable(problem));
        return 1;
    }
    VpnService service(config);
    if (!watchSignals(&app, &service) || !service.listen(&problem)) {
        qCritical("Cannot start: %s", qPrintable(problem));
        return 1;
    }
    return app.exec();
}
