#include "tcpserver.h"

#include "app/logger.h"
#include "service/localpeertrust.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

TcpServer::TcpServer(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("TcpServer"));
}

bool TcpServer::start(const QString& host, quint16 port)
{
    close();
    m_accepted = false;
    m_server = new QTcpServer(this);
    connect(m_server, &QTcpServer::acceptError, this, &TcpServer::onAcceptError);
    connect(m_server, &QTcpServer::newConnection, this, &TcpServer::onNewConnection);
    if (!m_server->listen(QHostAddress(host), port)) {
        Logger::warning(objectName(), QStringLiteral("Can't start TCP server, %1,%2")
                                          .arg(m_server->serverError())
                                          .arg(m_server->errorString()));
        return false;
    }
    emit serverStarted();
    return true;
}

void TcpServer::close()
{
    // The accepted socket is a child of the listener and goes with it; the signals it sends
    // while it is being destroyed must not reach us, half a socket as it is by then.
    if (m_connection) {
        m_connection->disconnect(this);
        m_connection = nullptr;
    }
    delete m_server;
    m_server = nullptr;
}

bool TcpServer::isConnected() const
{
    return !m_failed && m_connection && m_connection->isOpen();
}

QString TcpServer::readLine()
{
    if (!isConnected()) {
        Logger::warning(objectName(), QStringLiteral("Socket is not opened"));
        return {};
    }
    // A line cut by the network stays buffered until its end arrives, so no half line is read.
    if (!m_connection->canReadLine())
        return {};
    return QString::fromUtf8(m_connection->readLine());
}

qint64 TcpServer::write(const char* data)
{
    if (!isConnected())
        return 0;
    const qint64 written = m_connection->write(data);
    // Hand it to the system now: a stop is written just before the client may be destroyed.
    m_connection->flush();
    return written;
}

void TcpServer::onNewConnection()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        if (!m_accepted && trusts(socket)) {
            adopt(socket);
            continue;
        }
        if (m_accepted)
            Logger::warning(objectName(), QStringLiteral("Refused a second peer"));
        // Closed before a byte is read or written: it learns nothing and ends nothing.
        socket->abort();
        socket->deleteLater();
    }
    if (m_accepted)
        m_server->close();
}

bool TcpServer::trusts(QTcpSocket* socket)
{
    QString owner;
    if (LocalPeerTrust::checkPeer(socket->localAddress(), socket->localPort(),
                                  socket->peerAddress(), socket->peerPort(),
                                  &owner) == LocalPeerTrust::Accept)
        return true;
    Logger::warning(objectName(),
                    QStringLiteral("Refused peer from port %1 on port %2: its socket belongs to %3")
                        .arg(socket->peerPort())
                        .arg(socket->localPort())
                        .arg(LocalPeerTrust::ownerText(owner)));
    return false;
}

void TcpServer::adopt(QTcpSocket* socket)
{
    Logger::info(objectName(), QStringLiteral("Created new connection"));
    m_failed = false;
    m_accepted = true;
    m_connection = socket;
    // Reading stops when a line fills the buffer; onReadyRead then ends the connection.
    m_connection->setReadBufferSize(maxLineBytes);
    connect(m_connection, &QTcpSocket::disconnected, this, &TcpServer::onSocketDisconnected);
    connect(m_connection, &QTcpSocket::connected, this, &TcpServer::onSocketConnected);
    connect(m_connection, &QTcpSocket::readyRead, this, &TcpServer::onReadyRead);
    connect(m_connection, &QTcpSocket::errorOccurred, this, &TcpServer::onSocketError);
}

void TcpServer::onAcceptError(QAbstractSocket::SocketError socketError)
{
    Logger::warning(objectName(), QStringLiteral("Accept error: %1").arg(int(socketError)));
}

void TcpServer::onSocketConnected()
{
    Logger::info(objectName(), QStringLiteral("Socket connected"));
}

void TcpServer::onSocketDisconnected()
{
    if (!m_connection)
        return;
    m_connection->deleteLater();
    m_connection = nullptr;
}

void TcpServer::onSocketError(QAbstractSocket::SocketError error)
{
    if (m_connection) {
        Logger::warning(objectName(),
                        QStringLiteral("On error: %1").arg(m_connection->errorString()));
        m_connection->abort();
    }
    m_failed = true;
    emit socketError(error);
}

void TcpServer::onReadyRead()
{
    emit readyRead();
    // The reader has taken every complete line: what is left is the start of one.
    if (!m_connection || m_connection->canReadLine() ||
        m_connection->bytesAvailable() < maxLineBytes)
        return;
    Logger::warning(
        objectName(),
        QStringLiteral("Line longer than %1 bytes, closing the connection").arg(maxLineBytes));
    m_failed = true;
    m_connection->abort();
    emit lineTooLong();
}
