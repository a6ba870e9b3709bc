#include "xsession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

namespace {

const int startTimeoutMs = 15000;

void stop(std::unique_ptr<QProcess>& process)
{
    if (!process)
        return;
    process->terminate();
    if (!process->waitForFinished(3000)) {
        process->kill();
        process->waitForFinished(3000);
    }
    process.reset();
}

} // namespace

bool XSession::startServer()
{
    stop(m_server);
    m_server = std::make_unique<QProcess>();
    m_server->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_server->start(QStringLiteral("Xvfb"), {m_display, QStringLiteral("-screen"),
                                             QStringLiteral("0"), QStringLiteral("1280x800x24"),
                                             QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!m_server->waitForStarted(startTimeoutMs)) {
        m_error =
            QStringLiteral("Xvfb %1 did not start: %2").arg(m_display, m_server->errorString());
        return false;
    }
    const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(m_display.mid(1));
    QElapsedTimer timer;
    timer.start();
    while (!QFile::exists(socket) || runTool(QStringLiteral("xdpyinfo"), {}).isEmpty()) {
        if (m_server->state() != QProcess::Running) {
            m_error = QStringLiteral("Xvfb %1 ended with code %2")
                          .arg(m_display)
                          .arg(m_server->exitCode());
            return false;
        }
        if (timer.elapsed() > startTimeoutMs) {
            m_error = QStringLiteral("Xvfb %1 did not answer within %2 ms")
                          .arg(m_display)
                          .arg(startTimeoutMs);
            return false;
        }
        QThread::msleep(100);
    }
    return true;
}

XSession::~XSession()
{
    stop(m_tray);
    stop(m_server);
}

bool XSession::start(bool withTray)
{
    // A free number can be taken between the look and the start (another suite's server, or one
    // still going away): its server then ends at once, and the next free number is tried.
    bool started = false;
    for (int number = 90 + int(QCoreApplication::applicationPid() % 50); number < 400 && !started;
         ++number) {
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)) ||
            QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
            continue;
        m_display = QStringLiteral(":%1").arg(number);
        started = startServer();
        // A server that runs but never answers is no taken number: trying on would not help.
        if (!started && m_server->state() == QProcess::Running)
            return false;
    }
    if (!started)
        return false;
    m_error.clear();
    if (!withTray)
        return true;

    m_tray = std::make_unique<QProcess>();
    m_tray->setProcessChannelMode(QProcess::MergedChannels);
    m_tray->setProcessEnvironment(environment());
    m_tray->start(QStringLiteral("trayer"),
                  {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                   QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("pixel"),
                   QStringLiteral("--width"), QStringLiteral("200"), QStringLiteral("--height"),
                   QStringLiteral("32")});
    if (!m_tray->waitForStarted(startTimeoutMs)) {
        m_error = QStringLiteral("trayer did not start: %1").arg(m_tray->errorString());
        return false;
    }
    if (!waitForTray(startTimeoutMs)) {
        m_error = QStringLiteral("trayer's panel did not appear on %1 within %2 ms (trayer %3): %4")
                      .arg(m_display)
                      .arg(startTimeoutMs)
                      .arg(m_tray->state() == QProcess::Running ? QStringLiteral("running")
                                                                : QStringLiteral("ended"))
                      .arg(QString::fromLocal8Bit(m_tray->readAll()));
        return false;
    }
    return true;
}

QProcessEnvironment XSession::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return env;
}

QString XSession::runTool(const QString& program, const QStringList& arguments, int timeoutMs) const
{
    QProcess tool;
    tool.setProcessEnvironment(environment());
    tool.start(program, arguments);
    if (!tool.waitForFinished(timeoutMs)) {
        tool.kill();
        tool.waitForFinished(1000);
        return {};
    }
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

bool XSession::waitForWindow(const QString& name, int timeoutMs) const
{
    QElapsedTimer timer;
    timer.start();
    const QString needle = QStringLiteral("\"%1\"").arg(name);
    while (timer.elapsed() < timeoutMs) {
        if (runTool(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")})
                .contains(needle))
            return true;
        QThread::msleep(100);
    }
    return false;
}

bool XSession::waitForTray(int timeoutMs) const
{
    // trayer maps its panel once it owns the tray selection.
    if (!waitForWindow(QStringLiteral("panel"), timeoutMs))
        return false;
    QThread::msleep(300);
    return true;
}
