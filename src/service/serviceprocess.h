#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

// The client's handle of one program that the privileged service runs: it sends the start
// command and follows the service's notifications that carry its name. When the service tells
// which request a start answers, only the handle that sent it takes the answer; when it tells
// the run's id, an end report counts only for the runs this handle started.
class ServiceProcess : public QObject
{
    Q_OBJECT

public:
    enum State
    {
        NotRunning = 0,
        Starting = 1,
        Running = 2
    };

    struct Notification
    {
        enum Kind
        {
            None,
            Started,
            Finished
        };
        Kind kind = None;
        // The run's process id; 0 when the service did not tell it.
        quint64 id = 0;
        // Which start request of the current link a "started:" answers (from 1); 0 when the
        // service did not tell it.
        quint64 request = 0;
        // -1 when the field is there but no number in 0..2147483647.
        int code = 0;
        QString name;
    };

    // The service's answer to a start that would change what another user of this computer
    // holds: the kill switch, forced DNS, the IPv6 switch or a tunnel.
    static constexpr int heldByAnotherUserCode = 16;

    ServiceProcess(const QString& name, QObject* parent = nullptr);

    void start(const QStringList& programAndArguments);
    int state() const { return m_state; }
    QString name() const { return m_name; }
    // The service link gave up a held start command of this handle: that run never comes.
    void abandonStart();

    static QString startMessage(const QStringList& programAndArguments);
    static Notification parseNotification(const QString& text);
    // No element holds a double quote, a carriage return, a line feed or a NUL.
    static bool isSafeCommand(const QStringList& programAndArguments);
    // A start command that the service answers with exactly one "started:" (a kill is none).
    static bool isStartRequest(const QString& command);
    static int codeOf(const QString& field);

public slots:
    virtual void startCommand(const QString& command);
    virtual void sendCommand(const QString& command);

signals:
    void error(int error);
    void finished(int state);
    void started();

protected slots:
    void onProcessOutput(const QString& output);

protected:
    static void sendToService(const QString& message);

private:
    // False for a notification that belongs to a run of another handle of the same name.
    bool claim(const Notification& notification);
    void settleState();

    QString m_name;
    int m_state = NotRunning;
    int m_pendingStarts = 0;
    QSet<quint64> m_runs;
};
