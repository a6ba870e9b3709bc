#pragma once

#include <QObject>

class QTcpSocket;

// One TCP connection attempt of the port race; reports when it is established.
class TcpConnection : public QObject
{
    Q_OBJECT

public:
    TcpConnection(const QString& host, quint16 port);
    ~TcpConnection() override;

    void connectToHost();
    quint16 port() const { return m_port; }

signals:
    void portIsAvailable(quint16 port);

private slots:
    void onConnected();

private:
    QString m_host;
    QTcpSocket* m_socket = nullptr;
    quint16 m_port = 0;
};
