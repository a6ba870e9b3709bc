#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QTimer>

// The local TLS wrapper of Stealth: plain TCP on 127.0.0.1:1194 carried over TLS to the
// server's port 443. It counts as started only once its own process listens there: another user
// may hold the port, and OpenVPN would hand its traffic to that listener.
class Stunnel : public QObject
{
    Q_OBJECT

public:
    explicit Stunnel(QObject* parent = nullptr);
    ~Stunnel() override;

    bool start(const QString& server);
    void stop();

    static QString executablePath();
    static QString configPath();
    // The global options that stand where the template's placeholder is.
    static QString advancedOptions(bool windows);
    static QString configText(const QString& templateText, const QString& server, bool windows);
    // Where stunnel accepts OpenVPN's connection, as the template says.
    static QString listenHost() { return QStringLiteral("127.0.0.1"); }
    static quint16 listenPort() { return 1194; }

signals:
    void finished();
    void started(bool success);

private slots:
    void onReadyRead();
    void onFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void onErrorOccurred(QProcess::ProcessError error);
    void checkListener();

private:
    bool writeConfig(const QString& server);
    void endListenerWait(bool listening);

    QProcess* m_process = nullptr;
    QTimer m_listenerCheck;
    QElapsedTimer m_listenerWait;
    // From the start until it has listened or failed: an end in between is a failure.
    bool m_starting = false;
};
