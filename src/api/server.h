#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

// One entry of the provider's catalogue, or a header entry of the server list.
struct Server
{
    Server() = default;
    Server(const QString& ip, const QString& country, const QString& city, const QString& name,
           const QString& id, qint32 capacity, float cpu);
    // A country or section header; a non-empty text makes it a section header.
    Server(const QString& country, const QString& headerText);

    bool operator==(const Server& other) const;
    bool operator!=(const Server& other) const { return !(*this == other); }

    QString city;
    QString country;
    QString ip;
    QString name;
    QString id;
    bool isCountry = false;
    bool favorite = false;
    bool serviceHeader = false;
    float cpu = 0.0f;
    qint32 capacity = 0;
};

using Servers = QList<Server>;

// Agrees with equality: every field but the load.
uint qHash(const Server& server, uint seed = 0);

Q_DECLARE_METATYPE(Server)
Q_DECLARE_METATYPE(Servers)
