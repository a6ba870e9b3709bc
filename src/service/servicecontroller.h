#pragma once

#include <QAbstractSocket>
#include <QObject>
#include <QStringList>

class QTimer;
class QWebSocket;

// The one link to the privileged service: a WebSocket to 127.0.0.1:6457 that reopens itself
// every 3000 ms and holds commands back while it is down.
class ServiceController : public QObject
{
    Q_OBJECT

public:
    explicit ServiceController(bool autoConnect, QObject* parent = nullptr);
    ~ServiceController() override;

    static ServiceController* instance();

    void send(const QString& message);
    void sendInitConnection();
    void forceQuit();

    bool isConnected() const { return m_connected; }
    QStringList bufferedMessages() const { return m_buffer; }

    // For the log only: start commands lose their paths.
    static QString logText(const QString& message);

signals:
    void connected();
    void disconnected();
    void initialConnectionStatusChanged();
    void processOutput(const QString& message);

private slots:
    void abortConnection();
    void checkConnectionTimer();
    void initialize();
    void onConnected();
    void onTextMessageReceived(const QString& message);
    void onWebSocketError(QAbstractSocket::SocketError error);
    void sendInitialConnectionStatus();

private:
    bool timerActive() const;
    void reportInitialStatus();
    void write(const QString& message);
    void open();
    void onLinkLost();

    const int m_port = 6457;
    const int m_interval = 3000;
    QStringList m_buffer;
    QTimer* m_checkTimer = nullptr;
    QWebSocket* m_socket = nullptr;
    bool m_initialStatusReported = false;
    bool m_initSent = false;
    bool m_connected = false;
};
