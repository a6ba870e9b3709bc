#include "argumentpolicy.h"

#include "commandparser.h"

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
    if (a.size() == 2 && a.at(0) == QLatin1String("disable") && a.at(1) == QLatin1String("all"))
        return QString();
    if (a.size() != 4 || a.at(0) != QLatin1String("enable") || a.at(1) != QLatin1String("all") ||
        (!a.at(3).isEmpty() && a.at(3) != QLatin1String("local")))
        return QStringLiteral("not a killswitch command line of the client");
    if (!ArgumentPolicy::isIpAddress(a.at(2)) && !ArgumentPolicy::isHostName(a.at(2)))
        return QStringLiteral("the killswitch server is no address");
    return QString();
}

QString dnsProblem(const QStringList& a)
{
    if (a.size() == 1 && a.at(0) == QLatin1String("reset"))
        return QString();
    if (a.isEmpty() || (a.at(0) != QLatin1String("vpn") && a.at(0) != QLatin1String("user")) ||
        a.size() - 1 > ArgumentPolicy::maxDnsEntries)
        return QStringLiteral("not a dns command line of the client");
    for (int i = 1; i < a.size(); ++i) {
        if (!ArgumentPolicy::isDnsEntry(a.at(i)))
            return QStringLiteral("dns entry %1 is not interface@addresses").arg(i);
    }
    return QString();
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

bool ArgumentPolicy::isDnsEntry(const QString& text)
{
    static const QRegularExpression interfaceName(
        QStringLiteral("^[A-Za-z0-9_][A-Za-z0-9_.:-]{0,14}$"));
    const int at = text.indexOf(QLatin1Char('@'));
    if (at < 0 || !interfaceName.match(text.left(at)).hasMatch())
        return false;
    const QString addresses = text.mid(at + 1);
    if (addresses.isEmpty())
        return true;
    const QStringList fields = addresses.split(QLatin1Char(','));
    if (fields.size() > 16)
        return false;
    for (const QString& field : fields) {
        if (!field.isEmpty() && !isIpAddress(field))
            return false;
    }
    return true;
}
