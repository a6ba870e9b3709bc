#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The client's handle of one program that the privileged service runs: it sends the start
// command and follows the service's notifications that carry its name.
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
        uint code = 0;
        QString name;
    };

    ServiceProcess(const QString& name, QObject* parent = nullptr);

    void start(const QStringList& programAndArguments);
    int state() const { return m_state; }
    QString name() const { return m_name; }

    static QString startMessage(const QStringList& programAndArguments);
    static Notification parseNotification(const QString& text);

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
    QString m_name;
    int m_state = NotRunning;
};
