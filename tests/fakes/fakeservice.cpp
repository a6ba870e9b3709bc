#include "fakeservice.h"

#include "service/servicecontroller.h"
#include "service/serviceprocess.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
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
    m_controller.reset();
    refuse();
    for (QProcess* program : qAsConst(m_programs)) {
        program->disconnect(this);
        program->kill();
        program->waitForFinished(3000);
    }
    qDeleteAll(m_programs);
}

bool FakeService::listen()
{
    refuse();
    m_server = new QWebSocketServer(QStringLiteral("fake vpn-service"),
                                    QWebSocketServer::NonSecureMode, this);
    connect(m_server, &QWebSocketServer::newConnection, this, &FakeService::acceptLink);
    return m_server->listen(QHostAddress::LocalHost, port);
}

bool FakeService::listenWithController(bool runsPrograms)
{
    setRunsPrograms(runsPrograms);
    if (!listen())
        return false;
    m_controller = std::make_unique<ServiceController>(true);
    return waitForFrames(1);
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
    m_requests.clear();
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
        connect(link, &QWebSocket::textMessageReceived, this, [this, link](const QString& frame) {
            m_frames << frame;
            if (ServiceProcess::isStartRequest(frame))
                ++m_requests[link];
            emit frameReceived(frame);
            if (m_runsPrograms)
                runCommand(link, frame);
        });
        connect(link, &QWebSocket::disconnected, this, [this, link] {
            m_links.removeAll(link);
            m_requests.remove(link);
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

bool FakeService::receiveEverythingSent(int timeoutMs)
{
    ServiceController* controller = ServiceController::instance();
    if (!controller)
        return false;
    const QString marker = QStringLiteral("stop: <catch-up-%1>").arg(++m_markers);
    controller->send(marker);
    const bool seen = waitUntil([this, &marker] { return m_frames.contains(marker); }, timeoutMs);
    m_frames.removeAll(marker);
    return seen;
}

QStringList FakeService::quotedArguments(const QString& command)
{
    static const QRegularExpression quoted(QStringLiteral("\"([^\"]*)\""));
    QStringList arguments;
    auto matches = quoted.globalMatch(command);
    while (matches.hasNext())
        arguments << matches.next().captured(1);
    return arguments;
}

quint64 FakeService::lastRequest() const
{
    return m_links.isEmpty() ? 0 : m_requests.value(m_links.last());
}

void FakeService::runCommand(QWebSocket* link, const QString& frame)
{
    static const QRegularExpression kill(QStringLiteral("^start: <kill (.+)>$"));
    static const QRegularExpression stop(QStringLiteral("^stop: <(.+)>$"));
    if (const auto match = kill.match(frame); match.hasMatch())
        signalPrograms(match.captured(1), true);
    else if (const auto match = stop.match(frame); match.hasMatch())
        signalPrograms(match.captured(1), false);
    else if (frame.startsWith(QLatin1String("start: ")))
        startProgram(link, quotedArguments(frame));
}

void FakeService::startProgram(QWebSocket* asking, const QStringList& programAndArguments)
{
    const quint64 request = m_requests.value(asking);
    // A later link may be made at the same address once this one is gone.
    const QPointer<QWebSocket> link(asking);
    if (programAndArguments.isEmpty())
        return;
    QString name = QFileInfo(programAndArguments.first()).fileName();
    if (name.endsWith(QLatin1String(".exe")))
        name.chop(4);
    if (m_refusals.contains(name)) {
        notify(startedText(link, request, 0, m_refusals.value(name), name));
        return;
    }
    auto* program = new QProcess(this);
    program->setObjectName(name);
    program->setProcessChannelMode(QProcess::ForwardedChannels);
    m_programs << program;
    // The run's id is its process id, which Qt forgets once the process has ended.
    connect(program, &QProcess::started, this, [this, program, name, link, request] {
        program->setProperty("runId", program->processId());
        reportStart(link, request, name, program->processId());
    });
    connect(program, &QProcess::errorOccurred, this,
            [this, program, name, link, request](QProcess::ProcessError error) {
                if (error != QProcess::FailedToStart)
                    return;
                notify(startedText(link, request, 0, 2, name));
                m_programs.removeAll(program);
                program->deleteLater();
            });
    connect(program, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            [this, program, name](int exitCode, QProcess::ExitStatus status) {
                reportEnd(name, program->property("runId").toLongLong(),
                          status == QProcess::NormalExit ? exitCode : 1);
                m_programs.removeAll(program);
                program->deleteLater();
            });
    program->start(programAndArguments.first(), programAndArguments.mid(1));
}

QString FakeService::startedText(QWebSocket* link, quint64 request, qint64 id, int code,
                                 const QString& name) const
{
    // The request's number means something only on the link that sent it.
    if (!link || !m_links.contains(link))
        return QStringLiteral("started:%1,%2,%3").arg(id).arg(code).arg(name);
    return QStringLiteral("started:%1,%2,%3,%4").arg(id).arg(code).arg(request).arg(name);
}

void FakeService::reportStart(QWebSocket* link, quint64 request, const QString& name, qint64 id)
{
    notify(startedText(link, request, id, 0, name));
    if (m_heldEndReports.isEmpty() || name != m_holdEndOf)
        return;
    m_holdEndOf.clear();
    for (const QString& report : qAsConst(m_heldEndReports))
        notify(report);
    m_heldEndReports.clear();
}

void FakeService::reportEnd(const QString& name, qint64 id, int code)
{
    const QString report = QStringLiteral("finished:%1,%2,%3").arg(id).arg(code).arg(name);
    if (name == m_holdEndOf && m_heldEndReports.isEmpty())
        m_heldEndReports << report;
    else
        notify(report);
}

void FakeService::signalPrograms(const QString& name, bool kill)
{
    for (QProcess* program : qAsConst(m_programs)) {
        if (program->objectName() != name || program->state() == QProcess::NotRunning)
            continue;
        if (kill)
            program->kill();
        else
            program->terminate();
    }
}

void FakeService::refuseStartsOf(const QString& name, int code)
{
    if (code == 0)
        m_refusals.remove(name);
    else
        m_refusals.insert(name, code);
}

int FakeService::runningPrograms(const QString& name) const
{
    int count = 0;
    for (QProcess* program : m_programs)
        count += program->objectName() == name && program->state() == QProcess::Running;
    return count;
}
