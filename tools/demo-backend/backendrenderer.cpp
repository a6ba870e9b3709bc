#include "backendrenderer.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamWriter>

namespace BackendRenderer {

QByteArray feed(const QList<LabCatalogue::Server>& servers)
{
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("serverList"));
    for (const LabCatalogue::Server& server : servers) {
        writer.writeEmptyElement(QStringLiteral("server"));
        writer.writeAttribute(QStringLiteral("name"), server.name);
        writer.writeAttribute(QStringLiteral("country"), server.country);
        // The feed spells cities with the country code in front; the client takes it off.
        writer.writeAttribute(QStringLiteral("city"),
                              server.country + QLatin1Char(' ') + server.city);
        writer.writeAttribute(QStringLiteral("ip"), server.ip);
        writer.writeAttribute(QStringLiteral("cpu"), QString::number(server.load, 'f', 2));
        writer.writeAttribute(QStringLiteral("capacity"), QString::number(server.capacity));
        writer.writeAttribute(QStringLiteral("visible"), QStringLiteral("1"));
        writer.writeAttribute(QStringLiteral("status"), QStringLiteral("1"));
    }
    writer.writeEndDocument();
    return xml;
}

QByteArray geoIp(const QString& ip, const QString& countryCode)
{
    const QJsonObject data{{QStringLiteral("ip"), ip}, {QStringLiteral("iso_code"), countryCode}};
    return QJsonDocument(QJsonObject{{QStringLiteral("data"), data}})
        .toJson(QJsonDocument::Compact);
}

QByteArray account(const LabCatalogue::Account& account)
{
    const QString stamp = QStringLiteral("2024-01-01T00:00:00Z");
    const QJsonObject data{{QStringLiteral("id"), double(account.id)},
                           {QStringLiteral("username"), account.user},
                           {QStringLiteral("status"), QStringLiteral("Active")},
                           {QStringLiteral("created"), stamp},
                           {QStringLiteral("updated"), stamp},
                           {QStringLiteral("wg_ip"), account.wgIp},
                           {QStringLiteral("wg_private_key"), account.wgPrivateKey},
                           {QStringLiteral("wg_public_key"), account.wgPublicKey}};
    return QJsonDocument(QJsonObject{{QStringLiteral("data"), data}})
        .toJson(QJsonDocument::Compact);
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 431:
        return "Request Header Fields Too Large";
    case 503:
        return "Service Unavailable";
    default:
        return "Error";
    }
}

QByteArray response(int status, const QByteArray& type, const QByteArray& body, bool keepAlive)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) +
                      "\r\nContent-Type: " + type +
                      "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n";
    if (status == 401)
        head += "WWW-Authenticate: Basic realm=\"lab\"\r\n";
    head += keepAlive ? "Connection: keep-alive\r\n\r\n" : "Connection: close\r\n\r\n";
    return head + body;
}

} // namespace BackendRenderer
