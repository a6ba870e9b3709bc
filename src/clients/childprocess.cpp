#include "childprocess.h"

#include "app/logger.h"

namespace {

const int finishWaitMs = 10000;
const int runTimeoutMs = 30000;

} // namespace

ChildProcess::ChildProcess(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("ChildProcess"));
    connect(&m_process, &QProcess::errorOccurred, this, &ChildProcess::onErrorOccurred);
    connect(&m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &ChildProcess::onFinished);
}

ChildProcess::~ChildProcess()
{
    m_process.waitForFinished(finishWaitMs);
    m_process.disconnect(this);
}

QString ChildProcess::errorText(QProcess::ProcessError error)
{
    switch (error) {
    case QProcess::FailedToStart:
        return QStringLiteral("failed to start");
    case QProcess::Crashed:
        return QStringLiteral("crashed");
    case QProcess::Timedout:
        return QStringLiteral("timed out");
    case QProcess::ReadError:
        return QStringLiteral("read error");
    case QProcess::WriteError:
        return QStringLiteral("write error");
    case QProcess::UnknownError:
        break;
    }
    return QStringLiteral("unknown error");
}

void ChildProcess::onErrorOccurred(QProcess::ProcessError error)
{
    Logger::warning(objectName(), QStringLiteral("Error occured: ") + errorText(error));
    // A program that never started sends no finished signal; its owner still has to hear of it.
    if (error == QProcess::FailedToStart)
        emit processFinished(false);
}

void ChildProcess::onFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    emit processFinished(exitCode == 0 && exitStatus == QProcess::NormalExit);
}

QStringList ChildProcess::runAndReadLines(const QString& program, const QStringList& arguments,
                                          bool readOutput)
{
    QProcess process;
    process.start(program, arguments, QIODevice::ReadWrite);
    if (!process.waitForStarted(runTimeoutMs)) {
        Logger::warning(QStringLiteral("ChildProcess"),
                        QStringLiteral("Cannot start '%1'").arg(program));
        return {};
    }
    process.waitForFinished(runTimeoutMs);
    QStringList lines;
    if (readOutput)
        lines = QString::fromLocal8Bit(process.readAllStandardOutput()).split(QLatin1Char('\n'));
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(1000);
    }
    return lines;
}
