#include "dnsmanager.h"

#include "app/logger.h"
#include "utils/utils.h"

#include <QRegularExpression>

namespace {

const char listSeparator[] = ",";

QString parenthesised(const QStringList& servers)
{
    return QLatin1Char('(') + servers.join(QStringLiteral(", ")) + QLatin1Char(')');
}

const int loggedEntryLength = 64;

// Appends the entry, whole, to the list of its address family: "user" has to put back exactly
// what was there. Anything outside the grammar never reaches the root-run tool.
void addServer(AdapterDns& servers, const QString& entry)
{
    switch (DnsManager::userDnsEntryFamily(entry)) {
    case 4:
        servers.ipv4Dns << entry;
        return;
    case 6:
        servers.ipv6Dns << entry;
        return;
    default:
        Logger::warning(QStringLiteral("DnsManager"),
                        QStringLiteral("DNS entry dropped, not an address: '%1'")
                            .arg(entry.left(loggedEntryLength).simplified()));
    }
}

bool isPort(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^[1-9][0-9]{0,4}\\z"));
    return digits.match(text).hasMatch() && text.toInt() <= 65535;
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
    if (!arePushedDnsAddresses(ipv4Dns, ipv6Dns)) {
        Logger::critical(objectName(),
                         QStringLiteral("Pushed DNS addresses are not IP addresses, ignored"));
        return {};
    }
    QStringList entries;
    for (const AdapterDns& adapter : m_adapters)
        entries << vpnDnsEntry(adapter, ipv4Dns, ipv6Dns);
    return entries;
}

bool DnsManager::arePushedDnsAddresses(const QString& ipv4Dns, const QString& ipv6Dns)
{
    // A tunnel pushes one family or both; an empty text is a family it did not push.
    return (!ipv4Dns.isEmpty() || !ipv6Dns.isEmpty()) &&
           (ipv4Dns.isEmpty() || Utils::isCanonicalIpv4Address(ipv4Dns)) &&
           (ipv6Dns.isEmpty() || (Utils::isIpLiteral(ipv6Dns) && Utils::isIpv6Address(ipv6Dns)));
}

int DnsManager::userDnsEntryFamily(const QString& entry)
{
    // Address, then ":port" (an IPv6 address in brackets), "%interface", "#server name", as
    // systemd-resolved writes them.
    static const QRegularExpression grammar(
        QStringLiteral("^(?:\\[([0-9A-Fa-f:.]+)\\](?::([0-9]+))?|([0-9.]+)(?::([0-9]+))?|"
                       "([0-9A-Fa-f:.]+))(?:%([A-Za-z0-9_.-]{1,15}))?(?:#([A-Za-z0-9.-]+))?\\z"));
    const QRegularExpressionMatch match = grammar.match(entry);
    if (!match.hasMatch())
        return 0;
    const QString port = match.captured(2) + match.captured(4);
    if (!port.isEmpty() && !isPort(port))
        return 0;
    if (match.capturedLength(7) > 0 && !Utils::isHostNameText(match.captured(7)))
        return 0;
    if (match.capturedLength(3) > 0)
        return Utils::isCanonicalIpv4Address(match.captured(3)) ? 4 : 0;
    const QString ipv6 = match.captured(1) + match.captured(5);
    return Utils::isIpLiteral(ipv6) && Utils::isIpv6Address(ipv6) ? 6 : 0;
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
            addServer(servers, token);
    }
    return links;
}

void DnsManager::onProcessFinished(bool status)
{
    Logger::info(
        objectName(),
        QStringLiteral("Flush DNS process finished with status '%1'").arg(Utils::boolText(status)));
}
