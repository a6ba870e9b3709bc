#pragma once

#include "machineownership.h"
#include "serviceconfig.h"

#include <QAbstractSocket>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QProcessEnvironment>
#include <QStringList>

#include <memory>

#include <sys/types.h>

class QTcpServer;
class QTcpSocket;
class QTimer;
class QWebSocket;
class QWebSocketServer;
class QWebSocketCorsAuthenticator;
class RunTable;
class StateFolder;

// The privileged end of the service channel on 127.0.0.1:6457: checks who is talking before the
// handshake, reads their commands, starts only the configured tools with the client's exact
// command lines, and reports each run on the link that asked for it, or on that user's next link
// when it dropped. The machine's protection belongs to one user at a time.
class VpnService : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 port = 6457;
    static constexpr quint64 maxFrameBytes = 64 * 1024;
    static constexpr int maxHeldNotifications = 256;
    static constexpr int handshakeTimeoutMs = 5000;
    static constexpr int refusedCode = 126;
    // Another user holds the machine-wide state that the request would change.
    static constexpr int heldCode = 16;
    static constexpr qint64 maxUnsentBytes = 1024 * 1024;

    explicit VpnService(const ServiceConfig& config, QObject* parent = nullptr);
    ~VpnService() override;

    bool listen(QString* problem);
    void shutdown();

private:
    struct Link
    {
        quint64 serial = 0;
        uid_t uid = 0;
        // The number of the link's latest start request, which its "started:" answer carries.
        quint64 lastRequest = 0;
    };
    // A connection whose peer was accepted before its WebSocket handshake.
    struct Handshake
    {
        uid_t uid = 0;
        QString peer;
    };

    // 127.0.0.1:port with the system's longest queue of pending connections; -1 with errno.
    static int listeningSocket();
    void onConnection();
    void onAcceptError(QAbstractSocket::SocketError error);
    void onHandshakeDone();
    void onOriginCheck(QWebSocketCorsAuthenticator* authenticator);
    QString connectionRefusal(QTcpSocket* socket, uid_t* uid) const;
    QString linkRefusal(QWebSocket* socket, uid_t uid) const;
    int handshakesOf(uid_t uid) const;
    int linksOf(uid_t uid) const;
    void accept(QWebSocket* socket, uid_t uid);
    void onFrame(QWebSocket* socket, const QString& frame);
    void onStart(const Link& link, const QStringList& elements, const QString& name);
    QString startProblem(const Link& link, const QStringList& elements, QString* name,
                         QString* program) const;
    // What a tunnel run gets besides its checks: rewritten arguments, the descriptor its output
    // is appended to, one it inherits, and the private folder removed when it ends.
    struct Prepared
    {
        QStringList arguments;
        int logFd = -1;
        int passFd = -1;
        QString privateDir;
    };
    bool prepareOpenVpn(const Link& link, Prepared* prepared, QString* problem) const;
    bool prepareWireGuard(const Link& link, Prepared* prepared, QString* problem) const;
    static bool writePrivateFile(const QString& path, const QByteArray& text, QString* problem);
    static void discard(const Prepared& prepared);
    static QString listenerProblem(uid_t uid, const QString& tool, const QStringList& arguments);
    void send(QWebSocket* socket, const QString& text);
    void refuseStart(const Link& link, const QString& name, const QString& problem,
                     int code = refusedCode);
    void deliver(uid_t uid, quint64 link, const QString& text);
    void onRunEnded(const QString& name, uid_t uid, int code, const QStringList& arguments);
    // A run of the service's own for uid: no client is told of it. ownRun gives its program and
    // environment, or logs why it cannot run.
    bool ownRun(const QString& name, const QStringList& arguments, uid_t uid, QString* program,
                QProcessEnvironment* environment) const;
    void startOwnRun(const QString& name, const QStringList& arguments, uid_t uid);
    // network-tool --restore, the service's own run: the tunnel's IPv6 change ends with it.
    void restoreNetwork(uid_t uid, bool wait);
    bool prepareRunDir(QString* problem) const;

    // Ownership of the machine's protection, kept in the run folder across restarts.
    void loadOwnership();
    void saveOwnership();
    void checkOwners();
    void giveUpFor(uid_t uid);

    ServiceConfig m_config;
    QTcpServer* m_listener = nullptr;
    QWebSocketServer* m_server = nullptr;
    RunTable* m_runs = nullptr;
    QHash<QWebSocket*, Link> m_links;
    QHash<QTcpSocket*, Handshake> m_handshakes;
    QHash<uid_t, QStringList> m_held;
    quint64 m_nextSerial = 1;
    bool m_stopping = false;
    bool m_acceptErrorLogged = false;
    MachineOwnership m_ownership;
    std::unique_ptr<StateFolder> m_state;
    QTimer* m_ownerCheck = nullptr;
    QElapsedTimer m_clock;
    QHash<uid_t, qint64> m_absentSince;
};
