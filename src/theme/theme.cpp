#include "theme.h"

#include "app/logger.h"
#include "theme/themedefaults.h"
#include "utils/utils.h"

#include <QDateTime>
#include <QDir>
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
    if (!QFileInfo::exists(path)) {
        rebuildDefaults();
        return;
    }
    QSettings file(path, QSettings::IniFormat);
    file.beginGroup(QStringLiteral("Main"));
    const QString version = file.value(QStringLiteral("version"), QStringLiteral("0")).toString();
    m_brandingEnabled = file.value(QStringLiteral("brandingEnabled"), m_brandingEnabled).toBool();
    if (!m_brandingEnabled) {
        Logger::warning(objectName(), QStringLiteral("Branding style is not enabled!"));
        rebuildDefaults();
        return;
    }
    m_darkStyle = file.value(QStringLiteral("darkStyle"), true).toBool();
    file.endGroup();
    Logger::info(objectName(), QStringLiteral("Version '%1', enabled: %2, dark style: %3")
                                   .arg(version, Utils::boolText(m_brandingEnabled),
                                        Utils::boolText(m_darkStyle)));
    rebuildDefaults();

    file.beginGroup(QStringLiteral("Style"));
    for (auto entry = m_properties.begin(); entry != m_properties.end(); ++entry)
        entry->data = file.value(entry.key(), entry->data.toString()).toString();
    file.endGroup();
    m_brandingFile = file.fileName();
}

bool Theme::saveBrandingFile(const QString& path) const
{
    QSettings file(path, QSettings::IniFormat);
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
