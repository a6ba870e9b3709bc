#pragma once

#include <QAbstractSocket>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

class QTimer;
class QWebSocket;
class ServiceProcess;

// The one link to the privileged service: a WebSocket to 127.0.0.1:6457 that reopens itself
// every 3000 ms and holds commands back while it is down. Only a service whose socket belongs to
// the system or to our own user hears anything from us.
class ServiceController : public QObject
{
    Q_OBJECT

public:
    static constexpr int maxHeldCommands = 256;
    static constexpr qint64 maxFrameBytes = 1024 * 1024;

    explicit ServiceController(bool autoConnect, QObject* parent = nullptr);
    ~ServiceController() override;

    static ServiceController* instance();

    void send(const QString& message);
    // A start command of owner: when it has to be given up unsent, the owner hears of it.
    void send(const QString& message, ServiceProcess* owner);
    void sendInitConnection();
    // Hands what was written to the system at once, for the last words before quitting.
    void flush();
    void forceQuit();

    bool isConnected() const { return m_connected; }
    // The last service reached was refused for whom its socket belongs to.
    bool isServiceRefused() const { return m_serviceRefused; }
    QStringList bufferedMessages() const;
    // Whether the given start request of the current link was sent for process.
    bool isRequestOf(quint64 request, const ServiceProcess* process) const;

    // For the log only: start commands lose their paths.
    static QString logText(const QString& message);

signals:
    void connected();
    void disconnected();
    void initialConnectionStatusChanged();
    void processOutput(const QString& message);
    void serviceRefused();

private slots:
    void abortConnection();
    void checkConnectionTimer();
    void initialize();
    void onConnected();
    void onTextMessageReceived(const QString& message);
    void onWebSocketError(QAbstractSocket::SocketError error);
    void sendInitialConnectionStatus();

private:
    struct HeldCommand
    {
        QString message;
        QPointer<ServiceProcess> owner;
        bool owned = false;
    };

    bool timerActive() const;
    void reportInitialStatus();
    void write(const QString& message, ServiceProcess* owner = nullptr);
    void open();
    void onLinkLost();
    bool trustsService();
    void refuseService(const QString& owner);
    void hold(const HeldCommand& command);
    void drainHeld();

    const int m_port = 6457;
    const int m_interval = 3000;
    QList<HeldCommand> m_buffer;
    // Start requests written on the current link, by number, and whom they were sent for.
    QHash<quint64, QPointer<ServiceProcess>> m_requestOwners;
    quint64 m_requestsOnLink = 0;
    QTimer* m_checkTimer = nullptr;
    QWebSocket* m_socket = nullptr;
    bool m_initialStatusReported = false;
    bool m_initSent = false;
    bool m_connected = false;
    bool m_serviceRefused = false;
};
