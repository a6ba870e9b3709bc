#pragma once

#include "api/server.h"

#include <QStringList>

class QObject;

// The feed parser, the catalogue order, location identifiers and the small queries over servers.
namespace Catalogue {

// The meta-types "Server", "Servers" and "Account" for signals between objects.
void registerTypes();

// Lines are logged under the reporter's object name.
Servers parseServerFeed(const QObject* reporter, const QString& feed);
Servers sortCatalogue(const Servers& servers);

QStringList countryCodes(const Servers& servers);
QStringList countryNames(const Servers& servers);
Servers serversOfCountry(const Servers& servers, const QString& code);
bool matchesSearch(const Server& server, const QString& text);
bool containsServer(const Servers& servers, const Server& server);
QString countryCityText(const Server& server);
QString locationName(const Server& server);
QString displayCountryName(const Server& server);
Server findByIp(const Servers& servers, const QString& ip);
QString ipForName(const Servers& servers, const QString& name);
QString identifierForAddress(const Servers& servers, const QString& text);
QStringList ipList(const Servers& servers);
bool isCountryCode(const QString& text);
bool isHostName(const QString& text);
bool isUuid(const QString& text);
bool isAvailableLoad(const QString& cpuText);
bool isValid(const Server& server);
void setFavoriteByIp(Servers& servers, const QString& ip, bool value);
void applyFavorites(Servers& servers, const QStringList& identifiers);
QString formatLocationText(const QString& first, const QString& second, bool prefix);

} // namespace Catalogue
