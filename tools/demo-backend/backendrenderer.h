#pragma once

#include "labcatalogue.h"

#include <QByteArray>

// The documents the client reads, and the HTTP responses around them.
namespace BackendRenderer {

QByteArray feed(const QList<LabCatalogue::Server>& servers);
QByteArray geoIp(const QString& ip, const QString& countryCode);
QByteArray account(const LabCatalogue::Account& account);
QByteArray response(int status, const QByteArray& type, const QByteArray& body, bool keepAlive);
QByteArray reasonPhrase(int status);

} // namespace BackendRenderer
