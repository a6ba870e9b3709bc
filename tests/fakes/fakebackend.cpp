#include "fakebackend.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

FakeBackend::FakeBackend(QObject* parent) : QObject(parent)
{
    m_server = new QTcpServer(this);
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QObject::destroyed, this,
                    [this, socket] { m_pending.remove(socket); });
        }
    });
}

bool FakeBackend::listen()
{
    return m_server->listen(QHostAddress::LocalHost);
}

QString FakeBackend::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server->serverPort());
}

void FakeBackend::setAccount(const QString& username, const QString& password,
                             const QByteArray& json)
{
    m_authorization =
        "Basic " + QStringLiteral("%1:%2").arg(username, password).toUtf8().toBase64();
    m_account = json;
}

void FakeBackend::setGeneratedFeed(qint64 bytes, bool announceLength)
{
    m_generatedFeedBytes = bytes;
    m_announceGeneratedLength = announceLength;
}

void FakeBackend::streamGeneratedFeed(QTcpSocket* socket)
{
    const qint64 total = m_generatedFeedBytes;
    const QByteArray chunk = QByteArray(64 * 1024 - 1, ' ') + '\n';
    const QByteArray length =
        m_announceGeneratedLength ? "Content-Length: " + QByteArray::number(total) + "\r\n" : "";
    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\n" + length +
                  "Connection: close\r\n\r\n<serverList>");
    auto sent = std::make_shared<qint64>(12);
    // A little at a time: what waits in the socket stays below a few chunks.
    const auto more = [socket, total, chunk, sent] {
        while (*sent < total && socket->bytesToWrite() < 4 * chunk.size()) {
            const QByteArray piece = chunk.left(int(qMin<qint64>(chunk.size(), total - *sent)));
            socket->write(piece);
            *sent += piece.size();
        }
        if (*sent >= total && socket->bytesToWrite() == 0)
            socket->disconnectFromHost();
    };
    connect(socket, &QTcpSocket::bytesWritten, socket, more);
    more();
}

void FakeBackend::setBehaviour(Behaviour behaviour, int httpStatus)
{
    m_behaviour = behaviour;
    m_httpStatus = httpStatus;
}

void FakeBackend::onReadyRead(QTcpSocket* socket)
{
    QByteArray& buffer = m_pending[socket];
    buffer += socket->readAll();
    const int end = buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    const QList<QByteArray> lines = buffer.left(end).split('\n');
    buffer.remove(0, end + 4);
    Request request;
    request.path = QString::fromUtf8(lines.value(0).split(' ').value(1));
    for (const QByteArray& line : lines.mid(1)) {
        const int colon = line.indexOf(':');
        if (colon > 0)
            request.headers.insert(line.left(colon).trimmed().toLower(),
                                   line.mid(colon + 1).trimmed());
    }
    m_requests << request;
    switch (m_behaviour) {
    case Behaviour::Late:
        return; // the client's own time-out has to end it
    case Behaviour::Close:
        socket->abort();
        return;
    case Behaviour::HttpError:
        reply(socket, m_httpStatus, "text/plain", "failure");
        return;
    case Behaviour::Answer:
        answer(socket, request);
        return;
    }
}

void FakeBackend::answer(QTcpSocket* socket, const Request& request)
{
    const bool wantsJson = request.headers.value("accept") == "application/json";
    if (request.path == QLatin1String("/feeds/serverinfo.xml")) {
        if (m_generatedFeedBytes > 0)
            streamGeneratedFeed(socket);
        else
            reply(socket, 200, "text/xml", m_feed);
    } else if (request.path == QLatin1String("/v3/geoip")) {
        wantsJson ? reply(socket, 200, "application/json", m_geoIp)
                  : reply(socket, 406, "text/plain", "json only");
    } else if (request.path.startsWith(QLatin1String("/v3_1/private/accounts"))) {
        if (!wantsJson)
            reply(socket, 406, "text/plain", "json only");
        else if (request.headers.value("authorization") != m_authorization)
            reply(socket, 401, "text/plain", "unauthorized");
        else
            reply(socket, 200, "application/json", m_account);
    } else {
        reply(socket, 404, "text/plain", "not found");
    }
}

void FakeBackend::reply(QTcpSocket* socket, int status, const QByteArray& type,
                        const QByteArray& body)
{
    socket->write("HTTP/1.1 " + QByteArray::number(status) + " Status\r\nContent-Type: " + type +
                  "\r\nContent-Length: " + QByteArray::number(body.size()) +
                  "\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
}
