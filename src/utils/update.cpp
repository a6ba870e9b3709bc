#include "update.h"

#include "app/logger.h"
#include "utils/utils.h"

#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

namespace {

QString cachedInstalledVersion;

} // namespace

Update::Update(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Update"));
}

QString Update::versionFromComponents(const QByteArray& xml)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd() && !reader.hasError()) {
        if (reader.readNext() == QXmlStreamReader::StartElement &&
            reader.name() == QLatin1String("Version"))
            return reader.readElementText();
    }
    if (reader.hasError())
        Logger::debug(QStringLiteral("Update"),
                      QStringLiteral("Cannot parse XML: ") + reader.errorString());
    return {};
}

QString Update::installedVersion()
{
    if (!cachedInstalledVersion.isEmpty())
        return cachedInstalledVersion;
    QFile file(QDir(Utils::applicationDirectory()).filePath(QStringLiteral("components.xml")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    cachedInstalledVersion = versionFromComponents(file.readAll());
    return cachedInstalledVersion;
}
