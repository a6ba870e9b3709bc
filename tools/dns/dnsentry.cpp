#include "dnsentry.h"

#include "addresstext.h"

#include <QRegularExpression>

namespace {

const int maxServers = 16;

QRegularExpressionMatch matchServer(const QString& server)
{
    static const QRegularExpression grammar(
        QStringLiteral("^(?:\\[([0-9A-Fa-f:.]+)\\](?::([0-9]+))?|([0-9.]+)(?::([0-9]+))?|"
                       "([0-9A-Fa-f:.]+))(?:%([A-Za-z0-9_.-]{1,15}))?(?:#([A-Za-z0-9.-]+))?\\z"));
    return grammar.match(server);
}

bool isPort(const QString& text)
{
    return text.isEmpty() || (!text.startsWith(QLatin1Char('0')) && text.size() <= 5 &&
                              text.toInt() >= 1 && text.toInt() <= 65535);
}

} // namespace

int DnsEntry::serverFamily(const QString& server)
{
    const QRegularExpressionMatch match = matchServer(server);
    if (!match.hasMatch() || !isPort(match.captured(2) + match.captured(4)))
        return 0;
    if (match.capturedLength(7) > 0 && !AddressText::isHostName(match.captured(7)))
        return 0;
    if (match.capturedLength(6) > 0 && !AddressText::isInterfaceName(match.captured(6)))
        return 0;
    const QString address = match.captured(1) + match.captured(3) + match.captured(5);
    const int family = AddressText::family(address);
    // Brackets belong to IPv6 and a zone only to an IPv6 address.
    if ((match.capturedLength(1) > 0 || match.capturedLength(6) > 0) && family != 6)
        return 0;
    if (match.capturedLength(3) > 0 && family != 4)
        return 0;
    return family;
}

QString DnsEntry::bareAddress(const QString& server)
{
    const QRegularExpressionMatch match = matchServer(server);
    const QString address = match.captured(1) + match.captured(3) + match.captured(5);
    return match.capturedLength(6) > 0 ? address + QLatin1Char('%') + match.captured(6) : address;
}

bool DnsEntry::parse(const QString& text, bool userForms, DnsEntry* entry, QString* error)
{
    const int at = text.indexOf(QLatin1Char('@'));
    entry->link = text.left(at);
    entry->servers.clear();
    if (at < 0 || !AddressText::isInterfaceName(entry->link)) {
        *error = QStringLiteral("a DNS entry is not interface@servers");
        return false;
    }
    // "id@," is an entry without servers: the tunnel pushed none the client could use.
    const QStringList parts = text.mid(at + 1).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& server : parts) {
        const bool ok =
            userForms ? serverFamily(server) != 0 : !AddressText::canonicalIp(server).isEmpty();
        if (!ok || entry->servers.size() >= maxServers) {
            *error = QStringLiteral("a DNS server of link %1 is not an address").arg(entry->link);
            return false;
        }
        // The tunnel's servers in one spelling, as resolved and resolv.conf show them back.
        entry->servers << (userForms ? server : AddressText::canonicalIp(server));
    }
    return true;
}
