#include "stunnel.h"

#include "app/logger.h"
#include "platform/platform.h"
#include "utils/utils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

const int stopWaitMs = 30000;
const char confirmation[] = "Configuration successful";
// stunnel confirms its configuration before it binds: the listener follows within milliseconds,
// and every one of them is the user's wait for Connected.
const int listenerPollMs = 10;
const int listenerWaitMs = 5000;

} // namespace

Stunnel::Stunnel(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Stunnel"));
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    connect(m_process, &QProcess::readyRead, this, &Stunnel::onReadyRead);
    connect(m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &Stunnel::onFinished);
    connect(m_process, &QProcess::errorOccurred, this, &Stunnel::onErrorOccurred);
    m_listenerCheck.setInterval(listenerPollMs);
    connect(&m_listenerCheck, &QTimer::timeout, this, &Stunnel::checkListener);
}

Stunnel::~Stunnel()
{
    stop();
}

QString Stunnel::executablePath()
{
    return QDir::toNativeSeparators(
        QStringLiteral("%1/stunnel/bin/%2")
            .arg(Utils::applicationDirectory(), Utils::executableName(QStringLiteral("stunnel"))));
}

QString Stunnel::configPath()
{
    return QDir::toNativeSeparators(Utils::programDataPathChecked() +
                                    QStringLiteral("/stunnel.conf"));
}

QString Stunnel::advancedOptions(bool windows)
{
    // Elsewhere stunnel forks into the background and says nothing unless told to stay.
    return windows ? QString() : QStringLiteral("foreground = yes");
}

QString Stunnel::configText(const QString& templateText, const QString& server, bool windows)
{
    return QString(templateText)
        .replace(QStringLiteral("<HOSTNAME>"), server)
        .replace(QStringLiteral("<ADVANCED_OPTIONS>"), advancedOptions(windows));
}

bool Stunnel::writeConfig(const QString& server)
{
    if (!Utils::isServerAddress(server)) {
        Logger::warning(objectName(), QStringLiteral("Can't write stunnel file: the server "
                                                     "address is not valid"));
        return false;
    }
    if (Platform::programDataFolder().isEmpty()) {
        // Without the data folder the path would lie in the file-system root.
        Logger::warning(objectName(), QStringLiteral("Can't open stunnel file for writing!"));
        return false;
    }
    QFile resource(QStringLiteral(":/resources/config/%1").arg(QStringLiteral("stunnel.conf")));
    if (!resource.open(QIODevice::ReadOnly | QIODevice::Text)) {
        Logger::warning(objectName(), QStringLiteral("Can't open stunnel resource file!"));
        return false;
    }
    const QString text =
        configText(QString::fromUtf8(resource.readAll()), server, Platform::isWindows());

    const QString path = configPath();
    QFile::remove(path);
    Utils::ensureDirectory(QFileInfo(path).path());
    QFile config(path);
    if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        Logger::warning(objectName(), QStringLiteral("Can't open stunnel file for writing!"));
        return false;
    }
    const QByteArray bytes = text.toUtf8();
    if (config.write(bytes) != bytes.size() || !config.flush()) {
        Logger::warning(objectName(), QStringLiteral("Can't write stunnel file completely!"));
        config.remove();
        return false;
    }
    config.close();
    return QFileInfo(path).size() > 0;
}

bool Stunnel::start(const QString& server)
{
    stop();
    if (!writeConfig(server))
        return false;
    m_starting = true;
    m_process->start(executablePath(), {configPath()}, QIODevice::ReadWrite);
    Logger::info(objectName(), QStringLiteral("Process started with args: '%1', '%2'")
                                   .arg(executablePath(), configPath()));
    return true;
}

void Stunnel::stop()
{
    // An end asked for is no failure to report.
    m_starting = false;
    m_listenerCheck.stop();
    if (m_process->state() == QProcess::NotRunning)
        return;
    Logger::info(objectName(), QStringLiteral("Stop process"));
    m_process->close();
    m_process->waitForFinished(stopWaitMs);
}

void Stunnel::onReadyRead()
{
    const QByteArray chunk = m_process->readAll();
    if (!chunk.contains(confirmation))
        return;
    Logger::info(objectName(), QString::fromLatin1(confirmation));
    QFile::remove(configPath());
    if (m_listenerCheck.isActive())
        return;
    m_listenerWait.start();
    m_listenerCheck.start();
    checkListener();
}

void Stunnel::checkListener()
{
    if (Platform::processListensOn(m_process->processId(), listenHost(), listenPort())) {
        Logger::info(objectName(),
                     QStringLiteral("Listening on %1:%2").arg(listenHost()).arg(listenPort()));
        endListenerWait(true);
    } else if (m_listenerWait.elapsed() >= listenerWaitMs) {
        Logger::warning(objectName(), QStringLiteral("No listener of its own on %1:%2 after %3 ms")
                                          .arg(listenHost())
                                          .arg(listenPort())
                                          .arg(listenerWaitMs));
        endListenerWait(false);
    }
}

void Stunnel::endListenerWait(bool listening)
{
    m_starting = false;
    m_listenerCheck.stop();
    emit started(listening);
}

void Stunnel::onFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    Logger::info(objectName(),
                 QStringLiteral("Process finished with exit code '%1' and status '%2'")
                     .arg(exitCode)
                     .arg(int(exitStatus)));
    if (m_starting) {
        Logger::warning(objectName(), QStringLiteral("Process ended before it listened on %1:%2")
                                          .arg(listenHost())
                                          .arg(listenPort()));
        endListenerWait(false);
    }
}

void Stunnel::onErrorOccurred(QProcess::ProcessError error)
{
    if (error != QProcess::FailedToStart || !m_starting)
        return;
    Logger::warning(
        objectName(),
        QStringLiteral("Process could not be started: %1").arg(m_process->errorString()));
    endListenerWait(false);
}
