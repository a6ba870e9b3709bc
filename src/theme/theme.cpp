#include "theme.h"

#include "app/logger.h"
#include "theme/themedefaults.h"
#include "utils/utils.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QSet>
#include <QSettings>
#include <QUrl>

namespace {

const QString brandingFileName = QStringLiteral("branding.ini");
const QString darkStyleId = QStringLiteral("appPropertyDarkStyle");
const QString logoId = QStringLiteral("generalLogoFileName");
const QString backgroundId = QStringLiteral("generalBackgroundImage");
const QString localFilePrefix = QStringLiteral("file:///");
const qint64 maxBrandingBytes = 1024 * 1024;

// A value as written: an unquoted value with commas comes back as a list.
QString textOf(const QVariant& value)
{
    return value.type() == QVariant::StringList ? value.toStringList().join(QStringLiteral(", "))
                                                : value.toString();
}

void replaceLocalFile(QMap<QString, ThemeProperty>& properties, const QString& id,
                      const QString& relativePath)
{
    auto entry = properties.find(id);
    if (entry != properties.end() && entry->data.toString().startsWith(localFilePrefix))
        entry->data = relativePath;
}

} // namespace

Theme::Theme(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Theme"));
    ThemeProperty::registerMetaType();
    // Nothing is watched: a changed branding file takes effect at the next start or load.
    connect(&m_watcher, SIGNAL(fileChanged(QString)), this, SLOT(onBrandingFileChanged(QString)));
    loadBrandingFile(defaultBrandingFilePath());
}

QString Theme::text(const QString& id) const
{
    return m_properties.value(id).data.toString();
}

QString Theme::resource(const QString& id) const
{
    return updateResourceProperty(text(id));
}

bool Theme::settingsPageShowLogs() const
{
    return m_properties.value(QStringLiteral("settingsPageShowLogs")).data.toBool();
}

QString Theme::iconSourceFor(const QString& iconName, bool useStyle, bool darkStyle)
{
    if (!useStyle)
        return QStringLiteral("qrc:/resources/icons/%1.png").arg(iconName);
    return QStringLiteral("qrc:/resources/icons/%1_%2.png")
        .arg(iconName, darkStyle ? QStringLiteral("white") : QStringLiteral("black"));
}

QString Theme::iconSource(const QString& iconName, bool useStyle) const
{
    return iconSourceFor(iconName, useStyle, m_darkStyle);
}

QString Theme::iconSource(const QString& iconName) const
{
    return iconSourceFor(iconName, true, m_darkStyle);
}

QString Theme::resolveResource(const QString& value, const QString& brandingFolder)
{
    if (value.isEmpty() || value.startsWith(QLatin1String("qrc:")) ||
        value.startsWith(localFilePrefix) || QDir::isAbsolutePath(value))
        return value;
    // fromLocalFile gives "file:///" followed by the path on every platform.
    return QUrl::fromLocalFile(QFileInfo(QDir(brandingFolder), value).absoluteFilePath())
        .toString();
}

QString Theme::updateResourceProperty(const QString& propertyName) const
{
    return resolveResource(propertyName, brandingFolder());
}

QString Theme::brandingFolder() const
{
    if (!m_brandingFile.isEmpty())
        return QFileInfo(m_brandingFile).absolutePath();
    return Utils::applicationDirectory() + QStringLiteral("/branding");
}

QString Theme::defaultBrandingFilePath() const
{
    return brandingFolder() + QLatin1Char('/') + brandingFileName;
}

bool Theme::load(const QString& url)
{
    const QString path = Utils::urlToLocalFile(url);
    if (!QFileInfo::exists(path)) {
        Logger::warning(objectName(), QStringLiteral("File '%1' does not exist!").arg(path));
        return false;
    }
    loadBrandingFile(path);
    notify(true);
    return true;
}

bool Theme::save(const QString& url)
{
    return saveBrandingFile(Utils::urlToLocalFile(url));
}

void Theme::rebuildDefaults()
{
    const QMap<QString, ThemeProperty> defaults = ThemeDefaults::properties(m_darkStyle);
    for (auto entry = defaults.cbegin(); entry != defaults.cend(); ++entry)
        m_properties.insert(entry.key(), entry.value());
}

void Theme::loadBrandingFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        rebuildDefaults();
        return;
    }
    if (info.size() > maxBrandingBytes) {
        Logger::warning(objectName(), QStringLiteral("'%1' is over 1 MiB, refused").arg(path));
        useLightDefaults();
        return;
    }
    QSettings file(path, QSettings::IniFormat);
    file.setIniCodec("UTF-8");
    if (file.status() != QSettings::NoError) {
        Logger::warning(objectName(),
                        QStringLiteral("Cannot read '%1', the light defaults stay").arg(path));
        useLightDefaults();
        return;
    }
    file.beginGroup(QStringLiteral("Main"));
    const QString version = textOf(file.value(QStringLiteral("version"), QStringLiteral("0")));
    m_brandingEnabled = readBool(file, QStringLiteral("brandingEnabled"), m_brandingEnabled);
    if (!m_brandingEnabled) {
        Logger::warning(objectName(), QStringLiteral("Branding style is not enabled!"));
        rebuildDefaults();
        return;
    }
    m_darkStyle = readBool(file, QStringLiteral("darkStyle"), true);
    file.endGroup();
    Logger::info(objectName(), QStringLiteral("Version '%1', enabled: %2, dark style: %3")
                                   .arg(version, Utils::boolText(m_brandingEnabled),
                                        Utils::boolText(m_darkStyle)));
    rebuildDefaults();

    file.beginGroup(QStringLiteral("Style"));
    for (auto entry = m_properties.begin(); entry != m_properties.end(); ++entry)
        entry->data = textOf(file.value(entry.key(), entry->data.toString()));
    file.endGroup();
    m_brandingFile = file.fileName();
}

void Theme::useLightDefaults()
{
    m_darkStyle = false;
    rebuildDefaults();
}

bool Theme::parseBool(const QString& text, bool* value)
{
    static const QStringList yes{QStringLiteral("true"), QStringLiteral("yes"),
                                 QStringLiteral("on"), QStringLiteral("1")};
    static const QStringList no{QStringLiteral("false"), QStringLiteral("no"),
                                QStringLiteral("off"), QStringLiteral("0")};
    const QString word = text.trimmed().toLower();
    if (!yes.contains(word) && !no.contains(word))
        return false;
    *value = yes.contains(word);
    return true;
}

bool Theme::readBool(const QSettings& file, const QString& key, bool fallback) const
{
    if (!file.contains(key))
        return fallback;
    const QString text = textOf(file.value(key));
    bool value = fallback;
    if (!parseBool(text, &value))
        Logger::warning(objectName(), QStringLiteral("'%1' is neither yes nor no: '%2', %3 kept")
                                          .arg(key, text.left(32), Utils::boolText(fallback)));
    return value;
}

bool Theme::saveBrandingFile(const QString& path) const
{
    // The images first: a theme that would not reload as it was is no saved theme.
    const QString folder = QFileInfo(path).absolutePath();
    if (!copyImage(logoId, folder, QStringLiteral("logo.png")) ||
        !copyImage(backgroundId, folder, QStringLiteral("background.png")))
        return false;
    QSettings file(path, QSettings::IniFormat);
    file.setIniCodec("UTF-8");
    file.beginGroup(QStringLiteral("Main"));
    file.setValue(QStringLiteral("dateTime"),
                  QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    file.setValue(QStringLiteral("version"), 1);
    file.setValue(QStringLiteral("brandingEnabled"), true);
    file.setValue(QStringLiteral("darkStyle"), m_darkStyle);
    file.endGroup();

    file.beginGroup(QStringLiteral("Style"));
    const QMap<QString, ThemeProperty> style = savedStyle(m_properties);
    for (auto entry = style.cbegin(); entry != style.cend(); ++entry)
        file.setValue(entry.key(), entry->data);
    file.endGroup();
    file.sync();
    // An unwritable place must not look like a saved theme.
    if (file.status() != QSettings::NoError) {
        Logger::warning(objectName(), QStringLiteral("Cannot write '%1'").arg(path));
        return false;
    }
    return true;
}

bool Theme::copyImage(const QString& id, const QString& folder, const QString& name) const
{
    const QString value = m_properties.value(id).data.toString();
    if (!value.startsWith(localFilePrefix))
        return true;
    const QString source = QUrl(value).toLocalFile();
    const QString target = folder + QStringLiteral("/resources/") + name;
    if (QFileInfo(source).canonicalFilePath() == QFileInfo(target).canonicalFilePath() &&
        QFileInfo::exists(target))
        return true;
    QFile::remove(target);
    if (QDir().mkpath(folder + QStringLiteral("/resources")) && QFile::copy(source, target))
        return true;
    Logger::warning(objectName(), QStringLiteral("Cannot copy '%1' to '%2'").arg(source, target));
    return false;
}

QMap<QString, ThemeProperty> Theme::savedStyle(QMap<QString, ThemeProperty> properties)
{
    replaceLocalFile(properties, logoId, QStringLiteral("resources/logo.png"));
    replaceLocalFile(properties, backgroundId, QStringLiteral("resources/background.png"));
    return properties;
}

QVector<ThemeProperty> Theme::themeProperties() const
{
    return m_properties.values().toVector();
}

QVector<ThemeProperty> Theme::sectionsOf(const QMap<QString, ThemeProperty>& properties)
{
    QSet<QString> names;
    for (const ThemeProperty& property : properties) {
        for (const QString& name : property.sectionNames())
            names.insert(name);
    }
    QStringList sorted = names.values();
    sorted.sort(Qt::CaseSensitive);
    QVector<ThemeProperty> sections;
    for (const QString& name : sorted)
        sections << ThemeProperty(name, name, ThemeProperty::Color, name);
    return sections;
}

QVector<ThemeProperty> Theme::themeSections() const
{
    return sectionsOf(m_properties);
}

void Theme::themePropertyChanged(ThemeProperty themeProperty)
{
    // Only the editor's own entries can change; an unknown id would be saved as a stray key.
    if (!m_properties.contains(themeProperty.id)) {
        Logger::warning(objectName(),
                        QStringLiteral("Unknown theme property '%1'").arg(themeProperty.id));
        return;
    }
    m_properties.insert(themeProperty.id, themeProperty);
    if (themeProperty.id == darkStyleId)
        m_darkStyle = themeProperty.data.toBool();
    notify(false);
}

void Theme::onBrandingFileChanged(QString)
{
    Logger::info(objectName(), QStringLiteral("Branding file has changed"));
    loadBrandingFile(defaultBrandingFilePath());
    notify(true);
}

void Theme::notify(bool loaded)
{
    // Every value property in declaration order, the scroll bar width last.
    const QMetaObject* meta = metaObject();
    QMetaProperty scrollBar;
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.hasNotifySignal())
            continue;
        if (qstrcmp(property.name(), "scrollBarWidth") == 0) {
            scrollBar = property;
            continue;
        }
        const QVariant value = property.read(this);
        property.notifySignal().invoke(this, Qt::DirectConnection,
                                       QGenericArgument(value.typeName(), value.constData()));
    }
    const QVariant width = scrollBar.read(this);
    scrollBar.notifySignal().invoke(this, Qt::DirectConnection,
                                    QGenericArgument(width.typeName(), width.constData()));
    if (loaded)
        emit themeDataChanged(true);
}
