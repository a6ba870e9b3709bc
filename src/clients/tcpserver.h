#pragma once

#include <QAbstractSocket>
#include <QObject>
#include <QPointer>

class QTcpServer;
class QTcpSocket;

// A one-peer TCP listener: the tunnel program connects back to it and the first peer is the
// only one ever accepted.
class TcpServer : public QObject
{
    Q_OBJECT

public:
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

private slots:
    void onAcceptError(QAbstractSocket::SocketError socketError);
    void onNewConnection();
    void onReadyRead();
    void onSocketConnected();
    void onSocketDisconnected();
    void onSocketError(QAbstractSocket::SocketError socketError);

private:
    QTcpServer* m_server = nullptr;
    QPointer<QTcpSocket> m_connection;
    bool m_failed = false;
};
