#include "labcatalogue.h"

#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

bool readServer(const QJsonObject& object, LabCatalogue::Server* server)
{
    server->name = object.value(QStringLiteral("name")).toString();
    server->country = object.value(QStringLiteral("country")).toString();
    server->city = object.value(QStringLiteral("city")).toString();
    server->ip = object.value(QStringLiteral("ip")).toString();
    server->capacity = object.value(QStringLiteral("capacity")).toInt(100);
    server->load = object.value(QStringLiteral("load")).toDouble(10.0);
    // The client drops servers whose address is not a plain IPv4 one; say so here instead.
    const QHostAddress address(server->ip);
    return address.protocol() == QAbstractSocket::IPv4Protocol &&
           address.toString() == server->ip && LabCatalogue::isCountryCode(server->country);
}

LabCatalogue::Account readAccount(const QJsonObject& object)
{
    LabCatalogue::Account account;
    account.user = object.value(QStringLiteral("user")).toString();
    account.password = object.value(QStringLiteral("password")).toString();
    account.id = quint64(object.value(QStringLiteral("id")).toDouble(1));
    account.wgIp = object.value(QStringLiteral("wg_ip")).toString();
    account.wgPrivateKey = object.value(QStringLiteral("wg_private_key")).toString();
    account.wgPublicKey = object.value(QStringLiteral("wg_public_key")).toString();
    return account;
}

} // namespace

bool LabCatalogue::isCountryCode(const QString& text)
{
    return text.size() == 2 && text.at(0).isLetter() && text.at(1).isLetter() &&
           text.at(0).unicode() < 128 && text.at(1).unicode() < 128;
}

bool LabCatalogue::fromJson(const QByteArray& json, LabCatalogue* catalogue, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        *error = QStringLiteral("not a JSON object: ") + parseError.errorString();
        return false;
    }
    const QJsonObject root = document.object();
    LabCatalogue result;
    for (const QJsonValue& value : root.value(QStringLiteral("servers")).toArray()) {
        Server server;
        if (!readServer(value.toObject(), &server)) {
            *error = QStringLiteral("server '%1' needs a two-letter country and an IPv4 address")
                         .arg(server.name);
            return false;
        }
        result.servers << server;
    }
    const QJsonObject countries = root.value(QStringLiteral("countries")).toObject();
    for (auto it = countries.begin(); it != countries.end(); ++it) {
        const QString code = it.value().toString();
        if (!isCountryCode(code)) {
            *error = QStringLiteral("address '%1' needs a two-letter country").arg(it.key());
            return false;
        }
        result.countries.insert(it.key(), code);
    }
    result.account = readAccount(root.value(QStringLiteral("account")).toObject());
    *catalogue = result;
    return true;
}

QString LabCatalogue::countryOf(const QString& address, const QString& fallback) const
{
    return countries.value(address, fallback);
}
