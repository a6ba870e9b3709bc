#pragma once

#include "httprequestparser.h"
#include "labcatalogue.h"

#include <QHash>
#include <QHostAddress>
#include <QObject>

class QTcpServer;
class QTcpSocket;

// Serves the lab catalogue's documents to every caller, one line per request on stderr.
class DemoBackendServer : public QObject
{
    Q_OBJECT

public:
    DemoBackendServer(const LabCatalogue& catalogue, const QString& defaultCountry,
                      QObject* parent = nullptr);

    bool listen(const QHostAddress& address, quint16 port);
    QString errorString() const;
    quint16 port() const;

private:
    struct Connection
    {
        QByteArray buffer;
        int served = 0;
    };

    void accept();
    void onReadyRead(QTcpSocket* socket);
    // False once the connection is to be closed.
    bool serveOne(QTcpSocket* socket, const HttpRequestParser::Result& request);
    int answer(QTcpSocket* socket, const HttpRequestParser::Result& request, bool keepAlive);
    bool authorised(const HttpRequestParser::Result& request) const;
    static QString peerAddress(const QTcpSocket* socket);
    static void log(const QTcpSocket* socket, const HttpRequestParser::Result& request, int status);

    QTcpServer* m_server = nullptr;
    LabCatalogue m_catalogue;
    QString m_defaultCountry;
    QByteArray m_feed;
    QHash<QTcpSocket*, Connection> m_connections;
};
