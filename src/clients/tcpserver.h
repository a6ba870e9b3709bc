#pragma once

#include <QAbstractSocket>
#include <QObject>
#include <QPointer>

class QTcpServer;
class QTcpSocket;

// A one-peer TCP listener: the tunnel program connects back to it. Only a peer whose socket
// belongs to the system or to our own user is taken; others are closed unheard and the listener
// waits on. Once a peer is taken no further one is.
class TcpServer : public QObject
{
    Q_OBJECT

public:
    // A line longer than this, its end included, is not one the tunnel programs write.
    static constexpr qint64 maxLineBytes = 64 * 1024;

    explicit TcpServer(QObject* parent = nullptr);

    bool start(const QString& host, quint16 port);
    bool isConnected() const;
    // One complete line with its line end; empty when none is complete yet.
    QString readLine();
    qint64 write(const char* data);
    void close();

signals:
    void readyRead();
    void serverStarted();
    void socketError(QAbstractSocket::SocketError socketError);
    // The peer sent more than maxLineBytes without a line end; the connection is closed.
    void lineTooLong();

private slots:
    void onAcceptError(QAbstractSocket::SocketError socketError);
    void onNewConnection();
    void onReadyRead();
    void onSocketConnected();
    void onSocketDisconnected();
    void onSocketError(QAbstractSocket::SocketError socketError);

private:
    bool trusts(QTcpSocket* socket);
    void adopt(QTcpSocket* socket);

    QTcpServer* m_server = nullptr;
    QPointer<QTcpSocket> m_connection;
    bool m_failed = false;
    bool m_accepted = false;
};
