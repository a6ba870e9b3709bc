#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

// The lab's servers, the exit addresses it knows the country of, and its one account, read from
// a JSON file:
// {"servers": [{"name", "country", "city", "ip", "capacity", "load"}, ...],
//  "countries": {"10.77.0.1": "nl", ...},
//  "account": {"user", "password", "id", "wg_ip", "wg_private_key", "wg_public_key"}}
class LabCatalogue
{
public:
    struct Server
    {
        QString name;
        QString country;
        QString city;
        QString ip;
        int capacity = 0;
        double load = 0.0;
    };

    struct Account
    {
        QString user;
        QString password;
        quint64 id = 1;
        QString wgIp;
        QString wgPrivateKey;
        QString wgPublicKey;
    };

    // Two ASCII letters, as the feed and the geo-IP answer carry them.
    static bool isCountryCode(const QString& text);
    // False, with the reason, for text that is not such a document.
    static bool fromJson(const QByteArray& json, LabCatalogue* catalogue, QString* error);
    QString countryOf(const QString& address, const QString& fallback) const;

    QList<Server> servers;
    QHash<QString, QString> countries;
    Account account;
};
