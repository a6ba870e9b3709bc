#pragma once

#include <QObject>
#include <QProcess>

// The local TLS wrapper of Stealth: plain TCP on 127.0.0.1:1194 carried over TLS to the
// server's port 443.
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

signals:
    void finished();
    void started(bool success);

private slots:
    void onReadyRead();
    void onFinished(int exitCode, QProcess::ExitStatus exitStatus);

private:
    bool writeConfig(const QString& server);

    QProcess* m_process = nullptr;
};
