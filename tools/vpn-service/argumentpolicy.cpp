#include "argumentpolicy.h"

#include "commandparser.h"
#include "dnsarguments.h"
#include "killswitcharguments.h"

#include <QDir>
#include <QHostAddress>
#include <QRegularExpression>

namespace {

QString openVpnProblem(const QStringList& a)
{
    if (a.size() != 9 || a.at(0) != QLatin1String("--config") ||
        a.at(2) != QLatin1String("--management") || a.at(3) != QLatin1String("127.0.0.1") ||
        a.at(4) != QLatin1String("61973") ||
        a.at(5) != QLatin1String("--management-query-passwords") ||
        a.at(6) != QLatin1String("--management-client") || a.at(7) != QLatin1String("--log-append"))
        return QStringLiteral("not the OpenVPN command line of the client");
    if (!ArgumentPolicy::isFilePath(a.at(1)) || !ArgumentPolicy::isFilePath(a.at(8)))
        return QStringLiteral("an OpenVPN file is not an absolute plain path");
    return QString();
}

QString wireGuardProblem(const QStringList& a)
{
    const bool add = a.size() == 4 && a.at(0) == QLatin1String("--add") &&
                     a.at(2) == QLatin1String("--port") && a.at(3) == QLatin1String("61976");
    const bool remove = a.size() == 2 && a.at(0) == QLatin1String("--remove");
    if (!add && !remove)
        return QStringLiteral("not a WireGuard command line of the client");
    return ArgumentPolicy::isFilePath(a.at(1))
               ? QString()
               : QStringLiteral("the WireGuard file is not an absolute plain path");
}

QString networkToolProblem(const QStringList& a)
{
    const bool ok = a.size() == 2 && a.at(0) == QLatin1String("--ipv6") &&
                    (a.at(1) == QLatin1String("enable") || a.at(1) == QLatin1String("disable"));
    return ok ? QString() : QStringLiteral("not a network-tool command line of the client");
}

QString killSwitchProblem(const QStringList& a)
{
    // The tool's own reading: an IP literal only, since a host name would be resolved outside
    // the tunnel.
    KillSwitchArguments parsed;
    QString error;
    return parsed.parse(a, &error) ? QString() : QStringLiteral("killswitch: ") + error;
}

QString dnsProblem(const QStringList& a)
{
    for (const QString& element : a) {
        if (element.startsWith(QLatin1Char('-')))
            return QStringLiteral("a dns element reads as an option");
    }
    // The tool's own grammar, systemd-resolved's server forms included for "user".
    DnsArguments parsed;
    QString error;
    return parsed.parse(a, &error) ? QString() : QStringLiteral("dns: ") + error;
}

} // namespace

QString ArgumentPolicy::problem(const QString& name, const QStringList& arguments)
{
    if (name == QLatin1String("openvpn"))
        return openVpnProblem(arguments);
    if (name == QLatin1String("wireguard-service"))
        return wireGuardProblem(arguments);
    if (name == QLatin1String("network-tool"))
        return networkToolProblem(arguments);
    if (name == QLatin1String("killswitch"))
        return killSwitchProblem(arguments);
    if (name == QLatin1String("dns"))
        return dnsProblem(arguments);
    return QStringLiteral("no argument rules for '%1'").arg(name);
}

bool ArgumentPolicy::isIpAddress(const QString& text)
{
    QHostAddress address;
    // Only the canonical text: no zone, no odd forms a tool might read differently.
    return address.setAddress(text) && address.scopeId().isEmpty() &&
           address.toString().compare(text, Qt::CaseInsensitive) == 0;
}

bool ArgumentPolicy::isHostName(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(?=.{1,253}$)([A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?)(\\.[A-Za-z0-9]([A-Za-z0-9-]{0,"
        "61}[A-Za-z0-9])?)*$"));
    return pattern.match(text).hasMatch();
}

bool ArgumentPolicy::isFilePath(const QString& text)
{
    return text.startsWith(QLatin1Char('/')) && text.size() < 4096 &&
           QDir::cleanPath(text) == text &&
           !text.split(QLatin1Char('/')).contains(QStringLiteral("..")) &&
           !CommandParser::hasControlCharacter(text);
}
