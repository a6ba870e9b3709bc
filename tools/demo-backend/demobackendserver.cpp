#include "demobackendserver.h"

#include "backendrenderer.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cstdio>

namespace {

const int maxConnections = 64;
const int maxRequestsPerConnection = 100;
// An idle or slow caller does not hold a connection slot for long.
const int idleTimeoutMs = 15000;
// A caller that sends and never reads must not make the answers pile up here.
const qint64 maxUnsentBytes = 4 * 1024 * 1024;

const char* routeName(HttpRequestParser::Route route)
{
    switch (route) {
    case HttpRequestParser::Route::Feed:
        return "feed";
    case HttpRequestParser::Route::GeoIp:
        return "geoip";
    case HttpRequestParser::Route::Account:
        return "account";
    case HttpRequestParser::Route::None:
        break;
    }
    return "-";
}

} // namespace

DemoBackendServer::DemoBackendServer(const LabCatalogue& catalogue, const QString& defaultCountry,
                                     QObject* parent)
    : QObject(parent), m_catalogue(catalogue), m_defaultCountry(defaultCountry),
      m_feed(BackendRenderer::feed(catalogue.servers))
{
    m_server = new QTcpServer(this);
    m_server->setMaxPendingConnections(maxConnections);
    connect(m_server, &QTcpServer::newConnection, this, &DemoBackendServer::accept);
}

bool DemoBackendServer::listen(const QHostAddress& address, quint16 port)
{
    return m_server->listen(address, port);
}

QString DemoBackendServer::errorString() const
{
    return m_server->errorString();
}

quint16 DemoBackendServer::port() const
{
    return m_server->serverPort();
}

void DemoBackendServer::accept()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        if (m_connections.size() >= maxConnections) {
            socket->write(BackendRenderer::response(503, "text/plain", "busy\n", false));
            socket->disconnectFromHost();
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            continue;
        }
        socket->setReadBufferSize(HttpRequestParser::maxHeadBytes + 1);
        m_connections.insert(socket, Connection());
        auto* idle = new QTimer(socket);
        idle->setSingleShot(true);
        idle->start(idleTimeoutMs);
        connect(idle, &QTimer::timeout, socket, &QTcpSocket::abort);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, idle] {
            idle->start(idleTimeoutMs);
            onReadyRead(socket);
        });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QObject::destroyed, this,
                [this, socket] { m_connections.remove(socket); });
    }
}

void DemoBackendServer::onReadyRead(QTcpSocket* socket)
{
    Connection& connection = m_connections[socket];
    while (socket->state() == QAbstractSocket::ConnectedState &&
           socket->bytesToWrite() < maxUnsentBytes) {
        // Never more than one head's worth waits here; the rest stays with the socket.
        connection.buffer +=
            socket->read(HttpRequestParser::maxHeadBytes + 1 - connection.buffer.size());
        const HttpRequestParser::Result request = HttpRequestParser::parse(connection.buffer);
        if (request.status == 0)
            return;
        connection.buffer.remove(0, request.consumed);
        if (!serveOne(socket, request)) {
            connection.buffer.clear();
            socket->disconnectFromHost();
            return;
        }
    }
}

bool DemoBackendServer::serveOne(QTcpSocket* socket, const HttpRequestParser::Result& request)
{
    Connection& connection = m_connections[socket];
    ++connection.served;
    const bool keepAlive =
        request.status == 200 && request.keepAlive && connection.served < maxRequestsPerConnection;
    log(socket, request, answer(socket, request, keepAlive));
    return keepAlive;
}

int DemoBackendServer::answer(QTcpSocket* socket, const HttpRequestParser::Result& request,
                              bool keepAlive)
{
    using Route = HttpRequestParser::Route;
    int status = request.status;
    if (request.route == Route::Account && !authorised(request))
        status = 401;
    if (status != 200) {
        const QByteArray text = BackendRenderer::reasonPhrase(status) + '\n';
        socket->write(BackendRenderer::response(status, "text/plain", text, keepAlive));
        return status;
    }
    if (request.route == Route::Feed) {
        socket->write(BackendRenderer::response(200, "text/xml", m_feed, keepAlive));
    } else if (request.route == Route::GeoIp) {
        const QString ip = peerAddress(socket);
        const QByteArray body =
            BackendRenderer::geoIp(ip, m_catalogue.countryOf(ip, m_defaultCountry));
        socket->write(BackendRenderer::response(200, "application/json", body, keepAlive));
    } else {
        const QByteArray body = BackendRenderer::account(m_catalogue.account);
        socket->write(BackendRenderer::response(200, "application/json", body, keepAlive));
    }
    return status;
}

bool DemoBackendServer::authorised(const HttpRequestParser::Result& request) const
{
    const LabCatalogue::Account& account = m_catalogue.account;
    const QByteArray expected =
        "Basic " + QStringLiteral("%1:%2").arg(account.user, account.password).toUtf8().toBase64();
    return !account.user.isEmpty() && request.user == account.user &&
           request.authorization == expected;
}

QString DemoBackendServer::peerAddress(const QTcpSocket* socket)
{
    // A listener on "any" sees IPv4 callers as mapped IPv6 addresses.
    bool isIpv4 = false;
    const quint32 ipv4 = socket->peerAddress().toIPv4Address(&isIpv4);
    return isIpv4 ? QHostAddress(ipv4).toString() : socket->peerAddress().toString();
}

void DemoBackendServer::log(const QTcpSocket* socket, const HttpRequestParser::Result& request,
                            int status)
{
    // The user name is left out: the lab log is shared.
    std::fprintf(stderr, "demo-backend: %s %s %d\n", qPrintable(peerAddress(socket)),
                 routeName(request.route), status);
}
