#include "singleapplication.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

SingleApplication::SingleApplication(const QString& appId, int& argc, char** argv)
    : QApplication(argc, argv)
{
    setObjectName(QStringLiteral("SingleApplication"));
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QDir runtime(folder);
    m_serverName = runtime.filePath(appId + QStringLiteral(".socket"));
    m_lock = std::make_unique<QLockFile>(runtime.filePath(appId + QStringLiteral(".lock")));
    // A lock left by a crashed instance is taken over; a live one is never stale.
    m_lock->setStaleLockTime(0);
    // Only a lock held by a live instance means one runs; a lock that cannot be made at all must
    // not keep the client from starting.
    m_running = !m_lock->tryLock(0) && m_lock->error() == QLockFile::LockFailedError;
    if (!m_running)
        listen();
}

SingleApplication::~SingleApplication()
{
    if (m_server)
        m_server->close();
}

void SingleApplication::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(m_serverName);
    m_server->listen(m_serverName);
    connect(m_server, &QLocalServer::newConnection, this, &SingleApplication::acceptConnection);
}

void SingleApplication::acceptConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            const QString message = QString::fromUtf8(socket->readAll());
            socket->deleteLater();
            emit messageReceived(message);
        });
    }
}

bool SingleApplication::sendMessage(const QString& message, int timeout)
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(timeout))
        return false;
    socket.write(message.toUtf8());
    const bool written = socket.bytesToWrite() == 0 || socket.waitForBytesWritten(timeout);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(timeout);
    return written;
}
