// The branding file a reseller ships beside the client (branding.ini), as Theme::load reads it.
// A theme saved again must load back as it was.
#include "clientsupport.h"
#include "theme/theme.h"
#include "theme/themedefaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

namespace {

// A saved theme is synced to disk; in memory that costs nothing. Removed when the run ends.
const QTemporaryDir& folder()
{
    static const QString memory = QStringLiteral("/dev/shm");
    static const QTemporaryDir dir((QFileInfo(memory).isWritable() ? memory : QDir::tempPath()) +
                                   QStringLiteral("/corvalink-branding-XXXXXX"));
    return dir;
}

// QSettings keeps one parsed file per name for the whole process, and reads it again whenever a
// QSettings opens it: two names, so that no input leaves memory behind (libFuzzer would look
// for a leak after each one).
QString path(const char* name)
{
    return folder().filePath(QLatin1String(name));
}

QMap<QString, QString> values(const Theme& theme)
{
    QMap<QString, QString> map;
    for (const ThemeProperty& property : theme.themeProperties())
        map.insert(property.id, property.data.toString());
    return map;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startClient();
    FUZZ_CHECK(folder().isValid());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input = path("branding.ini");
    QFile file(input);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly) &&
               file.write(fuzz::bytes(data, size)) == qint64(size));
    file.close();

    Theme theme;
    FUZZ_CHECK(theme.load(QUrl::fromLocalFile(input).toString()));

    // Only the built-in entries exist: the file sets values, it adds no keys.
    const QMap<QString, QString> loaded = values(theme);
    const QMap<QString, ThemeProperty> defaults = ThemeDefaults::properties(theme.darkStyle());
    FUZZ_CHECK(loaded.keys() == defaults.keys());
    if (!theme.brandingEnabled()) {
        for (auto entry = defaults.cbegin(); entry != defaults.cend(); ++entry)
            FUZZ_CHECK(loaded.value(entry.key()) == entry->data.toString());
    }

    // Saving copies local images; a file naming one is not saved here.
    for (const QString& value : loaded) {
        if (value.startsWith(QLatin1String("file:///")))
            return 0;
    }
    const QString saved = path("saved.ini");
    QFile::remove(saved);
    FUZZ_CHECK(theme.save(QUrl::fromLocalFile(saved).toString()));
    Theme again;
    FUZZ_CHECK(again.load(QUrl::fromLocalFile(saved).toString()));
    FUZZ_CHECK(again.brandingEnabled() && again.darkStyle() == theme.darkStyle());
    FUZZ_CHECK(values(again) == loaded);
    return 0;
}
