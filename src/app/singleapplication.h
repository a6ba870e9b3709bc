#pragma once

#include <QApplication>
#include <QLockFile>
#include <QString>

#include <memory>

class QLocalServer;

// The first instance of a user holds a lock file and listens on a local socket; later starts
// find the lock taken and hand their message over that socket.
class SingleApplication : public QApplication
{
    Q_OBJECT

public:
    SingleApplication(const QString& appId, int& argc, char** argv);
    ~SingleApplication() override;

    bool isRunning() const { return m_running; }
    bool sendMessage(const QString& message, int timeout);

signals:
    void messageReceived(const QString& message);

private:
    void listen();
    void acceptConnection();

    QString m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
    bool m_running = false;
};
