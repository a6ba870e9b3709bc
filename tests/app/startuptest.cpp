#include "startuptest.h"

#include "app/criticalerrorbox.h"
#include "app/startup.h"
#include "support/testenvironment.h"
#include "support/xsession.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

namespace {

const int processTimeoutMs = 20000;

QString readAll(const QString& folder)
{
    QString text;
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files)) {
        QFile log(file.absoluteFilePath());
        if (log.open(QIODevice::ReadOnly))
            text += QString::fromUtf8(log.readAll());
    }
    return text;
}

bool waitForLog(const QString& folder, const QString& text)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < processTimeoutMs) {
        if (readAll(folder).contains(text))
            return true;
        QTest::qWait(100);
    }
    return false;
}

void stop(QProcess& process)
{
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

} // namespace

void StartupTest::initTestCase()
{
    m_client = TestEnvironment::clientBinary();
    QVERIFY2(QFile::exists(m_client), "CORVALINK_BINARY must name the built client");
}

QProcessEnvironment StartupTest::clientEnvironment(const XSession& session,
                                                   const QString& name) const
{
    const QString home = TestEnvironment::root() + QLatin1Char('/') + name;
    QProcessEnvironment env = session.environment();
    const QList<QPair<QString, QString>> folders{
        {QStringLiteral("HOME"), home},
        {QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config")},
        {QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share")},
        {QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache")},
        {QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/runtime")}};
    for (const auto& folder : folders) {
        QDir().mkpath(folder.second);
        env.insert(folder.first, folder.second);
    }
    QFile::setPermissions(home + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return env;
}

QString StartupTest::logFolder(const QString& name) const
{
    return TestEnvironment::root() + QLatin1Char('/') + name +
           QStringLiteral("/.local/share/Corvalink/logs");
}

void StartupTest::debugOptionSetsDebugMode()
{
    QVERIFY(Startup::parseCommandLine({QStringLiteral("corvalink"), QStringLiteral("-d")}));
    QVERIFY(Startup::parseCommandLine({QStringLiteral("corvalink"), QStringLiteral("--debug")}));
    QVERIFY(!Startup::parseCommandLine({QStringLiteral("corvalink")}));
}

void StartupTest::showLogsOpensFolderAndKeepsBoxOpen()
{
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
    CriticalErrorBox box;
    QCOMPARE(box.windowTitle(), QStringLiteral("Corvalink"));
    QCOMPARE(box.text(),
             QStringLiteral("Critical error, exiting (Click 'Show logs' for details)."));
    QCOMPARE(box.buttons().size(), 2);
    QCOMPARE(box.buttonRole(box.closeButton()), QMessageBox::AcceptRole);
    QCOMPARE(box.buttonRole(box.showLogsButton()), QMessageBox::ActionRole);
    QCOMPARE(box.showLogsButton()->text(), QStringLiteral("Show logs"));

    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(box.showLogsButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(m_openedUrls.size(), 1);
    QVERIFY(m_openedUrls.first().isLocalFile());
    QVERIFY(box.isVisible());

    QTest::mouseClick(box.closeButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(!box.isVisible());
    QCOMPARE(box.clickedButton(), box.closeButton());

    // Escape, like closing the window, ends it too.
    CriticalErrorBox escaped;
    escaped.show();
    QVERIFY(QTest::qWaitForWindowExposed(&escaped));
    QTest::keyClick(&escaped, Qt::Key_Escape);
    QCoreApplication::processEvents();
    QVERIFY(!escaped.isVisible());
    QCOMPARE(escaped.clickedButton(), escaped.closeButton());
}

void StartupTest::secondStartWakesFirstAndExits()
{
    XSession session;
    QVERIFY2(session.start(true), qPrintable(session.error()));
    const QProcessEnvironment env = clientEnvironment(session, QStringLiteral("twice"));
    const QString logs = logFolder(QStringLiteral("twice"));

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(m_client, QStringList());
    QVERIFY(first.waitForStarted());
    QVERIFY2(waitForLog(logs, QStringLiteral("Application: OpenSSL for Qt: ")),
             qPrintable(readAll(logs)));
    QVERIFY(readAll(logs).contains(QStringLiteral("\tinfo\tApplication: Started on ")));
    QVERIFY(session.waitForWindow(QStringLiteral("Corvalink"), processTimeoutMs));
    // The tray icon and helper windows carry the name too; the main window follows its QML.
    const QRegularExpression mainWindow(QStringLiteral("\"Corvalink\": \\(.*\\)\\s+400x650\\+"));
    QString tree;
    QTRY_VERIFY2_WITH_TIMEOUT(
        (tree = session.runTool(QStringLiteral("xwininfo"),
                                {QStringLiteral("-root"), QStringLiteral("-tree")}))
            .contains(mainWindow),
        qPrintable(tree), processTimeoutMs);

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(m_client, QStringList());
    QVERIFY(second.waitForFinished(processTimeoutMs));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);

    QVERIFY2(waitForLog(logs, QStringLiteral("\tinfo\tApplication: Message to show app on top")),
             qPrintable(readAll(logs)));
    QCOMPARE(QDir(logs).entryList(QDir::Files).size(), 1);
    QCOMPARE(first.state(), QProcess::Running);
    stop(first);
}

void StartupTest::versionAndHelpComeFromTheCommandLine()
{
    XSession session;
    QVERIFY2(session.start(true), qPrintable(session.error()));
    const QProcessEnvironment env = clientEnvironment(session, QStringLiteral("version"));

    // The installed version comes from the installer's description beside the binary.
    const QString installed = TestEnvironment::root() + QStringLiteral("/installed");
    QVERIFY(QDir().mkpath(installed));
    QVERIFY(QFile::copy(m_client, installed + QStringLiteral("/corvalink")));
    QFile components(installed + QStringLiteral("/components.xml"));
    QVERIFY(components.open(QIODevice::WriteOnly));
    components.write(
        "<Packages><Package><Name>corvalink</Name><Version>2.4.1</Version></Package></Packages>");
    components.close();

    QProcess version;
    version.setProcessEnvironment(env);
    version.start(installed + QStringLiteral("/corvalink"), {QStringLiteral("--version")});
    QVERIFY(version.waitForFinished(processTimeoutMs));
    QCOMPARE(version.exitCode(), 0);
    // A build with the lab's keys says so under the version.
    QCOMPARE(QString::fromUtf8(version.readAllStandardOutput()).trimmed(),
             QStringLiteral("Corvalink ") +
                 Startup::versionText(QStringLiteral("2.4.1"), Startup::builtWithLabKeyMaterial()));

    QProcess help;
    help.setProcessEnvironment(env);
    help.start(m_client, {QStringLiteral("--help")});
    QVERIFY(help.waitForFinished(processTimeoutMs));
    QCOMPARE(help.exitCode(), 0);
    const QString text = QString::fromUtf8(help.readAllStandardOutput());
    QVERIFY2(text.contains(QStringLiteral("-d, --debug")) &&
                 text.contains(QStringLiteral("Debug mode.")),
             qPrintable(text));
    QVERIFY(!QDir(logFolder(QStringLiteral("version"))).exists());
}

void StartupTest::noSystemTrayEndsWithCodeOne()
{
    XSession session;
    QVERIFY2(session.start(false), qPrintable(session.error()));
    QProcess client;
    client.setProcessChannelMode(QProcess::MergedChannels);
    client.setProcessEnvironment(clientEnvironment(session, QStringLiteral("notray")));
    client.start(m_client, QStringList());
    QVERIFY(client.waitForStarted());
    QVERIFY2(session.waitForWindow(QStringLiteral("Corvalink"), processTimeoutMs),
             qPrintable(QStringLiteral("the critical box never showed; the client %1; its windows: "
                                       "%2; its output: %3")
                            .arg(client.state() == QProcess::Running ? QStringLiteral("runs")
                                                                     : QStringLiteral("ended"),
                                 session
                                     .runTool(QStringLiteral("xwininfo"),
                                              {QStringLiteral("-root"), QStringLiteral("-tree")})
                                     .simplified(),
                                 QString::fromLocal8Bit(client.readAll()))));

    const QString tree = session.runTool(QStringLiteral("xwininfo"),
                                         {QStringLiteral("-root"), QStringLiteral("-tree")});
    QVERIFY(client.state() == QProcess::Running);
    // Confirm the box with its only button.
    session.runTool(QStringLiteral("xdotool"),
                    {QStringLiteral("search"), QStringLiteral("--name"),
                     QStringLiteral("^Corvalink$"), QStringLiteral("windowfocus"),
                     QStringLiteral("--sync"), QStringLiteral("key"), QStringLiteral("Return")});
    const bool ended = client.waitForFinished(processTimeoutMs);
    if (!ended)
        stop(client);
    QVERIFY2(ended, qPrintable(tree));
    QCOMPARE(client.exitStatus(), QProcess::NormalExit);
    QCOMPARE(client.exitCode(), 1);
    QVERIFY(!QDir(logFolder(QStringLiteral("notray"))).exists());
}
