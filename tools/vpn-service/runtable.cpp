#include "runtable.h"

#include "runprocess.h"
#include "servicenotice.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <unistd.h>

namespace {

const int maxLogLine = 512;

} // namespace

RunTable::RunTable(QObject* parent) : QObject(parent) {}

RunTable::~RunTable()
{
    // No notifications from a table being torn down; each QProcess ends its program as it goes.
    for (auto it = m_runs.begin(); it != m_runs.end(); ++it) {
        it.key()->disconnect(this);
        if (it->logFd >= 0)
            ::close(it->logFd);
    }
}

void RunTable::start(const QString& name, const QString& program, const QStringList& arguments,
                     const QProcessEnvironment& environment, const Origin& origin, int logFd,
                     const QString& privateDir)
{
    auto* process = new RunProcess(this);
    m_runs.insert(process,
                  {name, origin.uid, origin.link, origin.request, 0, logFd, privateDir, arguments});
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(QStringLiteral("/"));
    connect(process, &QProcess::started, this, [this, process] { onStarted(process); });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            onFailedToStart(process);
    });
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            [this, process](int code, QProcess::ExitStatus status) {
                onFinished(process, status == QProcess::NormalExit ? code : 1);
            });
    connect(process, &QProcess::readyRead, this, [this, process] { forwardOutput(process); });
    process->start(program, arguments, QIODevice::ReadOnly);
}

void RunTable::onStarted(QProcess* process)
{
    Run& run = m_runs[process];
    run.id = process->processId();
    qInfo("Started %s as process %lld for uid %u", qPrintable(run.name), run.id, run.uid);
    report(run, ServiceNotice::started(run.id, 0, run.request, run.name));
}

void RunTable::onFailedToStart(QProcess* process)
{
    const Run run = m_runs.value(process);
    qWarning("Could not start %s: %s", qPrintable(run.name), qPrintable(process->errorString()));
    report(run, ServiceNotice::started(0, failedToStartCode, run.request, run.name));
    release(process);
    emit runEnded(run.name, run.uid, -1, run.arguments);
}

void RunTable::onFinished(QProcess* process, int code)
{
    forwardOutput(process);
    const Run run = m_runs.value(process);
    qInfo("Process %lld (%s) finished with code %d", run.id, qPrintable(run.name), code);
    report(run, ServiceNotice::finished(run.id, code, run.name));
    release(process);
    settleKills(run.id);
    emit runEnded(run.name, run.uid, code, run.arguments);
}

void RunTable::report(const Run& run, const QString& text)
{
    if (run.link != 0)
        emit notification(run.uid, run.link, text);
}

int RunTable::countOf(const QString& name) const
{
    int count = 0;
    for (const Run& run : m_runs)
        count += run.name == name ? 1 : 0;
    return count;
}

int RunTable::countOf(uid_t uid, const QString& name) const
{
    int count = 0;
    for (const Run& run : m_runs)
        count += run.uid == uid && (name.isEmpty() || run.name == name) ? 1 : 0;
    return count;
}

bool RunTable::holdsFolder(const QString& folder) const
{
    for (const Run& run : m_runs) {
        if (run.privateDir == folder)
            return true;
    }
    return false;
}

void RunTable::forwardOutput(QProcess* process)
{
    const Run& run = m_runs[process];
    const QByteArray output = process->readAll();
    if (output.isEmpty())
        return;
    if (run.logFd >= 0) {
        if (::write(run.logFd, output.constData(), size_t(output.size())) < 0)
            qWarning("Could not write the log of process %lld", run.id);
        return;
    }
    for (const QByteArray& line : output.split('\n')) {
        if (!line.trimmed().isEmpty())
            qInfo("%s[%lld]: %s", qPrintable(run.name), run.id, line.left(maxLogLine).constData());
    }
}

void RunTable::release(QProcess* process)
{
    const Run run = m_runs.take(process);
    if (run.logFd >= 0)
        ::close(run.logFd);
    if (!run.privateDir.isEmpty())
        QDir(run.privateDir).removeRecursively();
    process->disconnect(this);
    process->deleteLater();
}

QList<QProcess*> RunTable::runsOf(uid_t uid, const QString& name) const
{
    QList<QProcess*> found;
    for (auto it = m_runs.cbegin(); it != m_runs.cend(); ++it) {
        if (it->uid == uid && it->name == name && it->id > 0)
            found << it.key();
    }
    return found;
}

void RunTable::stop(uid_t uid, const QString& name)
{
    const QList<QProcess*> runs = runsOf(uid, name);
    if (runs.isEmpty())
        qInfo("Stop %s for uid %u: no run of it", qPrintable(name), uid);
    for (QProcess* process : runs) {
        qInfo("Stopping process %lld (%s)", m_runs.value(process).id, qPrintable(name));
        process->terminate();
    }
}

void RunTable::kill(uid_t uid, const QString& name, quint64 link)
{
    PendingKill pending{uid, name, link, {}};
    for (QProcess* process : runsOf(uid, name)) {
        pending.ids.insert(m_runs.value(process).id);
        qInfo("Killing process %lld (%s)", m_runs.value(process).id, qPrintable(name));
        process->kill();
    }
    m_kills.append(pending);
    settleKills(0);
}

void RunTable::settleKills(qint64 id)
{
    for (int i = 0; i < m_kills.size();) {
        m_kills[i].ids.remove(id);
        if (!m_kills.at(i).ids.isEmpty()) {
            ++i;
            continue;
        }
        const PendingKill done = m_kills.takeAt(i);
        emit notification(done.uid, done.link,
                          QStringLiteral("finished:0,0,<kill %1>").arg(done.name));
    }
}

void RunTable::stopAll(int waitMs)
{
    const QList<QProcess*> processes = m_runs.keys();
    for (QProcess* process : processes)
        process->terminate();
    QDeadlineTimer deadline(waitMs);
    for (QProcess* process : processes) {
        if (!process->waitForFinished(int(qMax<qint64>(deadline.remainingTime(), 0)))) {
            process->kill();
            process->waitForFinished(1000);
        }
    }
}
