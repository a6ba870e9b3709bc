#include "countrynames.h"

#include <QLocale>
#include <QMap>
#include <QRegularExpression>
#include <QStringList>

namespace {

const QMap<QString, QString>& table()
{
    static QMap<QString, QString> names;
    if (!names.isEmpty())
        return names;
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyCountry);
    for (const QLocale& locale : locales) {
        const QString code = locale.name().section(QLatin1Char('_'), -1).toLower();
        names.insert(code, spacedCountryName(QLocale::countryToString(locale.country())));
    }
    return names;
}

} // namespace

QString spacedCountryName(const QString& camelCase)
{
    static const QRegularExpression word(QStringLiteral("[A-Z][^A-Z]*"));
    QStringList words;
    auto matches = word.globalMatch(camelCase);
    while (matches.hasNext())
        words << matches.next().captured().simplified();
    return words.size() >= 2 ? words.join(QLatin1Char(' ')) : camelCase;
}

QString countryNameForCode(const QString& code)
{
    return table().value(code.toLower());
}

QString countryCodeForName(const QString& name)
{
    const QMap<QString, QString>& names = table();
    for (auto it = names.cbegin(); it != names.cend(); ++it) {
        if (it.value() == name)
            return it.key();
    }
    return {};
}

bool isKnownCountryCode(const QString& code)
{
    return table().contains(code.toLower());
}
