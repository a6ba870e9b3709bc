#include "fakeservice.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QWebSocket>
#include <QWebSocketServer>

namespace {

bool waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QTest::qWait(10);
    }
    return true;
}

} // namespace

FakeService::FakeService(QObject* parent) : QObject(parent) {}

FakeService::~FakeService()
{
    refuse();
}

bool FakeService::listen()
{
    refuse();
    m_server = new QWebSocketServer(QStringLiteral("fake vpn-service"),
                                    QWebSocketServer::NonSecureMode, this);
    connect(m_server, &QWebSocketServer::newConnection, this, &FakeService::acceptLink);
    return m_server->listen(QHostAddress::LocalHost, port);
}

bool FakeService::listenSilently()
{
    refuse();
    m_silentServer = new QTcpServer(this);
    connect(m_silentServer, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_silentServer->nextPendingConnection())
            m_stalled << socket;
    });
    return m_silentServer->listen(QHostAddress::LocalHost, port);
}

void FakeService::refuse()
{
    dropLinks();
    for (QTcpSocket* socket : qAsConst(m_stalled))
        socket->abort();
    qDeleteAll(m_stalled);
    m_stalled.clear();
    delete m_server;
    m_server = nullptr;
    delete m_silentServer;
    m_silentServer = nullptr;
}

void FakeService::dropLinks()
{
    const QList<QWebSocket*> links = m_links;
    m_links.clear();
    for (QWebSocket* link : links) {
        link->disconnect(this);
        link->abort();
        link->deleteLater();
    }
}

void FakeService::acceptLink()
{
    while (QWebSocket* link = m_server->nextPendingConnection()) {
        link->setParent(this);
        m_links << link;
        ++m_acceptedLinks;
        connect(link, &QWebSocket::textMessageReceived, this, [this](const QString& frame) {
            m_frames << frame;
            emit frameReceived(frame);
        });
        connect(link, &QWebSocket::disconnected, this, [this, link] {
            m_links.removeAll(link);
            link->deleteLater();
        });
        emit linkAccepted();
    }
}

void FakeService::notify(const QString& notification, QChar terminator)
{
    sendFrame(notification + terminator);
}

void FakeService::sendFrame(const QString& frame)
{
    for (QWebSocket* link : qAsConst(m_links))
        link->sendTextMessage(frame);
}

bool FakeService::waitForFrames(int count, int timeoutMs) const
{
    return waitUntil([this, count] { return m_frames.size() >= count; }, timeoutMs);
}

bool FakeService::waitForLink(int timeoutMs) const
{
    return waitUntil([this] { return !m_links.isEmpty(); }, timeoutMs);
}
