#include "translationstest.h"

#include "settings/settings.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

struct Message
{
    QString context;
    QString source;
    QString comment;
    QStringList translations; // one, or one per plural form
    bool unfinished = false;
    bool plural = false;
};

QVector<Message> readCatalogue(const QString& path, QString* error)
{
    QVector<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open ") + path;
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            Message message;
            message.context = context;
            message.plural =
                xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
            messages.append(message);
        } else if (xml.name() == QLatin1String("source")) {
            messages.last().source = xml.readElementText();
        } else if (xml.name() == QLatin1String("comment")) {
            messages.last().comment = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            // Unfinished, obsolete and vanished entries are all left-overs of a refresh.
            messages.last().unfinished = xml.attributes().hasAttribute(QLatin1String("type"));
            // Plural entries hold their forms in child elements, read one by one below.
            if (!messages.last().plural)
                messages.last().translations << xml.readElementText();
        } else if (xml.name() == QLatin1String("numerusform")) {
            messages.last().translations << xml.readElementText();
        }
    }
    if (xml.hasError())
        *error = path + QStringLiteral(": ") + xml.errorString();
    return messages;
}

// Texts that are rightly the same in some languages: names, units, and words the language
// shares with English.
const QSet<QString> sameInSomeLanguages{
    QStringLiteral("OK"),       QStringLiteral("WireGuard"),     QStringLiteral("Stealth"),
    QStringLiteral("IPv6"),     QStringLiteral("TCP - OpenVPN"), QStringLiteral("UDP - OpenVPN"),
    QStringLiteral("B"),        QStringLiteral("KiB"),           QStringLiteral("MiB"),
    QStringLiteral("GiB"),      QStringLiteral("TiB"),           QStringLiteral("Error"),
    QStringLiteral("General"),  QStringLiteral("Manual"),        QStringLiteral("Port"),
    QStringLiteral("Protocol"), QStringLiteral("Recent")};

QStringList placeholders(const QString& text)
{
    QStringList found;
    QRegularExpressionMatchIterator it =
        QRegularExpression(QStringLiteral("%L?\\d|%n")).globalMatch(text);
    while (it.hasNext())
        found << it.next().captured();
    found.sort();
    return found;
}

} // namespace

void TranslationsTest::everyLanguageHasACompleteCompiledCatalogue()
{
    const QDir sourceDir(QStringLiteral(CORVALINK_TRANSLATIONS_DIR));
    QStringList expectedFiles;
    for (const Settings::Language& language : Settings::languageTable()) {
        if (language.code == QLatin1String("en"))
            continue;
        const QString base = QStringLiteral("vpnclient_") + language.code;
        expectedFiles << base + QStringLiteral(".ts");

        QString error;
        const QVector<Message> messages = readCatalogue(sourceDir.filePath(base + ".ts"), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY2(messages.size() >= 50, qPrintable(base));

        QTranslator translator;
        QVERIFY2(translator.load(base, QStringLiteral(":/src/translations")), qPrintable(base));
        QVERIFY(!translator.isEmpty());

        for (const Message& m : messages) {
            const QString where =
                base + QLatin1Char(' ') + m.context + QStringLiteral(": ") + m.source;
            QVERIFY2(!m.unfinished, qPrintable(where));
            QVERIFY2(!m.translations.isEmpty(), qPrintable(where));
            for (const QString& t : m.translations) {
                QVERIFY2(!t.trimmed().isEmpty(), qPrintable(where));
                QVERIFY2(t != m.source || sameInSomeLanguages.contains(m.source),
                         qPrintable(where));
                QCOMPARE(placeholders(t), placeholders(m.source));
            }
            // The embedded catalogue is the compiled form of this very file.
            const QString compiled = translator.translate(
                m.context.toUtf8().constData(), m.source.toUtf8().constData(),
                m.comment.isEmpty() ? nullptr : m.comment.toUtf8().constData(), 1);
            QVERIFY2(m.translations.contains(compiled), qPrintable(where));
        }
    }
    // No catalogue for a language the table does not offer.
    QStringList present = sourceDir.entryList({QStringLiteral("*.ts")}, QDir::Files);
    present.sort();
    expectedFiles.sort();
    QCOMPARE(present, expectedFiles);
}
