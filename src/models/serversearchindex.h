#pragma once

#include "api/server.h"

#include <QHash>
#include <QString>
#include <QVector>

// Lower-cased search texts of a catalogue, prepared once when a list is set, so that a keystroke
// only scans prepared text. A text joins the lower-cased fields with line breaks: a simplified
// phrase holds none, so no match can span two fields.
class ServerSearchIndex
{
public:
    // The country name, city and name of the server that a search phrase is looked for in.
    static QString serverText(const Server& server);
    // What a phrase, already simplified, is looked for as.
    static QString needle(const QString& simplifiedPhrase) { return simplifiedPhrase.toLower(); }
    static QString countryKey(const QString& country) { return country.toCaseFolded(); }

    void build(const Servers& catalogue);
    QString catalogueText(int index) const { return m_serverTexts.value(index); }
    // Every distinct text of the catalogue servers of a country, ignoring case in the code.
    QString countryText(const QString& country) const;
    // Catalogue positions of a country's servers, in catalogue order.
    QVector<int> countryMembers(const QString& country) const;

private:
    QVector<QString> m_serverTexts;
    QHash<QString, QString> m_countryTexts;
    QHash<QString, QVector<int>> m_countryMembers;
};
