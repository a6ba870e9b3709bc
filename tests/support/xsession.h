#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

#include <memory>

// A private X display (Xvfb), optionally with a tray host (trayer), for suites that run the real
// client binary with widgets and a tray icon.
class XSession
{
public:
    XSession() = default;
    ~XSession();

    bool start(bool withTray);
    // Why the last start failed, for the test's failure message.
    QString error() const { return m_error; }
    QString display() const { return m_display; }
    // The current environment with DISPLAY pointing at this session and the real platform plugin.
    QProcessEnvironment environment() const;
    // Runs an X tool against this display and returns its output.
    QString runTool(const QString& program, const QStringList& arguments,
                    int timeoutMs = 10000) const;
    bool waitForWindow(const QString& name, int timeoutMs) const;

private:
    // Xvfb on m_display, answering; false when it ended or never answered.
    bool startServer();
    bool waitForTray(int timeoutMs) const;

    QString m_display;
    mutable QString m_error;
    std::unique_ptr<QProcess> m_server;
    std::unique_ptr<QProcess> m_tray;
};
