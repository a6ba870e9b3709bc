#include "tunnellink.h"

#include "addresstext.h"
#include "commandoutput.h"
#include "networknamespace.h"
#include "resolvconfcopy.h"
#include "resolvconffile.h"
#include "toolrunner.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace {

const QString socketFolder = QStringLiteral("/var/run/wireguard/");
const int daemonStartMs = 5000;
const int daemonPollMs = 10;

bool ipv6Enabled()
{
    QFile flag(QStringLiteral("/proc/sys/net/ipv6/conf/all/disable_ipv6"));
    return flag.open(QIODevice::ReadOnly) && flag.readAll().trimmed() == "0";
}

// resolvectl names links by index, which from another network namespace mean the host's links.
bool resolverUsable()
{
    return NetworkNamespace::hasResolved() &&
           !ToolRunner::locate(QStringLiteral("resolvectl")).isEmpty();
}

} // namespace

TunnelLink::TunnelLink(LogSink log, QObject* parent) : QObject(parent), m_log(std::move(log))
{
    m_daemon.setProcessChannelMode(QProcess::MergedChannels);
    connect(&m_daemon, &QProcess::readyRead, this, &TunnelLink::onDaemonOutput);
    connect(&m_daemon, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this, [this] {
        if (!m_stopping)
            emit ended();
    });
}

TunnelLink::~TunnelLink()
{
    down();
}

bool TunnelLink::up(const WireGuardConfig& config, QString* error)
{
    m_stopping = false;
    m_interface = freeInterfaceName();
    if (m_interface.isEmpty()) {
        *error = QStringLiteral("no free interface name");
        return false;
    }
    record();
    if (!addEndpointRoute(config.endpointHost, error) || !startDaemon(error) ||
        !configureDevice(config, error) || !addRoutes(config, error))
        return false;
    applyDns(config.dns);
    return true;
}

void TunnelLink::down()
{
    m_stopping = true;
    QString ignored;
    if (m_dnsApplied)
        run(QStringLiteral("resolvectl"), {QStringLiteral("revert"), m_interface}, &ignored);
    m_dnsApplied = false;
    if (m_resolvConfWritten)
        putBackResolvConf(m_resolvConfCopy, m_log);
    m_resolvConfWritten = false;
    if (!m_interface.isEmpty() &&
        QFileInfo::exists(QStringLiteral("/sys/class/net/") + m_interface))
        run(QStringLiteral("ip"), {QStringLiteral("link"), QStringLiteral("del"), m_interface},
            &ignored);
    if (!m_endpointRoute.isEmpty())
        run(QStringLiteral("ip"),
            {QStringLiteral("-4"), QStringLiteral("route"), QStringLiteral("del"), m_endpointRoute},
            &ignored);
    m_endpointRoute.clear();
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(3000)) {
            m_daemon.kill();
            m_daemon.waitForFinished(1000);
        }
    }
    m_interface.clear();
}

bool TunnelLink::handshakeDone() const
{
    const auto result =
        ToolRunner::run(QStringLiteral("wg"),
                        {QStringLiteral("show"), m_interface, QStringLiteral("latest-handshakes")});
    return result.ok && CommandOutput::hasHandshake(result.output);
}

bool TunnelLink::transfer(quint64* received, quint64* sent) const
{
    const auto result = ToolRunner::run(
        QStringLiteral("wg"), {QStringLiteral("show"), m_interface, QStringLiteral("transfer")});
    return result.ok && CommandOutput::transfer(result.output, received, sent);
}

QStringList TunnelLink::tunnelRoutes(const QStringList& allowedIps)
{
    QStringList routes;
    for (const QString& prefix : allowedIps) {
        if (prefix == QLatin1String("0.0.0.0/0"))
            routes << QStringLiteral("0.0.0.0/1") << QStringLiteral("128.0.0.0/1");
        else if (prefix == QLatin1String("::/0"))
            routes << QStringLiteral("::/1") << QStringLiteral("8000::/1");
        else
            routes << prefix;
    }
    return routes;
}

void TunnelLink::removeLeftovers(const QString& interface, const QString& endpointRoute,
                                 const QString& resolvConfCopy, const LogSink& log)
{
    putBackResolvConf(resolvConfCopy, log);
    if (interface.startsWith(QLatin1String("wgcl")) && CommandOutput::isInterfaceName(interface) &&
        QFileInfo::exists(QStringLiteral("/sys/class/net/") + interface)) {
        ToolRunner::run(QStringLiteral("ip"),
                        {QStringLiteral("link"), QStringLiteral("del"), interface});
        // Its orphaned wireguard-go dies without removing the socket, which would keep the
        // name taken.
        QFile::remove(socketFolder + interface + QStringLiteral(".sock"));
    }
    QString normalized;
    if (endpointRoute.endsWith(QLatin1String("/32")) &&
        WireGuardConfig::isPrefix(endpointRoute, false, &normalized))
        ToolRunner::run(QStringLiteral("ip"), {QStringLiteral("-4"), QStringLiteral("route"),
                                               QStringLiteral("del"), endpointRoute});
}

QString TunnelLink::freeInterfaceName()
{
    for (int n = 0; n < 100; ++n) {
        const QString name = QStringLiteral("wgcl%1").arg(n);
        if (!QFileInfo::exists(QStringLiteral("/sys/class/net/") + name) &&
            !QFileInfo::exists(socketFolder + name + QStringLiteral(".sock")))
            return name;
    }
    return QString();
}

bool TunnelLink::addEndpointRoute(const QString& host, QString* error)
{
    const auto result =
        ToolRunner::run(QStringLiteral("ip"), {QStringLiteral("-4"), QStringLiteral("route"),
                                               QStringLiteral("get"), host});
    QString gateway;
    QString device;
    if (!result.ok || !CommandOutput::routeGet(result.output, &gateway, &device)) {
        *error = QStringLiteral("no route to the endpoint");
        return false;
    }
    QStringList arguments = {QStringLiteral("-4"), QStringLiteral("route"), QStringLiteral("add"),
                             host + QStringLiteral("/32")};
    if (!gateway.isEmpty())
        arguments << QStringLiteral("via") << gateway;
    arguments << QStringLiteral("dev") << device;
    // An existing host route belongs to someone else: keep it and do not remove it later.
    m_endpointRoute = host + QStringLiteral("/32");
    record();
    if (!ToolRunner::run(QStringLiteral("ip"), arguments).ok) {
        m_endpointRoute.clear();
        record();
    }
    m_log(QStringLiteral("Endpoint %1 stays on %2").arg(host, device));
    return true;
}

bool TunnelLink::startDaemon(QString* error)
{
    const QString program = ToolRunner::locate(QStringLiteral("wireguard-go"));
    if (program.isEmpty()) {
        *error = QStringLiteral("wireguard-go is not installed");
        return false;
    }
    QProcessEnvironment environment = ToolRunner::environment();
    // Also keeps its banner about the kernel module out of the ring log.
    environment.insert(QStringLiteral("WG_PROCESS_FOREGROUND"), QStringLiteral("1"));
    m_daemon.setProcessEnvironment(environment);
    m_daemon.start(program, {QStringLiteral("-f"), m_interface});
    const QString socket = socketFolder + m_interface + QStringLiteral(".sock");
    for (int waited = 0; waited < daemonStartMs; waited += daemonPollMs) {
        if (m_daemon.state() == QProcess::NotRunning)
            break;
        if (QFileInfo::exists(socket))
            return true;
        QThread::msleep(daemonPollMs);
    }
    *error = QStringLiteral("wireguard-go did not create the interface");
    return false;
}

bool TunnelLink::configureDevice(const WireGuardConfig& config, QString* error)
{
    QStringList arguments = {QStringLiteral("set"),
                             m_interface,
                             QStringLiteral("private-key"),
                             QStringLiteral("/dev/stdin"),
                             QStringLiteral("peer"),
                             config.publicKey,
                             QStringLiteral("endpoint"),
                             config.endpointHost + QLatin1Char(':') +
                                 QString::number(config.endpointPort),
                             QStringLiteral("allowed-ips"),
                             config.allowedIps.join(QLatin1Char(','))};
    // WireGuard starts a handshake only for traffic or a keepalive, and the connection waits
    // for one: a quiet machine would never connect. The keepalive also holds NAT mappings open.
    const int defaultKeepaliveSeconds = 25;
    arguments << QStringLiteral("persistent-keepalive")
              << QString::number(config.persistentKeepalive > 0 ? config.persistentKeepalive
                                                                : defaultKeepaliveSeconds);
    if (!run(QStringLiteral("wg"), arguments, error, config.privateKey + '\n'))
        return false;
    for (const QString& address : config.addresses) {
        if (!run(QStringLiteral("ip"),
                 {QStringLiteral("address"), QStringLiteral("add"), address, QStringLiteral("dev"),
                  m_interface},
                 error))
            return false;
    }
    return run(QStringLiteral("ip"),
               {QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("dev"), m_interface,
                QStringLiteral("up")},
               error);
}

bool TunnelLink::addRoutes(const WireGuardConfig& config, QString* error)
{
    const bool v6 = ipv6Enabled();
    for (const QString& route : tunnelRoutes(config.allowedIps)) {
        const bool isV6 = route.contains(QLatin1Char(':'));
        if (isV6 && !v6) {
            m_log(QStringLiteral("IPv6 is off, no route for %1").arg(route));
            continue;
        }
        if (!run(QStringLiteral("ip"),
                 {isV6 ? QStringLiteral("-6") : QStringLiteral("-4"), QStringLiteral("route"),
                  QStringLiteral("add"), route, QStringLiteral("dev"), m_interface},
                 error))
            return false;
    }
    return true;
}

void TunnelLink::applyDns(const QStringList& dns)
{
    if (dns.isEmpty())
        return;
    if (!resolverUsable()) {
        writeResolvConf(dns);
        return;
    }
    QString error;
    m_dnsApplied = run(QStringLiteral("resolvectl"),
                       QStringList{QStringLiteral("dns"), m_interface} + dns, &error) &&
                   run(QStringLiteral("resolvectl"),
                       {QStringLiteral("domain"), m_interface, QStringLiteral("~.")}, &error);
    m_log(m_dnsApplied ? QStringLiteral("DNS set on %1").arg(m_interface) : error);
}

void TunnelLink::writeResolvConf(const QStringList& dns)
{
    QByteArray text;
    for (const QString& server : dns) {
        const QString address = AddressText::canonicalIp(server);
        if (address.isEmpty())
            m_log(QStringLiteral("DNS %1 is no IP address, skipped").arg(server.left(64)));
        else
            text += "nameserver " + address.toLatin1() + '\n';
    }
    if (text.isEmpty() || m_resolvConfCopy.isEmpty())
        return;
    DnsData found;
    QString error;
    // Once the copy is saved, down() puts it back even when the write below fails half way.
    m_resolvConfWritten = ResolvConfCopy::save(m_resolvConfCopy, &found, &error);
    const bool ok = m_resolvConfWritten &&
                    ResolvConfFile::write(
                        text, found.kind == DnsData::FileKind::File ? found.mode : 0644, &error);
    if (ok)
        ResolvConfCopy::noteWritten(m_resolvConfCopy, text);
    m_log(ok ? QStringLiteral("DNS set in /etc/resolv.conf") : error);
}

void TunnelLink::putBackResolvConf(const QString& copyPath, const LogSink& log)
{
    if (copyPath.isEmpty())
        return;
    bool restored = false;
    QString error;
    const bool ok = ResolvConfCopy::restore(copyPath, &restored, &error);
    if (log && (restored || !ok))
        log(ok ? QStringLiteral("DNS put back in /etc/resolv.conf") : error);
}

bool TunnelLink::run(const QString& tool, const QStringList& arguments, QString* error,
                     const QByteArray& input)
{
    const auto result = ToolRunner::run(tool, arguments, input);
    if (result.ok)
        return true;
    // The private key only ever travels on standard input, so the arguments are safe to log.
    *error = tool + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) +
             QStringLiteral(" failed, ") + result.output.simplified().left(200);
    m_log(*error);
    return false;
}

void TunnelLink::record() const
{
    if (m_record)
        m_record(m_interface, m_endpointRoute);
}

void TunnelLink::onDaemonOutput()
{
    while (m_daemon.canReadLine())
        m_log(QString::fromUtf8(m_daemon.readLine()).trimmed().left(400));
}
