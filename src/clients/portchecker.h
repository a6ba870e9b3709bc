#pragma once

#include <QList>
#include <QObject>

class QTimer;
class TcpConnection;

// Races TCP connection attempts to every candidate port of a server; the first one that gets
// through is reported, or the timeout when none does.
class PortChecker : public QObject
{
    Q_OBJECT

public:
    PortChecker(const QString& host, const QList<quint16>& ports, int timeoutSeconds);
    ~PortChecker() override;

    void check(bool stopAfterFirst);
    QString portListText() const { return m_portListText; }
    int pendingConnections() const { return m_connections.size(); }

signals:
    void portIsAvailable(quint16 port);
    void timeout();

private slots:
    void onPortIsAvailable(quint16 port);
    void onTimeout();

private:
    void deleteConnections();

    QList<TcpConnection*> m_connections;
    QString m_portListText;
    QTimer* m_timer = nullptr;
    bool m_stopAfterFirst = false;
    bool m_found = false;
    int m_timeoutSeconds = 0;
};
