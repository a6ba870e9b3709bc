#include "serversearchindex.h"

#include "api/catalogue.h"

#include <QSet>
#include <QStringList>

namespace {

const QChar fieldSeparator = QLatin1Char('\n');

QStringList searchFields(const Server& server)
{
    return {Catalogue::displayCountryName(server).toLower(), server.city.toLower(),
            server.name.toLower()};
}

} // namespace

QString ServerSearchIndex::serverText(const Server& server)
{
    return searchFields(server).join(fieldSeparator);
}

void ServerSearchIndex::build(const Servers& catalogue)
{
    m_serverTexts.clear();
    m_countryTexts.clear();
    m_countryMembers.clear();
    m_serverTexts.reserve(catalogue.size());
    QHash<QString, QSet<QString>> fieldsByCountry;
    // Country names repeat over a country's servers; one lookup per code is enough.
    QHash<QString, QString> countryNames;
    for (int i = 0; i < catalogue.size(); ++i) {
        const Server& server = catalogue.at(i);
        QStringList fields;
        if (server.serviceHeader) {
            fields = searchFields(server);
        } else {
            auto name = countryNames.find(server.country);
            if (name == countryNames.end())
                name = countryNames.insert(server.country,
                                           Catalogue::displayCountryName(server).toLower());
            fields = QStringList{*name, server.city.toLower(), server.name.toLower()};
        }
        m_serverTexts << fields.join(fieldSeparator);
        const QString key = countryKey(server.country);
        m_countryMembers[key] << i;
        QSet<QString>& countryFields = fieldsByCountry[key];
        for (const QString& field : qAsConst(fields))
            countryFields.insert(field);
    }
    for (auto it = fieldsByCountry.cbegin(); it != fieldsByCountry.cend(); ++it)
        m_countryTexts.insert(it.key(), it.value().values().join(fieldSeparator));
}

QString ServerSearchIndex::countryText(const QString& country) const
{
    return m_countryTexts.value(countryKey(country));
}

QVector<int> ServerSearchIndex::countryMembers(const QString& country) const
{
    return m_countryMembers.value(countryKey(country));
}
