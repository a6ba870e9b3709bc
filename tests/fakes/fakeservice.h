#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>

#include <memory>

class QProcess;
class ServiceController;
class QTcpServer;
class QTcpSocket;
class QWebSocket;
class QWebSocketServer;

// Stands in for the privileged service on 127.0.0.1:6457: records every text frame a client
// sends and lets a test answer with notifications, drop the link, refuse or stall connections.
// It needs no rights; only when asked does it run the programs of start commands.
class FakeService : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 port = 6457;

    explicit FakeService(QObject* parent = nullptr);
    ~FakeService() override;

    bool listen();
    // Listens, makes the client's service link and waits for its "init: connection".
    bool listenWithController(bool runsPrograms = false);
    ServiceController* controller() const { return m_controller.get(); }
    // Accepts TCP connections but never answers the WebSocket handshake.
    bool listenSilently();
    // Closes every link and stops listening: new connections are refused.
    void refuse();
    // Closes every open link but keeps listening.
    void dropLinks();

    // One frame to every open link: the notification and one terminator character.
    void notify(const QString& notification, QChar terminator = QLatin1Char('\n'));
    void sendFrame(const QString& frame);

    // Runs the programs of "start:" commands, stops and kills them by name, and reports their
    // start and end as the real service does.
    void setRunsPrograms(bool runs) { m_runsPrograms = runs; }
    int runningPrograms(const QString& name) const;
    // Start commands of that name are answered "started:0,CODE,…" and run nothing, as the service
    // refuses them; code 0 ends the refusal.
    void refuseStartsOf(const QString& name, int code);
    // The next end report of a program of that name waits until the following run of that name
    // has reported its start, as a slow service would send them.
    void holdNextEndReport(const QString& name) { m_holdEndOf = name; }
    static QStringList quotedArguments(const QString& command);

    QStringList frames() const { return m_frames; }
    void clearFrames() { m_frames.clear(); }
    bool waitForFrames(int count, int timeoutMs = 10000) const;
    bool waitForLink(int timeoutMs = 10000) const;
    // Every frame the client's link sent before this call has arrived: a marker sent after them
    // on the same ordered link has. The marker is not kept among the frames.
    bool receiveEverythingSent(int timeoutMs = 10000);
    int acceptedLinks() const { return m_acceptedLinks; }
    int openLinks() const { return m_links.size(); }
    // How many start requests the newest link has sent: the number its latest start's answer
    // carries.
    quint64 lastRequest() const;
    int stalledConnections() const { return m_stalled.size(); }

signals:
    void frameReceived(const QString& frame);
    void linkAccepted();

private:
    void acceptLink();
    void runCommand(QWebSocket* link, const QString& frame);
    void startProgram(QWebSocket* link, const QStringList& programAndArguments);
    void signalPrograms(const QString& name, bool kill);
    void reportStart(QWebSocket* link, quint64 request, const QString& name, qint64 id);
    void reportEnd(const QString& name, qint64 id, int code);
    QString startedText(QWebSocket* link, quint64 request, qint64 id, int code,
                        const QString& name) const;

    QWebSocketServer* m_server = nullptr;
    QTcpServer* m_silentServer = nullptr;
    QList<QWebSocket*> m_links;
    QHash<QWebSocket*, quint64> m_requests;
    QList<QTcpSocket*> m_stalled;
    QStringList m_frames;
    int m_acceptedLinks = 0;
    int m_markers = 0;
    bool m_runsPrograms = false;
    QList<QProcess*> m_programs;
    QHash<QString, int> m_refusals;
    QString m_holdEndOf;
    QStringList m_heldEndReports;
    std::unique_ptr<ServiceController> m_controller;
};
