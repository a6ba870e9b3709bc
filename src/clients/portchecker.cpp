#include "portchecker.h"

#include "app/logger.h"
#include "clients/tcpconnection.h"

#include <QStringList>
#include <QTimer>

PortChecker::PortChecker(const QString& host, const QList<quint16>& ports, int timeoutSeconds)
    : m_timeoutSeconds(timeoutSeconds)
{
    setObjectName(QStringLiteral("PortChecker"));
    QStringList texts;
    for (quint16 port : ports) {
        auto* connection = new TcpConnection(host, port);
        connect(connection, &TcpConnection::portIsAvailable, this, &PortChecker::onPortIsAvailable);
        m_connections << connection;
        texts << QString::number(port);
    }
    m_portListText = texts.join(QStringLiteral(", "));
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &PortChecker::onTimeout);
}

PortChecker::~PortChecker()
{
    deleteConnections();
}

void PortChecker::check(bool stopAfterFirst)
{
    m_stopAfterFirst = stopAfterFirst;
    m_found = false;
    Logger::info(objectName(), QStringLiteral("Checking: %1").arg(m_portListText));
    for (TcpConnection* connection : qAsConst(m_connections))
        connection->connectToHost();
    m_timer->start(m_timeoutSeconds * 1000);
}

void PortChecker::onPortIsAvailable(quint16 port)
{
    if (m_stopAfterFirst && m_found)
        return;
    Logger::info(objectName(), QStringLiteral("Port '%1' is available").arg(port));
    emit portIsAvailable(port);
    m_timer->stop();
    m_found = true;
    if (m_stopAfterFirst)
        deleteConnections();
}

void PortChecker::onTimeout()
{
    if (m_found)
        return;
    Logger::info(objectName(), QStringLiteral("Timeout"));
    emit timeout();
}

void PortChecker::deleteConnections()
{
    // The connection whose signal is being handled is deleted once it has returned; the others
    // are aborted at once.
    QObject* reporting = sender();
    for (TcpConnection* connection : qAsConst(m_connections)) {
        if (connection == reporting) {
            connection->disconnect(this);
            connection->deleteLater();
        } else {
            delete connection;
        }
    }
    m_connections.clear();
}
