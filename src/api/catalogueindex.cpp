#include "api/catalogueindex.h"

#include "api/catalogue.h"
#include "utils/utils.h"

CatalogueIndex::CatalogueIndex(const Servers& catalogue)
{
    m_byIp.reserve(catalogue.size());
    m_byIdentifier.reserve(catalogue.size());
    for (int i = 0; i < catalogue.size(); ++i) {
        if (!m_byIp.contains(catalogue.at(i).ip))
            m_byIp.insert(catalogue.at(i).ip, i);
    }
    // As Catalogue::identifierForAddress names each server's address, the first of a name wins.
    for (int i = 0; i < catalogue.size(); ++i) {
        const QString& ip = catalogue.at(i).ip;
        QString identifier = ip;
        if (Utils::isIpv4Address(ip)) {
            const Server& first = catalogue.at(m_byIp.value(ip));
            if (Catalogue::isValid(first))
                identifier = first.name;
        }
        if (!m_byIdentifier.contains(identifier))
            m_byIdentifier.insert(identifier, i);
    }
}

int CatalogueIndex::indexOfIp(const QString& ip) const
{
    return m_byIp.value(ip, -1);
}

int CatalogueIndex::indexOfIdentifier(const QString& identifier) const
{
    return m_byIdentifier.value(identifier, -1);
}
