#include "killswitchrules.h"

#include "addresstext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const char table[] = "corvalink";

bool isTunnelOrLoopback(const QString& device)
{
    return device == QLatin1String("lo") || device.startsWith(QLatin1String("tun")) ||
           device.startsWith(QLatin1String("wg"));
}

QStringList ofFamily(const QStringList& prefixes, int family)
{
    QStringList result;
    for (const QString& prefix : prefixes) {
        if (AddressText::family(prefix.section(QLatin1Char('/'), 0, 0)) == family)
            result << prefix;
    }
    return result;
}

QString setRule(const QString& selector, const QStringList& prefixes)
{
    if (prefixes.isEmpty())
        return {};
    return QStringLiteral("\t\t%1 { %2 } accept\n")
        .arg(selector, prefixes.join(QStringLiteral(", ")));
}

QString localRules(const QString& direction, const QStringList& localPrefixes)
{
    return setRule(QStringLiteral("ip %1").arg(direction), ofFamily(localPrefixes, 4)) +
           setRule(QStringLiteral("ip6 %1").arg(direction), ofFamily(localPrefixes, 6));
}

QString deviceRules(const QString& selector)
{
    QString rules;
    for (const char* device : {"lo", "tun*", "wg*"})
        rules += QStringLiteral("\t\t%1 \"%2\" accept\n").arg(selector, QLatin1String(device));
    return rules;
}

QString uidMatch(const QList<uid_t>& uids)
{
    QStringList texts;
    for (const uid_t uid : uids) {
        if (!texts.contains(QString::number(uid)))
            texts << QString::number(uid);
    }
    return texts.size() == 1 ? texts.first()
                             : QStringLiteral("{ %1 }").arg(texts.join(QStringLiteral(", ")));
}

QString chainHead(const QString& name)
{
    return QStringLiteral("\tchain %1 {\n\t\ttype filter hook %1 priority 0; policy drop;\n")
        .arg(name);
}

} // namespace

QString KillSwitchRules::tableName()
{
    return QLatin1String(table);
}

QString KillSwitchRules::enableRuleset(const QString& serverAddress, const QList<uid_t>& uids,
                                       const QStringList& localPrefixes, bool blockDns)
{
    // After the tunnel and the server (whose transport may well be port 53), before the local
    // networks: a router's resolver is local too.
    const QString dnsRule = blockDns ? QStringLiteral("\t\tmeta l4proto { tcp, udp } th dport "
                                                      "{ 53, 853 } drop\n")
                                     : QString();
    const QString ip =
        AddressText::family(serverAddress) == 6 ? QStringLiteral("ip6") : QStringLiteral("ip");
    QString text = disableRuleset() + QStringLiteral("table inet %1 {\n").arg(tableName());
    text += chainHead(QStringLiteral("output")) + deviceRules(QStringLiteral("oifname")) +
            QStringLiteral("\t\tudp sport 68 udp dport 67 accept\n"
                           "\t\tudp sport 546 udp dport 547 accept\n"
                           "\t\ticmpv6 type { nd-router-solicit, nd-neighbor-solicit, "
                           "nd-neighbor-advert } accept\n") +
            QStringLiteral("\t\t%1 daddr %2 meta skuid %3 accept\n")
                .arg(ip, serverAddress, uidMatch(uids)) +
            dnsRule + localRules(QStringLiteral("daddr"), localPrefixes) + QStringLiteral("\t}\n");
    text += chainHead(QStringLiteral("input")) + deviceRules(QStringLiteral("iifname")) +
            QStringLiteral("\t\tudp sport 67 udp dport 68 accept\n"
                           "\t\tudp sport 547 udp dport 546 accept\n"
                           "\t\ticmpv6 type { nd-router-advert, nd-neighbor-solicit, "
                           "nd-neighbor-advert, nd-redirect } accept\n") +
            QStringLiteral("\t\t%1 saddr %2 ct state established,related accept\n")
                .arg(ip, serverAddress) +
            localRules(QStringLiteral("saddr"), localPrefixes) + QStringLiteral("\t}\n");
    text += chainHead(QStringLiteral("forward")) + deviceRules(QStringLiteral("iifname")) +
            deviceRules(QStringLiteral("oifname")) + dnsRule +
            localRules(QStringLiteral("daddr"), localPrefixes) + QStringLiteral("\t}\n}\n");
    return text;
}

QString KillSwitchRules::disableRuleset()
{
    // "add" first, so that deleting a table that is not there is no error.
    return QStringLiteral("add table inet %1\ndelete table inet %1\n").arg(tableName());
}

QStringList KillSwitchRules::connectedPrefixes(const QByteArray& routesJson)
{
    QStringList prefixes;
    const QJsonArray routes = QJsonDocument::fromJson(routesJson).array();
    for (const QJsonValue& value : routes) {
        const QJsonObject route = value.toObject();
        // Connected: no gateway, a unicast route on a device that is not ours.
        if (route.contains(QLatin1String("gateway")) || route.contains(QLatin1String("via")) ||
            route.contains(QLatin1String("type")) ||
            isTunnelOrLoopback(route.value(QLatin1String("dev")).toString()))
            continue;
        const QString prefix =
            AddressText::canonicalPrefix(route.value(QLatin1String("dst")).toString());
        if (!prefix.isEmpty() && !prefix.endsWith(QLatin1String("/0")) &&
            !prefixes.contains(prefix))
            prefixes << prefix;
    }
    return prefixes;
}

QStringList KillSwitchRules::localPrefixes(const QStringList& connected)
{
    QStringList candidates{
        QStringLiteral("169.254.0.0/16"),     QStringLiteral("224.0.0.0/24"),
        QStringLiteral("239.255.255.250/32"), QStringLiteral("255.255.255.255/32"),
        QStringLiteral("fe80::/10"),          QStringLiteral("ff02::/16")};
    if (connected.isEmpty())
        candidates << QStringLiteral("10.0.0.0/8") << QStringLiteral("172.16.0.0/12")
                   << QStringLiteral("192.168.0.0/16") << QStringLiteral("fc00::/7");
    candidates << connected;
    // Overlapping intervals in one set are an error for nft.
    QStringList result;
    for (int i = 0; i < candidates.size(); ++i) {
        bool covered = false;
        for (int j = 0; j < candidates.size() && !covered; ++j) {
            covered = j != i && AddressText::covers(candidates.at(j), candidates.at(i)) &&
                      (candidates.at(j) != candidates.at(i) || j < i);
        }
        if (!covered)
            result << candidates.at(i);
    }
    return result;
}
