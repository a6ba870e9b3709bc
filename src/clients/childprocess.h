#pragma once

#include <QObject>
#include <QProcess>
#include <QStringList>

// A local program run with the client's own rights; reports errors and whether it ended well.
class ChildProcess : public QObject
{
    Q_OBJECT

public:
    explicit ChildProcess(QObject* parent = nullptr);
    ~ChildProcess() override;

    QProcess& process() { return m_process; }

    static QStringList runAndReadLines(const QString& program, const QStringList& arguments,
                                       bool readOutput);
    static QString errorText(QProcess::ProcessError error);

signals:
    void processFinished(bool success);

public slots:
    void onErrorOccurred(QProcess::ProcessError error);
    void onFinished(int exitCode, QProcess::ExitStatus exitStatus);

private:
    QProcess m_process;
};
