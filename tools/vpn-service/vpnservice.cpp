#include "vpnservice.h"

#include "argumentpolicy.h"
#include "commandparser.h"
#include "openvpnconfigcheck.h"
#include "peerpolicy.h"
#include "platform/sockettable.h"
#include "programpolicy.h"
#include "runtable.h"
#include "servicelimits.h"
#include "servicenotice.h"
#include "statefolder.h"
#include "systemfacts.h"
#include "toolenvironment.h"
#include "trustedpath.h"
#include "userfiles.h"
#include "wireguardcopy.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>
#include <QWebSocketCorsAuthenticator>
#include <QWebSocketServer>

#include <chrono>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QChar terminator = QLatin1Char('\n');
const char ownersFile[] = "owners";
const qint64 maxOwnersBytes = 4096;
// Accepting stops when descriptors run out; it resumes after this pause.
const int acceptRetryMs = 200;

using Resource = MachineOwnership::Resource;
using Effect = MachineOwnership::Effect;

bool isTunnel(const QString& name)
{
    return name == QLatin1String("openvpn") || name == QLatin1String("wireguard-service");
}

QString peerKey(const QHostAddress& address, quint16 port)
{
    return SocketTable::plainAddress(address).toString() + QLatin1Char(' ') + QString::number(port);
}

QString namesOf(const QList<Resource>& resources)
{
    QStringList names;
    for (const Resource resource : resources)
        names << MachineOwnership::nameOf(resource);
    return names.join(QStringLiteral(", "));
}

} // namespace

VpnService::VpnService(const ServiceConfig& config, QObject* parent)
    : QObject(parent), m_config(config), m_runs(new RunTable(this))
{
    connect(m_runs, &RunTable::notification, this, &VpnService::deliver);
    connect(m_runs, &RunTable::runEnded, this, &VpnService::onRunEnded);
    m_clock.start();
}

VpnService::~VpnService()
{
    delete m_runs;
}

bool VpnService::listen(QString* problem)
{
    if (!prepareRunDir(problem))
        return false;
    m_state = std::make_unique<StateFolder>(QFile::encodeName(m_config.runDir()));
    if (!m_state->open(problem))
        return false;
    loadOwnership();
    // The peer is judged on the bare connection, before a byte of its handshake is read.
    m_server =
        new QWebSocketServer(QStringLiteral("vpn-service"), QWebSocketServer::NonSecureMode, this);
    m_server->setHandshakeTimeout(std::chrono::milliseconds(handshakeTimeoutMs));
    connect(m_server, &QWebSocketServer::newConnection, this, &VpnService::onHandshakeDone);
    connect(m_server, &QWebSocketServer::originAuthenticationRequired, this,
            &VpnService::onOriginCheck);
    m_listener = new QTcpServer(this);
    connect(m_listener, &QTcpServer::newConnection, this, &VpnService::onConnection);
    connect(m_listener, &QTcpServer::acceptError, this, &VpnService::onAcceptError);
    const int listening = listeningSocket();
    if (listening < 0 || !m_listener->setSocketDescriptor(listening)) {
        if (listening >= 0)
            ::close(listening);
        *problem = QStringLiteral("cannot listen on 127.0.0.1:%1: %2")
                       .arg(port)
                       .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_ownerCheck = new QTimer(this);
    connect(m_ownerCheck, &QTimer::timeout, this, &VpnService::checkOwners);
    m_ownerCheck->start(qBound(1000, m_config.ownerGraceSeconds() * 1000 / 6, 5000));
    qInfo("Listening on 127.0.0.1:%u", port);
    return true;
}

int VpnService::listeningSocket()
{
    // Qt listens with a queue of 50: a flood would fill it, and a member's connection would wait
    // for the kernel's retries. The system's longest queue keeps room while the service sorts
    // connections out.
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int on = 1;
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, SOMAXCONN) != 0) {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

void VpnService::shutdown()
{
    qInfo("Stopping: ending the runs started by the service");
    m_stopping = true;
    if (m_listener)
        m_listener->close();
    const bool tunnels = m_runs->countOf(QStringLiteral("openvpn")) +
                             m_runs->countOf(QStringLiteral("wireguard-service")) >
                         0;
    m_runs->stopAll(3000);
    if (tunnels)
        restoreNetwork(0, true);
}

void VpnService::onRunEnded(const QString& name, uid_t uid, int code, const QStringList& arguments)
{
    bool released = false;
    const MachineOwnership::Claim claim = MachineOwnership::claimOf(name, arguments);
    if (claim.effect == Effect::Release && code == 0) {
        // The service's own restore puts IPv6 back whoever had changed it.
        const bool restore = arguments.value(0) == QLatin1String("--restore");
        released = m_ownership.release(restore ? 0 : uid, claim.resource);
    }
    if (isTunnel(name) && m_runs->countOf(uid, QStringLiteral("openvpn")) +
                                  m_runs->countOf(uid, QStringLiteral("wireguard-service")) ==
                              0)
        released = m_ownership.release(uid, Resource::Tunnel) || released;
    if (released)
        saveOwnership();
    // IPv6 is switched for the whole system: it comes back when the last tunnel is gone.
    if (m_stopping || !isTunnel(name) || m_runs->countOf(QStringLiteral("openvpn")) > 0 ||
        m_runs->countOf(QStringLiteral("wireguard-service")) > 0)
        return;
    restoreNetwork(uid, false);
}

bool VpnService::ownRun(const QString& name, const QStringList& arguments, uid_t uid,
                        QString* program, QProcessEnvironment* environment) const
{
    *program = m_config.program(name);
    QString problem = program->isEmpty() ? QStringLiteral("no program is configured for it")
                                         : TrustedPath::problem(*program);
    const ToolEnvironment::Request request{name, uid, SystemFacts::homeOf(uid), m_config.runDir()};
    *environment = ToolEnvironment::build(request, &problem);
    if (problem.isEmpty())
        return true;
    qWarning("Cannot run %s %s for uid %u: %s", qPrintable(name),
             qPrintable(arguments.join(QLatin1Char(' '))), uid, qPrintable(problem));
    return false;
}

void VpnService::startOwnRun(const QString& name, const QStringList& arguments, uid_t uid)
{
    QString program;
    QProcessEnvironment environment;
    if (ownRun(name, arguments, uid, &program, &environment))
        m_runs->start(name, program, arguments, environment, RunTable::Origin{uid, 0, 0});
}

void VpnService::restoreNetwork(uid_t uid, bool wait)
{
    const QString name = QStringLiteral("network-tool");
    const QStringList arguments{QStringLiteral("--restore")};
    if (!wait) {
        startOwnRun(name, arguments, uid);
        return;
    }
    QString program;
    QProcessEnvironment environment;
    if (!ownRun(name, arguments, uid, &program, &environment))
        return;
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QStringLiteral("/"));
    process.start(program, arguments, QIODevice::NotOpen);
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(1000);
    }
    qInfo("network-tool --restore finished with code %d", process.exitCode());
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 &&
        m_ownership.release(0, Resource::Ipv6))
        saveOwnership();
}

void VpnService::loadOwnership()
{
    QByteArray text;
    if (!m_state->read(ownersFile, maxOwnersBytes, &text))
        return;
    m_ownership = MachineOwnership::fromText(text);
    for (const uid_t uid : m_ownership.holders())
        qInfo("uid %u holds %s", uid, qPrintable(namesOf(m_ownership.heldBy(uid))));
}

void VpnService::saveOwnership()
{
    if (m_state && !m_state->write(ownersFile, m_ownership.toText()))
        qWarning("Cannot save who holds the machine's protection");
}

void VpnService::checkOwners()
{
    const qint64 now = m_clock.elapsed();
    const QList<uid_t> holders = m_ownership.holders();
    for (auto it = m_absentSince.begin(); it != m_absentSince.end();) {
        if (holders.contains(it.key()))
            ++it;
        else
            it = m_absentSince.erase(it);
    }
    for (const uid_t uid : holders) {
        if (uid == 0 || SystemFacts::hasProcessOf(uid)) {
            m_absentSince.remove(uid);
            continue;
        }
        const qint64 since = m_absentSince.value(uid, -1);
        if (since < 0) {
            m_absentSince.insert(uid, now);
        } else if (now - since >= qint64(m_config.ownerGraceSeconds()) * 1000) {
            // Another attempt only after another grace period.
            m_absentSince.insert(uid, now);
            giveUpFor(uid);
        }
    }
}

void VpnService::giveUpFor(uid_t uid)
{
    const QList<Resource> held = m_ownership.heldBy(uid);
    qWarning("uid %u holds %s but has had no process for %d s: giving it up", uid,
             qPrintable(namesOf(held)), m_config.ownerGraceSeconds());
    m_runs->stop(uid, QStringLiteral("openvpn"));
    m_runs->stop(uid, QStringLiteral("wireguard-service"));
    if (held.contains(Resource::KillSwitch))
        startOwnRun(QStringLiteral("killswitch"),
                    {QStringLiteral("disable"), QStringLiteral("all")}, uid);
    if (held.contains(Resource::Dns))
        startOwnRun(QStringLiteral("dns"), {QStringLiteral("reset")}, uid);
    if (held.contains(Resource::Ipv6))
        startOwnRun(QStringLiteral("network-tool"), {QStringLiteral("--restore")}, uid);
}

bool VpnService::prepareRunDir(QString* problem) const
{
    const QByteArray path = QFile::encodeName(m_config.runDir());
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) {
        *problem = QStringLiteral("cannot make the run folder '%1'").arg(m_config.runDir());
        return false;
    }
    struct stat info = {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != 0 ||
        (info.st_mode & 077) != 0) {
        *problem = QStringLiteral("the run folder '%1' is not a folder of root's alone")
                       .arg(m_config.runDir());
        return false;
    }
    *problem = TrustedPath::problem(m_config.runDir());
    return problem->isEmpty();
}

void VpnService::onConnection()
{
    while (QTcpSocket* socket = m_listener->nextPendingConnection()) {
        m_acceptErrorLogged = false;
        uid_t uid = 0;
        const QString refusal = connectionRefusal(socket, &uid);
        if (!refusal.isEmpty()) {
            qWarning("Refused a client from port %u: %s", socket->peerPort(), qPrintable(refusal));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        m_handshakes.insert(socket, {uid, peerKey(socket->peerAddress(), socket->peerPort())});
        connect(socket, &QObject::destroyed, this, [this, socket] { m_handshakes.remove(socket); });
        m_server->handleConnection(socket);
    }
}

void VpnService::onAcceptError(QAbstractSocket::SocketError)
{
    // Out of descriptors, most likely: the listener has paused and must not stay paused.
    if (!m_acceptErrorLogged)
        qWarning("Cannot accept a connection: %s; accepting again in %d ms",
                 qPrintable(m_listener->errorString()), acceptRetryMs);
    m_acceptErrorLogged = true;
    QTimer::singleShot(acceptRetryMs, this, [this] {
        if (!m_stopping)
            m_listener->resumeAccepting();
    });
}

void VpnService::onHandshakeDone()
{
    while (QWebSocket* socket = m_server->nextPendingConnection()) {
        const QString peer = peerKey(socket->peerAddress(), socket->peerPort());
        qint64 uid = -1;
        for (auto it = m_handshakes.begin(); it != m_handshakes.end(); ++it) {
            if (it->peer == peer) {
                uid = it->uid;
                m_handshakes.erase(it);
                break;
            }
        }
        const QString refusal = uid < 0 ? QStringLiteral("its connection was not accepted")
                                        : linkRefusal(socket, uid_t(uid));
        if (!refusal.isEmpty()) {
            qWarning("Refused a client from port %u: %s", socket->peerPort(), qPrintable(refusal));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        accept(socket, uid_t(uid));
    }
}

void VpnService::onOriginCheck(QWebSocketCorsAuthenticator* authenticator)
{
    // A browser page always sends its origin; the client sends none.
    if (authenticator->origin().isEmpty())
        return;
    qWarning("Refused a client: the request has an Origin header '%s'",
             qPrintable(authenticator->origin().left(256)));
    authenticator->setAllowed(false);
}

QString VpnService::connectionRefusal(QTcpSocket* socket, uid_t* uid) const
{
    PeerPolicy::Peer peer;
    peer.loopback = SocketTable::plainAddress(socket->peerAddress()).isLoopback();
    peer.uid = SystemFacts::peerOwner(socket->localAddress(), socket->localPort(),
                                      socket->peerAddress(), socket->peerPort());
    if (peer.uid > 0)
        peer.groups = SystemFacts::groupsOf(uid_t(peer.uid));
    *uid = uid_t(qMax<qint64>(peer.uid, 0));
    const QString refusal = PeerPolicy::refusal(peer, SystemFacts::groupId(m_config.group()));
    if (!refusal.isEmpty())
        return refusal;
    return ServiceLimits::handshakeRefusal(handshakesOf(*uid), m_handshakes.size());
}

QString VpnService::linkRefusal(QWebSocket* socket, uid_t uid) const
{
    if (!socket->origin().isEmpty())
        return QStringLiteral("the request has an Origin header");
    return ServiceLimits::linkRefusal(linksOf(uid), m_links.size());
}

int VpnService::handshakesOf(uid_t uid) const
{
    int count = 0;
    for (const Handshake& handshake : m_handshakes)
        count += handshake.uid == uid ? 1 : 0;
    return count;
}

int VpnService::linksOf(uid_t uid) const
{
    int count = 0;
    for (const Link& link : m_links)
        count += link.uid == uid ? 1 : 0;
    return count;
}

void VpnService::accept(QWebSocket* socket, uid_t uid)
{
    const Link link{m_nextSerial++, uid};
    m_links.insert(socket, link);
    socket->setMaxAllowedIncomingFrameSize(maxFrameBytes);
    socket->setMaxAllowedIncomingMessageSize(maxFrameBytes);
    qInfo("Accepted a client of uid %u (link %llu)", uid, link.serial);
    connect(socket, &QWebSocket::textMessageReceived, this,
            [this, socket](const QString& frame) { onFrame(socket, frame); });
    connect(socket, &QWebSocket::binaryMessageReceived, this, [socket] {
        qWarning("Closed a link that sent a binary frame");
        socket->abort();
    });
    connect(socket, &QWebSocket::disconnected, this, [this, socket] {
        qInfo("Link %llu closed", m_links.value(socket).serial);
        m_links.remove(socket);
        socket->deleteLater();
    });
    // What this user missed while no link was open, in the order it happened.
    for (const QString& text : m_held.take(uid))
        send(socket, text);
}

void VpnService::onFrame(QWebSocket* socket, const QString& frame)
{
    // A frame may still arrive from a link that was removed: it speaks for nobody.
    const auto found = m_links.find(socket);
    if (found == m_links.end()) {
        qWarning("Dropped a frame of a link that is no longer open");
        return;
    }
    const bool startRequest = CommandParser::isStartRequest(frame);
    if (startRequest)
        ++found->lastRequest;
    const Link link = *found;
    const CommandParser::Command command = CommandParser::parse(frame);
    switch (command.kind) {
    case CommandParser::Command::Invalid:
        // Every start request gets its one answer, so that the client's count stays in step.
        if (startRequest)
            return refuseStart(link, command.name, command.problem);
        qWarning("Refused a command of uid %u: %s", link.uid, qPrintable(command.problem));
        break;
    case CommandParser::Command::Init:
        qInfo("Client of uid %u says init", link.uid);
        break;
    case CommandParser::Command::Start:
        onStart(link, command.elements, command.name);
        break;
    case CommandParser::Command::Stop:
        m_runs->stop(link.uid, command.name);
        break;
    case CommandParser::Command::Kill:
        m_runs->kill(link.uid, command.name, link.serial);
        break;
    }
}

void VpnService::onStart(const Link& link, const QStringList& elements, const QString& requested)
{
    QString name = requested;
    QString program;
    QString problem = startProblem(link, elements, &name, &program);
    if (!problem.isEmpty())
        return refuseStart(link, name, problem);
    const ToolEnvironment::Request request{name, link.uid, SystemFacts::homeOf(link.uid),
                                           m_config.runDir()};
    const QProcessEnvironment environment = ToolEnvironment::build(request, &problem);
    if (!problem.isEmpty())
        return refuseStart(link, name, problem);
    // Machine-wide state belongs to one user at a time.
    const MachineOwnership::Claim claim = MachineOwnership::claimOf(name, elements.mid(1));
    if (!m_ownership.allows(link.uid, claim)) {
        Resource held = Resource::Tunnel;
        const qint64 holder = m_ownership.otherHolder(link.uid, &held);
        qWarning("Refused to start '%s' for uid %u: the %s is held by uid %lld", qPrintable(name),
                 link.uid, qPrintable(MachineOwnership::nameOf(held)), holder);
        return refuseStart(link, name, QStringLiteral("held by another user"), heldCode);
    }
    Prepared prepared{elements.mid(1), -1, -1, QString()};
    const bool ready = name == QLatin1String("openvpn") ? prepareOpenVpn(link, &prepared, &problem)
                       : name == QLatin1String("wireguard-service")
                           ? prepareWireGuard(link, &prepared, &problem)
                           : true;
    if (ready)
        problem = listenerProblem(link.uid, name, elements.mid(1));
    if (!ready || !problem.isEmpty()) {
        discard(prepared);
        return refuseStart(link, name, problem);
    }
    // The child inherits this one descriptor; the service's copy goes right after the fork.
    if (prepared.passFd >= 0)
        ::fcntl(prepared.passFd, F_SETFD, 0);
    m_runs->start(name, program, prepared.arguments, environment,
                  RunTable::Origin{link.uid, link.serial, link.lastRequest}, prepared.logFd,
                  prepared.privateDir);
    if (claim.effect == Effect::Engage && m_ownership.engage(link.uid, claim.resource)) {
        qInfo("uid %u holds the %s", link.uid,
              qPrintable(MachineOwnership::nameOf(claim.resource)));
        saveOwnership();
    }
    if (prepared.passFd >= 0)
        ::close(prepared.passFd);
}

void VpnService::discard(const Prepared& prepared)
{
    if (!prepared.privateDir.isEmpty())
        QDir(prepared.privateDir).removeRecursively();
    for (const int fd : {prepared.logFd, prepared.passFd}) {
        if (fd >= 0)
            ::close(fd);
    }
}

QString VpnService::startProblem(const Link& link, const QStringList& elements, QString* name,
                                 QString* program) const
{
    QString problem;
    const QString tool = ProgramPolicy::nameFor(elements.first(), m_config.installDir(), &problem);
    if (tool.isEmpty())
        return problem;
    *name = tool;
    problem = TrustedPath::problem(m_config.installDir());
    if (!problem.isEmpty())
        return QStringLiteral("installation folder: ") + problem;
    // The path only names the tool, yet a link there means someone meddled with the folder.
    problem = TrustedPath::problem(elements.first(), true);
    if (!problem.isEmpty())
        return problem;
    *program = m_config.program(tool);
    if (program->isEmpty())
        return QStringLiteral("no program is configured for it");
    problem = TrustedPath::problem(*program);
    if (!problem.isEmpty())
        return QStringLiteral("configured program: ") + problem;
    problem = ArgumentPolicy::problem(tool, elements.mid(1));
    if (!problem.isEmpty())
        return problem;
    return ServiceLimits::runRefusal(m_runs->countOf(link.uid), m_runs->count());
}

QString VpnService::listenerProblem(uid_t uid, const QString& tool, const QStringList& arguments)
{
    // The tunnel hands its management or report port whatever listens there: it must be the
    // requesting user's own listener.
    quint16 port = 0;
    if (tool == QLatin1String("openvpn"))
        port = quint16(arguments.at(4).toUInt());
    else if (tool == QLatin1String("wireguard-service") &&
             arguments.first() == QLatin1String("--add"))
        port = quint16(arguments.at(3).toUInt());
    if (port == 0)
        return QString();
    const qint64 owner = SystemFacts::listenerOwner(port);
    return owner == qint64(uid)
               ? QString()
               : QStringLiteral("127.0.0.1:%1 is not a listener of uid %2").arg(port).arg(uid);
}

bool VpnService::prepareOpenVpn(const Link& link, Prepared* prepared, QString* problem) const
{
    const qint64 gid = SystemFacts::primaryGroup(link.uid);
    if (gid < 0) {
        *problem = QStringLiteral("uid %1 has no account").arg(link.uid);
        return false;
    }
    QByteArray text;
    if (!UserFiles::read(prepared->arguments.at(1), link.uid, gid_t(gid),
                         OpenVpnConfigCheck::maxBytes, &text, problem))
        return false;
    QByteArray checked;
    *problem = OpenVpnConfigCheck::problem(text, &checked);
    if (!problem->isEmpty())
        return false;
    // OpenVPN runs from a copy only root can change, rebuilt from the checked lines alone.
    QByteArray folder = QFile::encodeName(m_config.runDir() + QStringLiteral("/openvpn-XXXXXX"));
    if (!::mkdtemp(folder.data())) {
        *problem = QStringLiteral("cannot make a private folder");
        return false;
    }
    prepared->privateDir = QFile::decodeName(folder);
    const QString copy = prepared->privateDir + QStringLiteral("/config.ovpn");
    if (!writePrivateFile(copy, checked, problem))
        return false;
    prepared->logFd = UserFiles::open(prepared->arguments.at(8), O_WRONLY | O_APPEND | O_CREAT,
                                      link.uid, gid_t(gid), problem);
    if (prepared->logFd < 0)
        return false;
    // Without --log-append OpenVPN writes to its output, which the run appends to the user's file.
    prepared->arguments = QStringList{QStringLiteral("--config"),
                                      copy,
                                      QStringLiteral("--management"),
                                      QStringLiteral("127.0.0.1"),
                                      QStringLiteral("61973"),
                                      QStringLiteral("--management-query-passwords"),
                                      QStringLiteral("--management-client")};
    return true;
}

bool VpnService::prepareWireGuard(const Link& link, Prepared* prepared, QString* problem) const
{
    const QString file = prepared->arguments.at(1);
    const QString folder = WireGuardCopy::folderFor(m_config.runDir(), link.uid, file);
    const QString copy = WireGuardCopy::pathFor(m_config.runDir(), link.uid, file);
    if (prepared->arguments.first() == QLatin1String("--remove")) {
        prepared->arguments = QStringList{QStringLiteral("--remove"), copy};
        return true;
    }
    const qint64 gid = SystemFacts::primaryGroup(link.uid);
    if (gid < 0) {
        *problem = QStringLiteral("uid %1 has no account").arg(link.uid);
        return false;
    }
    QByteArray text;
    if (!UserFiles::readOwned(file, link.uid, gid_t(gid), WireGuardCopy::maxBytes, &text, problem))
        return false;
    *problem = WireGuardCopy::problem(text);
    if (!problem->isEmpty())
        return false;
    if (m_runs->holdsFolder(folder)) {
        *problem = QStringLiteral("a tunnel of this file runs already");
        return false;
    }
    QDir(folder).removeRecursively();
    if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0) {
        *problem = QStringLiteral("cannot make a private folder");
        return false;
    }
    prepared->privateDir = folder;
    if (!writePrivateFile(copy, text, problem))
        return false;
    prepared->passFd = UserFiles::open(WireGuardCopy::userLogPath(file), O_WRONLY | O_CREAT,
                                       link.uid, gid_t(gid), problem);
    if (prepared->passFd < 0)
        return false;
    prepared->arguments =
        QStringList{QStringLiteral("--add"),    copy,
                    QStringLiteral("--port"),   QStringLiteral("61976"),
                    QStringLiteral("--log-fd"), QString::number(prepared->passFd)};
    return true;
}

bool VpnService::writePrivateFile(const QString& path, const QByteArray& text, QString* problem)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) || file.write(text) != text.size() ||
        !file.flush()) {
        *problem = QStringLiteral("cannot write the private copy");
        return false;
    }
    return true;
}

void VpnService::refuseStart(const Link& link, const QString& name, const QString& problem,
                             int code)
{
    qWarning("Refused to start '%s' for uid %u: %s", qPrintable(name), link.uid,
             qPrintable(problem));
    deliver(link.uid, link.serial, ServiceNotice::started(0, code, link.lastRequest, name));
}

void VpnService::send(QWebSocket* socket, const QString& text)
{
    socket->sendTextMessage(text + terminator);
    // A peer that reads nothing must not grow the service's memory without end.
    if (socket->bytesToWrite() > maxUnsentBytes) {
        qWarning("Closed link %llu: it does not read its notifications",
                 m_links.value(socket).serial);
        socket->abort();
    }
}

void VpnService::deliver(uid_t uid, quint64 link, const QString& text)
{
    for (auto it = m_links.cbegin(); it != m_links.cend(); ++it) {
        if (it->serial == link) {
            send(it.key(), text);
            return;
        }
    }
    QStringList& held = m_held[uid];
    if (held.size() >= maxHeldNotifications) {
        qWarning("Dropped the oldest held notification of uid %u", uid);
        held.removeFirst();
    }
    held.append(ServiceNotice::forLaterLink(text));
}
