#include "server.h"

#include <QHash>
#include <QUuid>

Server::Server(const QString& ip, const QString& country, const QString& city, const QString& name,
               const QString& id, qint32 capacity, float cpu)
    : city(QString(city).remove(country + QLatin1Char(' '))), country(country), ip(ip), name(name),
      id(id), cpu(cpu), capacity(capacity)
{
}

Server::Server(const QString& country, const QString& headerText)
    : country(country), id(QUuid::createUuid().toString()), isCountry(true)
{
    if (!headerText.isEmpty()) {
        name = headerText;
        serviceHeader = true;
    }
}

bool Server::operator==(const Server& other) const
{
    return city == other.city && country == other.country && ip == other.ip && name == other.name &&
           id == other.id && isCountry == other.isCountry && favorite == other.favorite &&
           serviceHeader == other.serviceHeader && capacity == other.capacity;
}

uint qHash(const Server& server, uint seed)
{
    QtPrivate::QHashCombine combine;
    seed = combine(seed, server.city);
    seed = combine(seed, server.country);
    seed = combine(seed, server.ip);
    seed = combine(seed, server.name);
    seed = combine(seed, server.id);
    seed = combine(seed, uint(server.isCountry) | uint(server.favorite) << 1 |
                             uint(server.serviceHeader) << 2);
    return combine(seed, server.capacity);
}
