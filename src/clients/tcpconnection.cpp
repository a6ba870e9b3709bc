#include "tcpconnection.h"

#include <QTcpSocket>

TcpConnection::TcpConnection(const QString& host, quint16 port) : m_host(host), m_port(port)
{
    setObjectName(QStringLiteral("TcpConnection"));
    m_socket = new QTcpSocket(this);
    connect(m_socket, &QTcpSocket::connected, this, &TcpConnection::onConnected);
}

TcpConnection::~TcpConnection()
{
    m_socket->abort();
}

void TcpConnection::connectToHost()
{
    m_socket->connectToHost(m_host, m_port, QIODevice::ReadWrite, QAbstractSocket::IPv4Protocol);
}

void TcpConnection::onConnected()
{
    emit portIsAvailable(m_socket->peerPort());
}
