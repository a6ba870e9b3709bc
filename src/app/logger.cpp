#include "logger.h"

#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QStandardPaths>
#include <QTextCodec>
#include <QUrl>

namespace {

const char fileNameTimeFormat[] = "yyyy-MM-dd_hh-mm-ss";
// The new file makes the tenth.
const int keptOldLogFiles = Logger::maximumLogFiles - 1;

} // namespace

Logger::Logger()
{
    setObjectName(QStringLiteral("Logger"));
}

Logger::~Logger()
{
    // Messages after this point must not reach a closed stream.
    if (m_initialised)
        qInstallMessageHandler(nullptr);
}

Logger* Logger::instance()
{
    static Logger logger;
    logger.initialise();
    return &logger;
}

QString Logger::baseFolder()
{
    static const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return folder;
}

QString Logger::logFileNameFor(const QDateTime& startTime)
{
    return QStringLiteral("%1-app.%2")
        .arg(startTime.toString(QLatin1String(fileNameTimeFormat)), QStringLiteral("log"));
}

QString Logger::tunnelLogPathFor(const QString& clientLogPath)
{
    // Only in the file name: a folder such as "john-appleseed" on the way stays as it is.
    const int cut = qMax(clientLogPath.lastIndexOf(QLatin1Char('/')),
                         clientLogPath.lastIndexOf(QLatin1Char('\\'))) +
                    1;
    return clientLogPath.left(cut) +
           clientLogPath.mid(cut).replace(QStringLiteral("-app"), QStringLiteral("-vpn"));
}

QStringList Logger::filesToPrune(const QFileInfoList& newestFirst)
{
    QStringList pruned;
    int logFiles = 0;
    for (const QFileInfo& file : newestFirst) {
        if (file.completeSuffix() != QLatin1String("log"))
            continue;
        if (++logFiles > keptOldLogFiles)
            pruned << file.absoluteFilePath();
    }
    return pruned;
}

bool Logger::initialise()
{
    if (m_initialised)
        return true;

    const QString base = baseFolder();
    QDir dir(base);
    if (!dir.exists(m_folderName) && !dir.mkpath(m_folderName)) {
        qWarning().noquote().nospace()
            << objectName() << ": "
            << "Log folder does not exists or cannot be created: " << base << ", " << m_folderName;
        return false;
    }
    if (!dir.cd(m_folderName)) {
        qWarning().noquote().nospace()
            << objectName() << ": "
            << "Cannot change path to log folder: " << base << ", " << m_folderName;
        return false;
    }

    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Time);
    for (const QString& path : filesToPrune(files))
        QFile::remove(path);

    m_logFileName = logFileNameFor(QDateTime::currentDateTime());
    qSetMessagePattern(QStringLiteral("%{time %1}\t%{type}%2%{message}")
                           .arg(m_lineTimeFormat, QStringLiteral("\t")));

    m_logFile.setFileName(dir.absoluteFilePath(m_logFileName));
    if (!m_logFile.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    m_logFile.setTextModeEnabled(true);
    m_stream.setDevice(&m_logFile);
    m_stream.setCodec(QTextCodec::codecForName("UTF-8"));
    m_initialised = true;
    qInstallMessageHandler(&Logger::handleMessage);
    m_logFolderPath = dir.absolutePath();
    return true;
}

QString Logger::formatMessage(QtMsgType type, const QMessageLogContext& context,
                              const QString& message)
{
    const QString simplified = message.simplified();
    if (simplified.isEmpty() || message.contains(QLatin1String("Retrying to obtain clipboard.")))
        return {};
    return qFormatLogMessage(type, context, simplified);
}

void Logger::handleMessage(QtMsgType type, const QMessageLogContext& context,
                           const QString& message)
{
    const QString line = formatMessage(type, context, message);
    if (!line.isEmpty())
        instance()->write(line);
}

void Logger::write(const QString& line)
{
    m_stream << line << Qt::endl;
}

void Logger::openLogFolder()
{
    const QUrl url = QUrl::fromLocalFile(m_logFolderPath);
    if (!QDesktopServices::openUrl(url))
        warning(objectName(), QStringLiteral("Can't open openUrl") + url.toString());
}

void Logger::qmlLog(const QString& objectName, const QString& message)
{
    info(objectName, message);
}

void Logger::logBanner(const QString& objectName, const QString& text)
{
    info(objectName, QStringLiteral("========== %1 ==========").arg(text.toUpper()));
}

QString Logger::currentLogFilePath()
{
    QDir dir(baseFolder());
    if (!dir.cd(m_folderName)) {
        warning(objectName(),
                QStringLiteral("Log folder doesn't exist or cannot be accessed: ") + baseFolder());
        return {};
    }
    return dir.absoluteFilePath(m_logFileName);
}

QString Logger::tunnelLogFilePath()
{
    const QString clientLog = currentLogFilePath();
    return clientLog.isEmpty() ? QString() : tunnelLogPathFor(clientLog);
}

void Logger::debug(const QString& source, const QString& text)
{
    qDebug().noquote() << source + QStringLiteral(": ") + text;
}

void Logger::info(const QString& source, const QString& text)
{
    qInfo().noquote() << source + QStringLiteral(": ") + text;
}

void Logger::warning(const QString& source, const QString& text)
{
    qWarning().noquote() << source + QStringLiteral(": ") + text;
}

void Logger::critical(const QString& source, const QString& text)
{
    qCritical().noquote() << source + QStringLiteral(": ") + text;
}
