#include "update.h"

#include "app/logger.h"
#include "utils/utils.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <QXmlStreamReader>

namespace {

QString cachedInstalledVersion;

const QString noUpdatesText = QStringLiteral("There are currently no updates available");
const QString toolBaseName = QStringLiteral("maintenancetool");

} // namespace

Update::Update(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Update"));
}

QString Update::maintenanceToolPath()
{
    return Utils::executableName(toolBaseName, true);
}

void Update::checkForUpdates()
{
    const QString path = maintenanceToolPath();
    if (!QFile::exists(path)) {
        Logger::warning(objectName(), QStringLiteral("Disabled, '%1' does not exists")
                                          .arg(Utils::executableName(toolBaseName)));
        return;
    }
    auto* process = new QProcess(this);
    m_process = process;
    process->setProcessChannelMode(QProcess::MergedChannels);
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            [this](int, QProcess::ExitStatus status) {
                if (status == QProcess::NormalExit)
                    checkForUpdatesProcessFinished();
            });
    process->start(path, {QStringLiteral("--checkupdates")}, QIODevice::ReadWrite);
    // Each timer abandons its own run, so a later check keeps its full time.
    const QPointer<QProcess> run(process);
    QTimer::singleShot(m_checkTimeoutMs, this, [run] {
        if (run)
            run->kill();
    });
}

void Update::checkForUpdatesProcessFinished()
{
    auto* process = qobject_cast<QProcess*>(sender());
    if (!process)
        process = m_process;
    if (!process)
        return;
    QString newVersion = newVersionFromOutput(QString::fromLocal8Bit(process->readAll()));
    const QString installed = installedVersion();
    // Without a known installed version any offer is shown, as before there was a comparison.
    if (!newVersion.isEmpty() && !installed.isEmpty() && !isNewer(newVersion, installed)) {
        Logger::info(
            objectName(),
            QStringLiteral("Offered version %1 is not newer than %2").arg(newVersion, installed));
        newVersion.clear();
    }
    if (!newVersion.isEmpty())
        Logger::info(objectName(),
                     QStringLiteral("Finished,  new version is available: ") + newVersion);
    else
        Logger::info(objectName(), noUpdatesText);
    emit newVersionIsAvailable(newVersion);
}

QString Update::newVersionFromOutput(const QString& output)
{
    if (output.contains(noUpdatesText))
        return {};
    // The "version" attribute of an update element: not a declaration's, not another element's.
    static const QRegularExpression element(QStringLiteral("<update(\\s[^<>]*)>"));
    static const QRegularExpression attribute(QStringLiteral("\\sversion=\"([^\"]*)\""));
    // To the very end: "$" would also pass a version followed by a line break.
    static const QRegularExpression versionForm(QStringLiteral("^[\\d.,]*\\d[\\d.,]*\\z"));
    QRegularExpressionMatchIterator elements = element.globalMatch(output);
    while (elements.hasNext()) {
        const QString version = attribute.match(elements.next().captured(1)).captured(1);
        if (versionForm.match(version).hasMatch())
            return version;
    }
    return {};
}

bool Update::isNewer(const QString& offered, const QString& installed)
{
    static const QRegularExpression separators(QStringLiteral("[.,-]"));
    const QStringList offeredParts = offered.split(separators);
    const QStringList installedParts = installed.split(separators);
    for (int i = 0; i < qMax(offeredParts.size(), installedParts.size()); ++i) {
        const qulonglong a = offeredParts.value(i).toULongLong();
        const qulonglong b = installedParts.value(i).toULongLong();
        if (a != b)
            return a > b;
    }
    return false;
}

void Update::startUpdater()
{
    qint64 pid = 0;
    const bool started =
        QProcess::startDetached(maintenanceToolPath(), {QStringLiteral("--updater")}, {}, &pid);
    Logger::info(objectName(),
                 QStringLiteral("Maintenance tool started in update mode: %1, pid: %2")
                     .arg(Utils::boolText(started))
                     .arg(pid));
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
