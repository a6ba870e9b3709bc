#include "catalogue.h"

#include "api/account.h"
#include "app/logger.h"
#include "core/countrynames.h"
#include "utils/utils.h"

#include <QMap>
#include <QObject>
#include <QSet>
#include <QUrl>
#include <QUuid>
#include <QXmlStreamReader>

#include <algorithm>

namespace Catalogue {

namespace {

QString reporterName(const QObject* reporter)
{
    return reporter ? reporter->objectName() : QStringLiteral("NetworkApi");
}

int intAttribute(const QXmlStreamAttributes& attributes, const char* name)
{
    return attributes.value(QLatin1String(name)).toInt();
}

QString textAttribute(const QXmlStreamAttributes& attributes, const char* name)
{
    return attributes.value(QLatin1String(name)).toString();
}

} // namespace

void registerTypes()
{
    qRegisterMetaType<Server>("Server");
    qRegisterMetaType<Servers>("Servers");
    qRegisterMetaType<Account>("Account");
}

Servers parseServerFeed(const QObject* reporter, const QString& feed)
{
    Servers servers;
    QStringList unavailable;
    // The servers taken so far; equality ignores the load, and so does the hash, so the duplicate
    // test stays linear in the feed.
    QSet<Server> seen;
    QXmlStreamReader reader(feed);
    while (!reader.atEnd() && !reader.hasError()) {
        if (reader.readNext() != QXmlStreamReader::StartElement ||
            reader.name() != QLatin1String("server"))
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        if (intAttribute(attributes, "visible") == 0 && intAttribute(attributes, "status") == 0)
            continue;
        const QString cpuText = textAttribute(attributes, "cpu");
        const QString ip = textAttribute(attributes, "ip");
        const Server server(ip, textAttribute(attributes, "country"),
                            textAttribute(attributes, "city"), textAttribute(attributes, "name"),
                            ip, intAttribute(attributes, "capacity"), cpuText.toFloat());
        // The address reaches root-run configurations and commands.
        if (!Utils::isCanonicalIpv4Address(ip)) {
            Logger::warning(reporterName(reporter),
                            QStringLiteral("Server with an invalid address skipped: '%1'")
                                .arg(countryCityText(server).simplified()));
            continue;
        }
        if (seen.contains(server)) {
            Logger::warning(
                reporterName(reporter),
                QStringLiteral("Duplicate server detected: '%1'").arg(countryCityText(server)));
            continue;
        }
        if (!isAvailableLoad(cpuText)) {
            unavailable << QStringLiteral("%1 (%2)").arg(locationName(server), cpuText);
            continue;
        }
        seen.insert(server);
        servers << server;
    }
    if (reader.hasError()) {
        Logger::critical(reporterName(reporter),
                         QStringLiteral("Cannot parse XML: ") + reader.errorString());
        return servers;
    }
    if (!unavailable.isEmpty())
        Logger::warning(reporterName(reporter), QStringLiteral("Not available servers: %1")
                                                    .arg(unavailable.join(QStringLiteral(", "))));
    return sortCatalogue(servers);
}

Servers sortCatalogue(const Servers& servers)
{
    // Grouped by the one key countryCodes lists: a comparison without case can disagree with
    // lower case (U+0130 lowers to two characters; U+03A3 and U+03C2 lower apart but compare
    // equal), and would drop a server or list it twice.
    QMap<QString, Servers> groups;
    for (const Server& server : servers)
        groups[server.country.toLower()] << server;
    Servers sorted;
    sorted.reserve(servers.size());
    for (Servers& group : groups) {
        std::sort(group.begin(), group.end(),
                  [](const Server& a, const Server& b) { return a.city < b.city; });
        sorted << group;
    }
    return sorted;
}

QStringList countryCodes(const Servers& servers)
{
    QSet<QString> codes;
    for (const Server& server : servers)
        codes.insert(server.country.toLower());
    QStringList list = codes.values();
    std::sort(list.begin(), list.end());
    return list;
}

QStringList countryNames(const Servers& servers)
{
    QStringList codes;
    for (const Server& server : servers) {
        if (!codes.contains(server.country))
            codes << server.country;
    }
    QStringList names;
    for (const QString& code : qAsConst(codes))
        names << countryNameForCode(code);
    std::sort(names.begin(), names.end());
    return names;
}

Servers serversOfCountry(const Servers& servers, const QString& code)
{
    Servers found;
    for (const Server& server : servers) {
        if (server.country.compare(code, Qt::CaseInsensitive) == 0)
            found << server;
    }
    return found;
}

bool matchesSearch(const Server& server, const QString& text)
{
    if (text.isEmpty())
        return true;
    const QString needle = text.toLower();
    return displayCountryName(server).toLower().contains(needle) ||
           server.city.toLower().contains(needle) || server.name.toLower().contains(needle);
}

bool containsServer(const Servers& servers, const Server& server)
{
    return servers.contains(server);
}

QString countryCityText(const Server& server)
{
    return QStringLiteral("%1, %2").arg(server.country, server.city);
}

QString locationName(const Server& server)
{
    return server.isCountry ? server.country : countryCityText(server);
}

QString displayCountryName(const Server& server)
{
    return server.serviceHeader ? server.name : countryNameForCode(server.country);
}

Server findByIp(const Servers& servers, const QString& ip)
{
    for (const Server& server : servers) {
        if (server.ip == ip)
            return server;
    }
    return Server();
}

QString ipForName(const Servers& servers, const QString& name)
{
    for (const Server& server : servers) {
        if (server.name == name)
            return server.ip;
    }
    return name;
}

QString identifierForAddress(const Servers& servers, const QString& text)
{
    if (!Utils::isIpv4Address(text))
        return text;
    const Server server = findByIp(servers, text);
    return isValid(server) ? server.name : text;
}

QStringList ipList(const Servers& servers)
{
    QStringList ips;
    for (const Server& server : servers)
        ips << server.ip;
    return ips;
}

bool isCountryCode(const QString& text)
{
    return text.size() == 2;
}

bool isHostName(const QString& text)
{
    QUrl url;
    url.setHost(text, QUrl::DecodedMode);
    return url.isValid() && text.size() != 2;
}

bool isUuid(const QString& text)
{
    return !QUuid::fromString(text).isNull();
}

bool isAvailableLoad(const QString& cpuText)
{
    return cpuText != QLatin1String("0.00");
}

bool isValid(const Server& server)
{
    if (server.isCountry)
        return !server.country.isEmpty() || !server.id.isEmpty();
    return !server.city.isEmpty() || !server.country.isEmpty() || !server.ip.isEmpty() ||
           !server.name.isEmpty() || server.capacity != 0 || !server.id.isEmpty();
}

void setFavoriteByIp(Servers& servers, const QString& ip, bool value)
{
    if (!Utils::isIpv4Address(ip))
        return;
    for (Server& server : servers) {
        if (server.ip == ip)
            server.favorite = value;
    }
}

void applyFavorites(Servers& servers, const QStringList& identifiers)
{
    // Each identifier is read once: a country code, an address or a host name.
    QSet<QString> countries;
    QSet<QString> addresses;
    QSet<QString> names;
    for (const QString& identifier : identifiers) {
        if (identifier.size() == 2) {
            countries.insert(identifier);
            continue;
        }
        if (Utils::isIpv4Address(identifier))
            addresses.insert(identifier);
        if (isHostName(identifier))
            names.insert(identifier);
    }
    for (Server& server : servers) {
        server.favorite = (server.isCountry && countries.contains(server.country)) ||
                          addresses.contains(server.ip) || names.contains(server.name);
    }
}

QString formatLocationText(const QString& first, const QString& second, bool prefix)
{
    return QStringLiteral("%1location in '%2' (%3)")
        .arg(prefix ? QStringLiteral("VPN ") : QString(), second, first);
}

} // namespace Catalogue
