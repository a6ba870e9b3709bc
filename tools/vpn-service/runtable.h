#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <sys/types.h>

class QProcess;
class QProcessEnvironment;

// The programs the service started, each tied to the user and the link that asked for it.
// Stop and kill reach only the runs of that user and name, never other processes.
class RunTable : public QObject
{
    Q_OBJECT

public:
    static constexpr int failedToStartCode = 2;

    explicit RunTable(QObject* parent = nullptr);
    ~RunTable() override;

    // Starts program from its argument list, no shell, with exactly that environment. The run
    // owns logFd (its output is appended there; -1 sends it to the service's log) and removes
    // privateDir when it ends. Link 0 is the service's own run: it notifies no one. request is
    // the number of the link's start request that its "started:" answers.
    struct Origin
    {
        uid_t uid = 0;
        quint64 link = 0;
        quint64 request = 0;
    };
    void start(const QString& name, const QString& program, const QStringList& arguments,
               const QProcessEnvironment& environment, const Origin& origin, int logFd = -1,
               const QString& privateDir = QString());
    void stop(uid_t uid, const QString& name);
    // SIGKILL to the user's runs of name; "finished:0,0,<kill NAME>" follows their own ends.
    void kill(uid_t uid, const QString& name, quint64 link);
    // Ends every run: SIGTERM, then SIGKILL for those still there after waitMs.
    void stopAll(int waitMs);
    int count() const { return m_runs.size(); }
    // Runs of that name, of any user, still going.
    int countOf(const QString& name) const;
    // Runs of that user, of one name or of any.
    int countOf(uid_t uid, const QString& name = QString()) const;
    // Whether a run still owns that private folder.
    bool holdsFolder(const QString& folder) const;

signals:
    void notification(uid_t uid, quint64 link, const QString& text);
    // code is the exit code, or -1 when the program could not be started.
    void runEnded(const QString& name, uid_t uid, int code, const QStringList& arguments);

private:
    struct Run
    {
        QString name;
        uid_t uid = 0;
        quint64 link = 0;
        quint64 request = 0;
        qint64 id = 0;
        int logFd = -1;
        QString privateDir;
        QStringList arguments;
    };
    struct PendingKill
    {
        uid_t uid = 0;
        QString name;
        quint64 link = 0;
        QSet<qint64> ids;
    };

    QList<QProcess*> runsOf(uid_t uid, const QString& name) const;
    void onStarted(QProcess* process);
    void onFailedToStart(QProcess* process);
    void onFinished(QProcess* process, int code);
    void forwardOutput(QProcess* process);
    void settleKills(qint64 id);
    void report(const Run& run, const QString& text);
    void release(QProcess* process);

    QHash<QProcess*, Run> m_runs;
    QList<PendingKill> m_kills;
};
