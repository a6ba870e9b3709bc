#include "fakeservice.h"

#include "service/servicecontroller.h"

#include <QElapsedTimer>
#include <QFileInfo>
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
            if (m_runsPrograms)
                runCommand(frame);
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

QStringList FakeService::quotedArguments(const QString& command)
{
    static const QRegularExpression quoted(QStringLiteral("\"([^\"]*)\""));
    QStringList arguments;
    auto matches = quoted.globalMatch(command);
    while (matches.hasNext())
        arguments << matches.next().captured(1);
    return arguments;
}

void FakeService::runCommand(const QString& frame)
{
    static const QRegularExpression kill(QStringLiteral("^start: <kill (.+)>$"));
    static const QRegularExpression stop(QStringLiteral("^stop: <(.+)>$"));
    if (const auto match = kill.match(frame); match.hasMatch())
        signalPrograms(match.captured(1), true);
    else if (const auto match = stop.match(frame); match.hasMatch())
        signalPrograms(match.captured(1), false);
    else if (frame.startsWith(QLatin1String("start: ")))
        startProgram(quotedArguments(frame));
}

void FakeService::startProgram(const QStringList& programAndArguments)
{
    if (programAndArguments.isEmpty())
        return;
    QString name = QFileInfo(programAndArguments.first()).fileName();
    if (name.endsWith(QLatin1String(".exe")))
        name.chop(4);
    auto* program = new QProcess(this);
    program->setObjectName(name);
    program->setProcessChannelMode(QProcess::ForwardedChannels);
    m_programs << program;
    // The run's id is its process id, which Qt forgets once the process has ended.
    connect(program, &QProcess::started, this, [this, program, name] {
        program->setProperty("runId", program->processId());
        reportStart(name, program->processId());
    });
    connect(program, &QProcess::errorOccurred, this,
            [this, program, name](QProcess::ProcessError error) {
                if (error != QProcess::FailedToStart)
                    return;
                notify(QStringLiteral("started:0,2,%1").arg(name));
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

void FakeService::reportStart(const QString& name, qint64 id)
{
    notify(QStringLiteral("started:%1,0,%2").arg(id).arg(name));
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

int FakeService::runningPrograms(const QString& name) const
{
    int count = 0;
    for (QProcess* program : m_programs)
        count += program->objectName() == name && program->state() == QProcess::Running;
    return count;
}
