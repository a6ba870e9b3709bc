#pragma once

#include "api/server.h"

#include <QHash>
#include <QString>

// Lookups into one catalogue by address and by stored identifier, hashed once per list so that
// each costs the same at fifty thousand servers as at fifty.
class CatalogueIndex
{
public:
    CatalogueIndex() = default;
    explicit CatalogueIndex(const Servers& catalogue);

    // The first server with that address, or -1.
    int indexOfIp(const QString& ip) const;
    // The first server whose identifier (its name, or its address when it has none that
    // counts) is this one, or -1.
    int indexOfIdentifier(const QString& identifier) const;

private:
    QHash<QString, int> m_byIp;
    QHash<QString, int> m_byIdentifier;
};
