#include "tunnelservice.h"

#include "bytecounttext.h"
#include "wireguardconfig.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const int handshakePollMs = 10;
const int byteCountMs = 1000;
int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    (void)!write(signalPipe[1], &byte, 1);
}

} // namespace

TunnelService::TunnelService(QObject* parent)
    : QObject(parent), m_link([this](const QString& text) { log(text); })
{
    // The handshake is looked for often, so that Connected follows it closely; the byte counts
    // once a second.
    m_tick.setInterval(handshakePollMs);
    connect(&m_tick, &QTimer::timeout, this, &TunnelService::onTick);
    connect(&m_link, &TunnelLink::ended, this,
            [this] { finish(1, QStringLiteral("wireguard-go ended")); });
}

TunnelService::~TunnelService()
{
    finish(m_exitCode, QString());
}

bool TunnelService::start(const QString& configPath, int logFd)
{
    QString error;
    const bool logged = logFd >= 0 ? m_ringLog.adopt(logFd, &error)
                                   : m_ringLog.open(QFileInfo(configPath).absolutePath(), &error);
    if (!logged)
        std::fprintf(stderr, "%s\n", qPrintable(error));
    log(QStringLiteral("Starting WireGuard tunnel"));
    if (!installSignalPipe()) {
        finish(1, QStringLiteral("cannot watch signals"));
        return false;
    }
    m_report.connectToHost(QStringLiteral("127.0.0.1"), reportPort);
    if (!m_report.waitForConnected(5000)) {
        finish(3, QStringLiteral("cannot reach the report port"));
        return false;
    }
    QByteArray text;
    WireGuardConfig config;
    if (!readConfig(configPath, &text, &error) || !WireGuardConfig::parse(text, &config, &error)) {
        finish(2, QStringLiteral("Invalid configuration, ") + error);
        return false;
    }
    // What the link is about to create is on record first, for a "--remove" after a crash.
    m_link.setRecorder([this](const QString& interface, const QString& endpointRoute) {
        m_instance.record(interface, endpointRoute);
    });
    m_link.setResolvConfCopy(InstanceFile::resolvConfCopyFor(configPath));
    if (!m_instance.claim(configPath, &error, [this](const QString& text) { log(text); }) ||
        !m_link.up(config, &error)) {
        finish(1, error);
        return false;
    }
    log(QStringLiteral("Interface %1 is up, waiting for the handshake")
            .arg(m_link.interfaceName()));
    m_since.start();
    m_tick.start();
    return true;
}

bool TunnelService::readConfig(const QString& path, QByteArray* text, QString* error)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat info;
    if (fd < 0 || fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > 16384) {
        if (fd >= 0)
            ::close(fd);
        *error = QStringLiteral("the file is missing, a link or not a small plain file");
        return false;
    }
    QFile file;
    const bool ok = file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    *text = ok ? file.read(16385) : QByteArray();
    if (!ok)
        ::close(fd);
    return ok;
}

QString TunnelService::reportable(const QString& error)
{
    QString text = error.simplified();
    text.replace(QLatin1Char(':'), QLatin1Char(' '));
    return text.left(300);
}

bool TunnelService::installSignalPipe()
{
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    m_signals = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_signals, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        while (read(signalPipe[0], &byte, 1) > 0) {
        }
        log(QStringLiteral("Removing WireGuard tunnel"));
        finish(0, QString());
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    return sigaction(SIGTERM, &action, nullptr) == 0 && sigaction(SIGINT, &action, nullptr) == 0 &&
           sigaction(SIGHUP, &action, nullptr) == 0;
}

void TunnelService::onTick()
{
    if (!m_connected) {
        if (m_link.handshakeDone()) {
            m_connected = true;
            m_tick.setInterval(byteCountMs);
            log(QStringLiteral("Handshake completed"));
            report(">STATE:CONNECTED");
        } else if (m_since.elapsed() > handshakeTimeoutMs) {
            finish(1, QStringLiteral("No handshake with the server"));
        }
        return;
    }
    quint64 received = 0;
    quint64 sent = 0;
    if (m_link.transfer(&received, &sent))
        report(">BYTECOUNT:" + ByteCountText::format(received).toLatin1() + ", " +
               ByteCountText::format(sent).toLatin1());
}

void TunnelService::finish(int code, const QString& error)
{
    if (m_finished)
        return;
    m_finished = true;
    m_exitCode = code;
    m_tick.stop();
    if (!error.isEmpty()) {
        log(error);
        report(">STATE:ERROR:" + reportable(error).toUtf8());
    }
    m_link.down();
    m_instance.release();
    log(QStringLiteral("Tunnel removed"));
    if (code == 0)
        report(">STATE:DISCONNECTED");
    if (m_report.state() == QAbstractSocket::ConnectedState) {
        m_report.waitForBytesWritten(1000);
        m_report.disconnectFromHost();
    }
    m_ringLog.close();
    QCoreApplication::exit(code);
}

void TunnelService::report(const QByteArray& line)
{
    if (m_report.state() == QAbstractSocket::ConnectedState) {
        m_report.write(line + '\n');
        m_report.flush();
    }
}

void TunnelService::log(const QString& text)
{
    m_ringLog.append(text);
    std::fprintf(stderr, "%s\n", qPrintable(text));
}
