#include "servicecontroller.h"

#include "app/logger.h"
#include "utils/utils.h"

#include <QTimer>
#include <QUrl>
#include <QWebSocket>

namespace {

ServiceController* currentController = nullptr;

const char initConnection[] = "init: connection";

} // namespace

ServiceController::ServiceController(bool autoConnect, QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("ServiceController"));
    currentController = this;
    if (!autoConnect)
        return;
    m_checkTimer = new QTimer(this);
    connect(m_checkTimer, &QTimer::timeout, this, &ServiceController::checkConnectionTimer);
    initialize();
    m_checkTimer->start(m_interval);
}

ServiceController::~ServiceController()
{
    // Later lookups must not reach a destroyed link.
    if (currentController == this)
        currentController = nullptr;
}

ServiceController* ServiceController::instance()
{
    return currentController;
}

void ServiceController::initialize()
{
    m_connected = false;
    m_socket = new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, this);
    connect(m_socket, &QWebSocket::connected, this, &ServiceController::onConnected);
    connect(m_socket, &QWebSocket::connected, this, &ServiceController::connected);
    connect(m_socket, SIGNAL(error(QAbstractSocket::SocketError)), this,
            SLOT(onWebSocketError(QAbstractSocket::SocketError)));
    QTimer::singleShot(m_interval, this, &ServiceController::sendInitialConnectionStatus);
    connect(m_socket, &QWebSocket::disconnected, this, &ServiceController::onLinkLost);
    open();
}

void ServiceController::open()
{
    m_socket->open(QUrl(QStringLiteral("ws://%1:%2").arg(QStringLiteral("127.0.0.1")).arg(m_port)));
}

bool ServiceController::timerActive() const
{
    return m_checkTimer && m_checkTimer->isActive();
}

void ServiceController::checkConnectionTimer()
{
    if (!timerActive() || m_connected)
        return;
    Logger::warning(objectName(), QStringLiteral("Reopen connection"));
    m_socket->abort();
    open();
}

void ServiceController::onConnected()
{
    Logger::info(objectName(), QStringLiteral("Connected to vpn-service"));
    m_connected = true;
    // The socket is reused for every reconnection; one attachment serves them all.
    connect(m_socket, &QWebSocket::textMessageReceived, this,
            &ServiceController::onTextMessageReceived, Qt::UniqueConnection);
    if (!m_initSent) {
        write(QString::fromLatin1(initConnection));
        m_initSent = true;
    }
    while (!m_buffer.isEmpty()) {
        const QString message = m_buffer.takeFirst();
        Logger::info(objectName(), QStringLiteral("Save data in buffer: ") + logText(message));
        write(message);
    }
    reportInitialStatus();
}

void ServiceController::send(const QString& message)
{
    if (!m_socket)
        return;
    if (message.isEmpty()) {
        Logger::info(objectName(), QStringLiteral("Invalid command"));
        return;
    }
    if (m_connected && m_socket->isValid()) {
        write(message);
        return;
    }
    m_buffer.append(message);
    Logger::warning(
        objectName(),
        QStringLiteral("Socket status: '%1', last error: '%2', data will be buffered: %3")
            .arg(Utils::boolText(m_socket->isValid()), m_socket->errorString(), logText(message)));
}

void ServiceController::sendInitConnection()
{
    if (m_socket)
        write(QString::fromLatin1(initConnection));
}

QString ServiceController::logText(const QString& message)
{
    return message.startsWith(QLatin1String("start")) ? Utils::shortenCommandLine(message)
                                                      : message;
}

void ServiceController::write(const QString& message)
{
    Logger::info(objectName(),
                 QStringLiteral("Send data: [") + logText(message) + QLatin1Char(']'));
    m_socket->sendTextMessage(message);
}

void ServiceController::onTextMessageReceived(const QString& message)
{
    const QString notification = message.left(message.size() - 1);
    Logger::info(objectName(),
                 QStringLiteral("Received data: [") + notification.simplified() + QLatin1Char(']'));
    if (!notification.isEmpty())
        emit processOutput(notification);
}

void ServiceController::onWebSocketError(QAbstractSocket::SocketError)
{
    Logger::info(objectName(), QStringLiteral("Socket error: '%1'").arg(m_socket->errorString()));
    reportInitialStatus();
}

void ServiceController::sendInitialConnectionStatus()
{
    reportInitialStatus();
}

void ServiceController::reportInitialStatus()
{
    if (!timerActive() || m_initialStatusReported)
        return;
    m_initialStatusReported = true;
    emit initialConnectionStatusChanged();
}

void ServiceController::onLinkLost()
{
    if (!m_connected)
        return;
    Logger::critical(objectName(), QStringLiteral("Connection lost"));
    abortConnection();
    emit disconnected();
}

void ServiceController::abortConnection()
{
    if (!m_connected)
        return;
    m_connected = false;
    if (m_socket && !m_socket->isValid())
        m_socket->abort();
}

void ServiceController::forceQuit()
{
    Logger::info(objectName(), QStringLiteral("Force quit"));
    if (m_socket)
        m_socket->disconnect();
    if (m_checkTimer)
        m_checkTimer->stop();
    abortConnection();
}
