#include "loggertest.h"

#include "app/logger.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

namespace {

void writeFileAged(const QString& path, int hoursOld)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("old\n");
    QVERIFY(file.flush());
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600 * hoursOld),
                             QFileDevice::FileModificationTime));
}

} // namespace

void LoggerTest::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("Corvalink"));
    m_base = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QVERIFY(m_base.endsWith(QStringLiteral("/Corvalink")));
    QVERIFY(m_base.startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
}

void LoggerTest::failedInitialisationIsRetried()
{
    // The base folder is a plain file: "logs" cannot be made.
    QDir().mkpath(QFileInfo(m_base).path());
    QFile blocker(m_base);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QTest::ignoreMessage(
        QtWarningMsg,
        qPrintable(
            QStringLiteral("Logger: Log folder does not exists or cannot be created: %1, logs")
                .arg(m_base)));
    QVERIFY(!Logger::instance()->isInitialised());

    // "logs" is a file: it cannot be entered.
    QVERIFY(QFile::remove(m_base));
    QVERIFY(QDir().mkpath(m_base));
    QFile logsFile(m_base + QStringLiteral("/logs"));
    QVERIFY(logsFile.open(QIODevice::WriteOnly));
    logsFile.close();
    QTest::ignoreMessage(
        QtWarningMsg,
        qPrintable(
            QStringLiteral("Logger: Cannot change path to log folder: %1, logs").arg(m_base)));
    QVERIFY(!Logger::instance()->isInitialised());
    QVERIFY(QFile::remove(logsFile.fileName()));
}

void LoggerTest::startKeepsNineNewestLogsBesideOtherFiles()
{
    const QString folder = m_base + QStringLiteral("/logs");
    QVERIFY(QDir().mkpath(folder));
    QStringList expectedKept;
    for (int i = 1; i <= 12; ++i) {
        const QString name = QStringLiteral("2020-01-01_00-00-%1-%2.log")
                                 .arg(i, 2, 10, QLatin1Char('0'))
                                 .arg(i % 2 ? QStringLiteral("app") : QStringLiteral("vpn"));
        writeFileAged(folder + QLatin1Char('/') + name, i);
        if (i <= 9)
            expectedKept << name;
    }
    writeFileAged(folder + QStringLiteral("/notes.txt"), 100);
    writeFileAged(folder + QStringLiteral("/more.txt"), 1);
    writeFileAged(folder + QStringLiteral("/archive.log.gz"), 200);
    writeFileAged(folder + QStringLiteral("/rotated.old.log"), 300);

    Logger* logger = Logger::instance();
    QVERIFY(logger->isInitialised());
    const QString current = QFileInfo(logger->currentLogFilePath()).fileName();
    expectedKept << current << QStringLiteral("notes.txt") << QStringLiteral("more.txt")
                 << QStringLiteral("archive.log.gz") << QStringLiteral("rotated.old.log");

    QStringList present = QDir(folder).entryList(QDir::Files);
    present.sort();
    expectedKept.sort();
    QCOMPARE(present, expectedKept);
    QCOMPARE(logger->logFolderPath(), QDir(folder).absolutePath());
}

void LoggerTest::namesFilesAfterStartTime()
{
    const QDateTime start(QDate(2024, 5, 1), QTime(10, 20, 30));
    QCOMPARE(Logger::logFileNameFor(start), QStringLiteral("2024-05-01_10-20-30-app.log"));
    QVERIFY(QFileInfo(Logger::instance()->currentLogFilePath())
                .fileName()
                .contains(QRegularExpression(
                    QStringLiteral("^\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d-app\\.log$"))));
}

void LoggerTest::writesOneFlushedLinePerMessage()
{
    qInfo().noquote() << "LoggerTest: first";
    qWarning().noquote() << "LoggerTest: second";
    qCritical().noquote() << "LoggerTest: third";

    const QStringList lines = logLines();
    QVERIFY(lines.size() >= 3);
    const QRegularExpression shape(
        QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\t(\\w+)\\t(.*)$"));
    const QStringList lastThree = lines.mid(lines.size() - 3);
    const QStringList types{QStringLiteral("info"), QStringLiteral("warning"),
                            QStringLiteral("critical")};
    const QStringList messages{QStringLiteral("LoggerTest: first"),
                               QStringLiteral("LoggerTest: second"),
                               QStringLiteral("LoggerTest: third")};
    for (int i = 0; i < 3; ++i) {
        const QRegularExpressionMatch match = shape.match(lastThree[i]);
        QVERIFY2(match.hasMatch(), qPrintable(lastThree[i]));
        QCOMPARE(match.captured(1), types[i]);
        QCOMPARE(match.captured(2), messages[i]);
    }
}

void LoggerTest::foldsWhiteSpaceIntoSingleBlanks()
{
    qInfo().noquote() << "  LoggerTest: line one\n\tline  two\r\n  line three  ";
    QCOMPARE(lastMessage(), QStringLiteral("LoggerTest: line one line two line three"));
}

void LoggerTest::dropsBlankAndClipboardRetryMessages()
{
    const int before = logLines().size();
    qInfo().noquote() << " \n\t \r\n ";
    qWarning().noquote() << "QXcbClipboard: Retrying to obtain clipboard.";
    qDebug().noquote() << "";
    QCOMPARE(logLines().size(), before);
}

void LoggerTest::qmlLogAndBannerFollowTheConvention()
{
    Logger::instance()->qmlLog(QStringLiteral("SettingsWindow"), QStringLiteral("Settings saved"));
    QCOMPARE(lastMessage(), QStringLiteral("SettingsWindow: Settings saved"));
    QVERIFY(logLines().last().contains(QStringLiteral("\tinfo\t")));

    Logger::instance()->logBanner(QStringLiteral("OpenVpnClient"), QStringLiteral("Connected"));
    QCOMPARE(lastMessage(), QStringLiteral("OpenVpnClient: ========== CONNECTED =========="));
}

void LoggerTest::tunnelLogLiesBesideClientLog()
{
    QCOMPARE(Logger::tunnelLogPathFor(QStringLiteral("/x/logs/2024-05-01_10-20-30-app.log")),
             QStringLiteral("/x/logs/2024-05-01_10-20-30-vpn.log"));
    QCOMPARE(Logger::tunnelLogPathFor(
                 QStringLiteral("/home/john-appleseed/logs/2024-05-01_10-20-30-app.log")),
             QStringLiteral("/home/john-appleseed/logs/2024-05-01_10-20-30-vpn.log"));
    const QString client = Logger::instance()->currentLogFilePath();
    const QString tunnel = Logger::instance()->tunnelLogFilePath();
    QCOMPARE(QFileInfo(tunnel).path(), QFileInfo(client).path());
    QVERIFY(tunnel.endsWith(QStringLiteral("-vpn.log")));
    QCOMPARE(QString(tunnel).replace(QStringLiteral("-vpn"), QStringLiteral("-app")), client);
}

void LoggerTest::openLogFolderOpensTheFolderUrl()
{
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
    Logger::instance()->openLogFolder();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(m_openedUrls.size(), 1);
    QCOMPARE(m_openedUrls.first().toLocalFile(), Logger::instance()->logFolderPath());
}

QStringList LoggerTest::logLines() const
{
    QFile file(Logger::instance()->currentLogFilePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString LoggerTest::lastMessage() const
{
    const QStringList lines = logLines();
    return lines.isEmpty() ? QString() : lines.last().section(QLatin1Char('\t'), 2);
}
