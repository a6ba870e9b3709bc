#include "servicecontroller.h"

#include "app/logger.h"
#include "platform/platform.h"
#include "service/localpeertrust.h"
#include "service/serviceprocess.h"
#include "utils/utils.h"

#include <QTimer>
#include <QUrl>
#include <QWebSocket>

namespace {

ServiceController* currentController = nullptr;

const char initConnection[] = "init: connection";
// Answers come in order; a service that never answers must not grow the table without end.
const quint64 maxOpenRequests = 1024;

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
    // A larger frame closes the link, which then counts as lost.
    m_socket->setMaxAllowedIncomingFrameSize(quint64(maxFrameBytes));
    m_socket->setMaxAllowedIncomingMessageSize(quint64(maxFrameBytes));
    connect(m_socket, &QWebSocket::connected, this, &ServiceController::onConnected);
    connect(m_socket, SIGNAL(error(QAbstractSocket::SocketError)), this,
            SLOT(onWebSocketError(QAbstractSocket::SocketError)));
    QTimer::singleShot(m_interval, this, &ServiceController::sendInitialConnectionStatus);
    connect(m_socket, &QWebSocket::disconnected, this, &ServiceController::onLinkLost);
    open();
}

void ServiceController::open()
{
    // A listener of another user is refused before a byte of its handshake is read.
    const QString owner = Platform::loopbackListenerOwner(quint16(m_port));
    if (!owner.isEmpty() &&
        LocalPeerTrust::decide(owner, Platform::currentAccount(), Platform::systemAccount()) ==
            LocalPeerTrust::Refuse) {
        refuseService(owner);
        return;
    }
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
    if (!trustsService())
        return;
    Logger::info(objectName(), QStringLiteral("Connected to vpn-service"));
    m_serviceRefused = false;
    m_connected = true;
    // Each link numbers its start requests from 1.
    m_requestOwners.clear();
    m_requestsOnLink = 0;
    // The socket is reused for every reconnection; one attachment serves them all.
    connect(m_socket, &QWebSocket::textMessageReceived, this,
            &ServiceController::onTextMessageReceived, Qt::UniqueConnection);
    if (!m_initSent) {
        write(QString::fromLatin1(initConnection));
        m_initSent = true;
    }
    drainHeld();
    reportInitialStatus();
    emit connected();
}

bool ServiceController::trustsService()
{
    QString owner;
    if (LocalPeerTrust::checkPeer(m_socket->localAddress(), m_socket->localPort(),
                                  m_socket->peerAddress(), m_socket->peerPort(),
                                  &owner) == LocalPeerTrust::Accept)
        return true;
    refuseService(owner);
    return false;
}

void ServiceController::refuseService(const QString& owner)
{
    Logger::warning(objectName(), QStringLiteral("Refused vpn-service: its socket belongs to %1")
                                      .arg(LocalPeerTrust::ownerText(owner)));
    m_serviceRefused = true;
    // Only the handshake went out, which carries nothing of ours; the timer tries again.
    m_socket->abort();
    emit serviceRefused();
    reportInitialStatus();
}

void ServiceController::drainHeld()
{
    while (!m_buffer.isEmpty()) {
        const HeldCommand command = m_buffer.takeFirst();
        if (command.owned && !command.owner) {
            Logger::warning(objectName(), QStringLiteral("Dropped held command of a removed "
                                                         "process: ") +
                                              logText(command.message));
            continue;
        }
        Logger::info(objectName(),
                     QStringLiteral("Save data in buffer: ") + logText(command.message));
        write(command.message, command.owner);
    }
}

void ServiceController::send(const QString& message)
{
    send(message, nullptr);
}

void ServiceController::send(const QString& message, ServiceProcess* owner)
{
    if (!m_socket)
        return;
    if (message.isEmpty()) {
        Logger::info(objectName(), QStringLiteral("Invalid command"));
        return;
    }
    if (m_connected && m_socket->isValid()) {
        write(message, owner);
        return;
    }
    hold(HeldCommand{message, owner, owner != nullptr});
}

void ServiceController::hold(const HeldCommand& command)
{
    m_buffer.append(command);
    Logger::warning(
        objectName(),
        QStringLiteral("Socket status: '%1', last error: '%2', data will be buffered: %3")
            .arg(Utils::boolText(m_socket->isValid()), m_socket->errorString(),
                 logText(command.message)));
    // An owner that hears of its dropped command may send again: the loop checks anew.
    while (m_buffer.size() > maxHeldCommands) {
        const HeldCommand dropped = m_buffer.takeFirst();
        Logger::warning(objectName(), QStringLiteral("Too many held commands, dropped: ") +
                                          logText(dropped.message));
        if (dropped.owner)
            dropped.owner->abandonStart();
    }
}

QStringList ServiceController::bufferedMessages() const
{
    QStringList messages;
    for (const HeldCommand& command : m_buffer)
        messages << command.message;
    return messages;
}

void ServiceController::sendInitConnection()
{
    if (!m_socket)
        return;
    write(QString::fromLatin1(initConnection));
    // Sent while the client shuts down: no event loop would write it out later.
    flush();
}

void ServiceController::flush()
{
    if (m_socket)
        m_socket->flush();
}

QString ServiceController::logText(const QString& message)
{
    return message.startsWith(QLatin1String("start")) ? Utils::shortenCommandLine(message)
                                                      : message;
}

bool ServiceController::isRequestOf(quint64 request, const ServiceProcess* process) const
{
    const auto it = m_requestOwners.constFind(request);
    return it != m_requestOwners.cend() && it->data() == process && process != nullptr;
}

void ServiceController::write(const QString& message, ServiceProcess* owner)
{
    if (ServiceProcess::isStartRequest(message)) {
        m_requestOwners.insert(++m_requestsOnLink, owner);
        if (m_requestsOnLink > maxOpenRequests)
            m_requestOwners.remove(m_requestsOnLink - maxOpenRequests);
    }
    Logger::info(objectName(),
                 QStringLiteral("Send data: [") + logText(message) + QLatin1Char(']'));
    m_socket->sendTextMessage(message);
    // Out now, not after whatever this thread draws next: a start waits for it.
    m_socket->flush();
}

void ServiceController::onTextMessageReceived(const QString& message)
{
    // Nothing counts that did not come over an accepted link.
    if (!m_connected)
        return;
    const QString notification = message.left(message.size() - 1);
    Logger::info(objectName(),
                 QStringLiteral("Received data: [") + notification.simplified() + QLatin1Char(']'));
    if (notification.isEmpty())
        return;
    emit processOutput(notification);
    const ServiceProcess::Notification parsed = ServiceProcess::parseNotification(notification);
    if (parsed.kind == ServiceProcess::Notification::Started)
        m_requestOwners.remove(parsed.request);
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
