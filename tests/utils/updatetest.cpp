#include "updatetest.h"

#include "utils/update.h"
#include "utils/utils.h"

#include "support/logcapture.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void writeComponents(const QString& folder, const QByteArray& xml)
{
    QFile file(folder + QStringLiteral("/components.xml"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(xml);
}

void writeFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// The fake maintenance tool installed in a fresh application directory.
void installTool(const QTemporaryDir& dir)
{
    const QString tool = dir.filePath(QStringLiteral("maintenancetool"));
    QVERIFY(QFile::copy(QString::fromLocal8Bit(qgetenv("CORVALINK_FAKE_MAINTENANCETOOL")), tool));
    QVERIFY(QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    Utils::setApplicationDirectoryForTesting(dir.path());
}

QString arguments(const QTemporaryDir& dir)
{
    QFile log(dir.filePath(QStringLiteral("arguments.log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

} // namespace

void UpdateTest::cleanup()
{
    Utils::setApplicationDirectoryForTesting(QString());
}

void UpdateTest::versionComesFromFirstVersionElement()
{
    QCOMPARE(Update::versionFromComponents("<Packages><ApplicationName>x</ApplicationName><Package>"
                                           "<Name>a</Name><Version>1.2.3-4</Version></Package>"
                                           "<Package><Version>9</Version></Package></Packages>"),
             QStringLiteral("1.2.3-4"));
    QCOMPARE(Update::versionFromComponents("<Packages><version>1</version></Packages>"), QString());
}

void UpdateTest::brokenDescriptionGivesEmptyVersion()
{
    QTest::ignoreMessage(QtDebugMsg,
                         QRegularExpression(QStringLiteral("^Update: Cannot parse XML: .+")));
    QCOMPARE(Update::versionFromComponents("<Packages><Package>"), QString());
}

void UpdateTest::installedVersionIsReadOnce()
{
    QTemporaryDir dir;
    Utils::setApplicationDirectoryForTesting(dir.path());
    QCOMPARE(Update::installedVersion(), QString());

    writeComponents(dir.path(), "<Packages><Package><Version>3.1.0</Version></Package></Packages>");
    QCOMPARE(Update::installedVersion(), QStringLiteral("3.1.0"));

    writeComponents(dir.path(), "<Packages><Package><Version>3.2.0</Version></Package></Packages>");
    QCOMPARE(Update::installedVersion(), QStringLiteral("3.1.0"));
}

void UpdateTest::checkReportsTheNewVersion_data()
{
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QByteArray>("errors");
    QTest::addColumn<QString>("version");
    const QByteArray noUpdates = "There are currently no updates available.\n";
    const QByteArray offer = "<updates>\n  <update name=\"Corvalink\" version=\"4.0.1\" "
                             "size=\"41943040\"/>\n</updates>\n";
    const auto update = [](const char* attributes) {
        return QByteArray("<updates><update ") + attributes + "/></updates>\n";
    };
    QTest::newRow("offer") << QByteArray("Checking for updates\n") + offer << QByteArray()
                           << QStringLiteral("4.0.1");
    QTest::newRow("none") << noUpdates << QByteArray() << QString();
    QTest::newRow("none beside an offer") << noUpdates + offer << QByteArray() << QString();
    QTest::newRow("build part with commas") << update("name=\"Corvalink\" version=\"4.0.2,1207,5\"")
                                            << QByteArray() << QStringLiteral("4.0.2,1207,5");
    QTest::newRow("offer on standard error")
        << QByteArray("Checking\n") << offer << QStringLiteral("4.0.1");
    QTest::newRow("unreadable") << QByteArray("Network error: host not found\n") << QByteArray()
                                << QString();
    // Only the update element's own attribute counts.
    QTest::newRow("after a declaration") << QByteArray("<?xml version=\"1.0\"?>\n") + offer
                                         << QByteArray() << QStringLiteral("4.0.1");
    QTest::newRow("other attributes first")
        << update("name=\"x\" minversion=\"9.9\" size=\"5\" version=\"4.1\"") << QByteArray()
        << QStringLiteral("4.1");
    QTest::newRow("another element's version")
        << QByteArray("<updates version=\"9.0\"><package version=\"9.1\"/></updates>\n")
        << QByteArray() << QString();
    QTest::newRow("dots only") << update("version=\"...\"") << QByteArray() << QString();
    QTest::newRow("letters") << update("version=\"4.0-beta\"") << QByteArray() << QString();
    QTest::newRow("line break in the version")
        << update("version=\"4.0.1\n\"") << QByteArray() << QString();
    // Against the installed 3.1.0.
    QTest::newRow("the installed one") << update("version=\"3.1.0\"") << QByteArray() << QString();
    QTest::newRow("older") << update("version=\"3.0.10\"") << QByteArray() << QString();
    QTest::newRow("newer by a tenth")
        << update("version=\"3.1.0.1\"") << QByteArray() << QStringLiteral("3.1.0.1");
}

void UpdateTest::checkReportsTheNewVersion()
{
    QFETCH(QByteArray, output);
    QFETCH(QByteArray, errors);
    QFETCH(QString, version);
    QTemporaryDir dir;
    installTool(dir);
    writeComponents(dir.path(), "<Packages><Package><Version>3.1.0</Version></Package></Packages>");
    writeFile(dir.filePath(QStringLiteral("output.txt")), output);
    if (!errors.isEmpty())
        writeFile(dir.filePath(QStringLiteral("errors.txt")), errors);

    LogCapture log;
    Update update;
    QSignalSpy result(&update, &Update::newVersionIsAvailable);
    update.checkForUpdates();
    QVERIFY(result.wait(10000));
    QCOMPARE(result.takeFirst().at(0).toString(), version);
    QCOMPARE(arguments(dir), QStringLiteral("--checkupdates\n"));
    QVERIFY(log.contains(version.isEmpty()
                             ? QStringLiteral("Update: There are currently no updates available")
                             : QStringLiteral("Update: Finished,  new version is available: ") +
                                   version));
}

void UpdateTest::missingOrHangingToolReportsNothing()
{
    QTemporaryDir dir;
    Utils::setApplicationDirectoryForTesting(dir.path());
    Update update;
    QSignalSpy result(&update, &Update::newVersionIsAvailable);
    {
        LogCapture log;
        update.checkForUpdates();
        QVERIFY(
            log.contains(QStringLiteral("Update: Disabled, 'maintenancetool' does not exists")));
        QVERIFY(update.findChildren<QProcess*>().isEmpty());
    }

    installTool(dir);
    writeFile(dir.filePath(QStringLiteral("hang")), QByteArray());
    update.setCheckTimeout(300);
    update.checkForUpdates();
    auto* process = update.findChild<QProcess*>();
    QVERIFY(process);
    QTRY_COMPARE_WITH_TIMEOUT(process->state(), QProcess::NotRunning, 5000);
    QCOMPARE(process->exitStatus(), QProcess::CrashExit);
    QTest::qWait(200);
    QCOMPARE(result.count(), 0);
}

void UpdateTest::updaterStartsDetached()
{
    QTemporaryDir dir;
    installTool(dir);
    LogCapture log;
    Update update;
    update.startUpdater();
    QTRY_COMPARE_WITH_TIMEOUT(arguments(dir), QStringLiteral("--updater\n"), 5000);
    QVERIFY(log.messages()
                .join(QLatin1Char('\n'))
                .contains(QRegularExpression(QStringLiteral(
                    "Update: Maintenance tool started in update mode: true, pid: [1-9]"))));
}
