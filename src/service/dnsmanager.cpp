#include "dnsmanager.h"

#include "app/logger.h"
#include "utils/utils.h"

#include <QHostAddress>
#include <QRegularExpression>

namespace {

const char listSeparator[] = ",";

QString parenthesised(const QStringList& servers)
{
    return QLatin1Char('(') + servers.join(QStringLiteral(", ")) + QLatin1Char(')');
}

// Appends text to the list of its address family; anything that is no address is dropped.
void addServer(AdapterDns& servers, const QString& text)
{
    QHostAddress address;
    if (!address.setAddress(text))
        return;
    if (address.protocol() == QAbstractSocket::IPv4Protocol)
        servers.ipv4Dns << text;
    else if (address.protocol() == QAbstractSocket::IPv6Protocol)
        servers.ipv6Dns << text;
}

// resolvectl may print "addr:port", "[addr]:port" and a "#server name" after the address.
QString resolvectlAddress(const QString& token)
{
    QString text = token.section(QLatin1Char('#'), 0, 0);
    if (text.startsWith(QLatin1Char('[')))
        return text.mid(1).section(QLatin1Char(']'), 0, 0);
    if (text.count(QLatin1Char(':')) == 1)
        return text.section(QLatin1Char(':'), 0, 0);
    return text;
}

} // namespace

DnsManager::DnsManager(QObject* parent)
    : QObject(parent), m_factSource([] { return Platform::dnsFacts(); })
{
    setObjectName(QStringLiteral("DnsManager"));
    connect(&m_flushProcess, &ChildProcess::processFinished, this, &DnsManager::onProcessFinished);
}

void DnsManager::setFactSource(FactSource source)
{
    m_factSource = std::move(source);
}

void DnsManager::refresh()
{
    m_adapters.clear();
    const Platform::DnsFacts facts = m_factSource();
    if (facts.familiesMismatch) {
        Logger::critical(objectName(), QStringLiteral("DNS internal issue: Ipv4/Ipv6 mismatch"));
        return;
    }
    m_adapters = facts.adapters;
}

void DnsManager::refreshAndLog()
{
    refresh();
    for (const AdapterDns& adapter : qAsConst(m_adapters))
        Logger::info(objectName(), logLine(adapter));
}

bool DnsManager::tunnelDnsLeftBehind()
{
    refreshAndLog();
    return hasTunnelDnsOnOrdinaryAdapter(m_adapters);
}

QStringList DnsManager::userDnsEntries() const
{
    QStringList entries;
    for (const AdapterDns& adapter : m_adapters)
        entries << userDnsEntry(adapter);
    return entries;
}

QStringList DnsManager::vpnDnsEntries(const QString& ipv4Dns, const QString& ipv6Dns) const
{
    QStringList entries;
    for (const AdapterDns& adapter : m_adapters)
        entries << vpnDnsEntry(adapter, ipv4Dns, ipv6Dns);
    return entries;
}

QString DnsManager::tunnelIpv4Dns()
{
    return QStringLiteral("172.16.0.1");
}

QString DnsManager::tunnelIpv6Dns()
{
    return QStringLiteral("fd00:dead:beef:cafe::1");
}

QString DnsManager::userDnsEntry(const AdapterDns& adapter)
{
    const QString separator = QLatin1String(listSeparator);
    const QString servers = Utils::joinNonBlank(
        {adapter.ipv4Dns.join(separator), adapter.ipv6Dns.join(separator)}, separator);
    return QStringLiteral("%1@%2").arg(adapter.id, servers);
}

QString DnsManager::vpnDnsEntry(const AdapterDns& adapter, const QString& ipv4Dns,
                                const QString& ipv6Dns)
{
    return QStringLiteral("%1@%2,%3").arg(adapter.id, ipv4Dns, ipv6Dns);
}

QString DnsManager::logLine(const AdapterDns& adapter)
{
    return QStringLiteral("ID: %1, name: '%2', VPN connection: '%3', IPv4 DNS: ")
               .arg(adapter.id, adapter.name, Utils::boolText(adapter.isVpn)) +
           parenthesised(adapter.ipv4Dns) + QStringLiteral(", IPv6 DNS: ") +
           parenthesised(adapter.ipv6Dns);
}

bool DnsManager::hasTunnelDnsOnOrdinaryAdapter(const AdapterDnsList& adapters)
{
    for (const AdapterDns& adapter : adapters) {
        if (adapter.isVpn)
            continue;
        if (adapter.ipv4Dns.contains(tunnelIpv4Dns()) || adapter.ipv6Dns.contains(tunnelIpv6Dns()))
            return true;
    }
    return false;
}

AdapterDns DnsManager::serversFromResolvConf(const QString& text)
{
    AdapterDns servers;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() < 2 || words.first() != QLatin1String("nameserver"))
            continue;
        addServer(servers, words.at(1));
    }
    return servers;
}

QMap<QString, AdapterDns> DnsManager::serversFromResolvectl(const QString& output)
{
    static const QRegularExpression linkLine(QStringLiteral("^Link \\d+ \\((.+)\\):(.*)$"));
    QMap<QString, AdapterDns> links;
    const QStringList lines = output.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QRegularExpressionMatch match = linkLine.match(line.trimmed());
        if (!match.hasMatch())
            continue;
        AdapterDns& servers = links[match.captured(1)];
        const QStringList tokens = match.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const QString& token : tokens)
            addServer(servers, resolvectlAddress(token));
    }
    return links;
}

void DnsManager::onProcessFinished(bool status)
{
    Logger::info(
        objectName(),
        QStringLiteral("Flush DNS process finished with status '%1'").arg(Utils::boolText(status)));
}
