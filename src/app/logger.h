#pragma once

#include <QDateTime>
#include <QFile>
#include <QFileInfoList>
#include <QObject>
#include <QString>
#include <QTextStream>

// One log file per run in the "logs" folder under the user's application-data folder. Every
// message of Qt's message logger lands there, one flushed line each.
class Logger : public QObject
{
    Q_OBJECT

public:
    static constexpr int maximumLogFiles = 10;

    static Logger* instance();

    Q_INVOKABLE void openLogFolder();
    Q_INVOKABLE void qmlLog(const QString& objectName, const QString& message);
    void logBanner(const QString& objectName, const QString& text);
    QString currentLogFilePath();
    QString tunnelLogFilePath();
    QString logFolderPath() const { return m_logFolderPath; }
    bool isInitialised() const { return m_initialised; }

    // Lines in the client's convention: the source's object name, ": ", the text.
    static void debug(const QString& source, const QString& text);
    static void info(const QString& source, const QString& text);
    static void warning(const QString& source, const QString& text);
    static void critical(const QString& source, const QString& text);

    static QString logFileNameFor(const QDateTime& startTime);
    static QString tunnelLogPathFor(const QString& clientLogPath);
    // Of a folder listing sorted newest first: the ".log" files beyond the newest nine.
    static QStringList filesToPrune(const QFileInfoList& newestFirst);
    static QString formatMessage(QtMsgType type, const QMessageLogContext& context,
                                 const QString& message);

private:
    Logger();
    ~Logger() override;
    bool initialise();
    void write(const QString& line);
    static QString baseFolder();
    static void handleMessage(QtMsgType type, const QMessageLogContext& context,
                              const QString& message);

    QFile m_logFile;
    QString m_logFileName;
    const QString m_lineTimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");
    const QString m_folderName = QStringLiteral("logs");
    QString m_logFolderPath;
    bool m_initialised = false;
    QTextStream m_stream;
};
