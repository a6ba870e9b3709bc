#include "autostarttest.h"

#include "utils/autostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QtTest>

namespace {

QString entryPath()
{
    return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/autostart/") +
           QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
           QStringLiteral(".desktop");
}

QString readEntry()
{
    QFile file(entryPath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeEntry(const QString& exec)
{
    QDir().mkpath(QFileInfo(entryPath()).path());
    QFile file(entryPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Desktop Entry]\nType=Application\nExec=" + exec.toUtf8() + "\n");
}

void expectLog(bool enable, bool tookEffect)
{
    QTest::ignoreMessage(
        QtInfoMsg, qPrintable(QStringLiteral("AutoStart: AutoStart: Set enabled: '%1', status '%2'")
                                  .arg(enable ? "true" : "false", tookEffect ? "true" : "false")));
}

} // namespace

void AutoStartTest::cleanup()
{
    QFile::remove(entryPath());
}

void AutoStartTest::enableWritesQuotedExecutablePath()
{
    QVERIFY(!AutoStart::isAutoStartEnabled());
    expectLog(true, true);
    QVERIFY(AutoStart::setAutoStart(true));
    QVERIFY(AutoStart::isAutoStartEnabled());

    const QString entry = readEntry();
    QVERIFY(entry.startsWith(QStringLiteral("[Desktop Entry]\n")));
    QVERIFY(entry.contains(QStringLiteral("\nType=Application\n")));
    QVERIFY(entry.contains(
        QStringLiteral("\nExec=\"%1\"\n").arg(QCoreApplication::applicationFilePath())));
    QCOMPARE(AutoStart::expectedValue(),
             QStringLiteral("\"%1\"").arg(QCoreApplication::applicationFilePath()));
}

void AutoStartTest::disableRemovesEntry()
{
    expectLog(true, true);
    AutoStart::setAutoStart(true);
    expectLog(false, true);
    QVERIFY(!AutoStart::setAutoStart(false));
    QVERIFY(!QFile::exists(entryPath()));
    QVERIFY(!AutoStart::isAutoStartEnabled());
}

void AutoStartTest::disablingWithoutEntryReportsSuccess()
{
    QVERIFY(!QFile::exists(entryPath()));
    expectLog(false, true);
    QVERIFY(!AutoStart::setAutoStart(false));
}

void AutoStartTest::differentExecValueIsNotRegistered_data()
{
    const QString path = QCoreApplication::applicationFilePath();
    QTest::addColumn<QString>("exec");
    QTest::newRow("path without quotes") << path;
    QTest::newRow("other program, quoted") << QStringLiteral("\"/usr/bin/other\"");
    QTest::newRow("quoted path with an argument") << QStringLiteral("\"%1\" --debug").arg(path);
    QTest::newRow("single quotes") << QStringLiteral("'%1'").arg(path);
}

void AutoStartTest::differentExecValueIsNotRegistered()
{
    QFETCH(QString, exec);
    writeEntry(exec);
    QVERIFY(!AutoStart::isAutoStartEnabled());
}

void AutoStartTest::windows11RuleUsesBuildNumber_data()
{
    QTest::addColumn<int>("build");
    QTest::addColumn<QString>("displayVersion");
    QTest::addColumn<QString>("name");
    QTest::newRow("21999 keeps Qt's name") << 21999 << "21H2"
                                           << "Windows 10 Version 21H2";
    QTest::newRow("22000 with display version") << 22000 << "21H2"
                                                << "Windows 11 Version 21H2 (build 22000)";
    QTest::newRow("22000 without display version") << 22000 << ""
                                                   << "Windows 11 (build 22000)";
    QTest::newRow("22631 with display version") << 22631 << "23H2"
                                                << "Windows 11 Version 23H2 (build 22631)";
}

void AutoStartTest::windows11RuleUsesBuildNumber()
{
    QFETCH(int, build);
    QFETCH(QString, displayVersion);
    QFETCH(QString, name);
    QCOMPARE(AutoStart::windowsDisplayNameFor(build, displayVersion,
                                              QStringLiteral("Windows 10 Version 21H2")),
             name);
}

void AutoStartTest::osNameIsThePrettyProductName()
{
    QCOMPARE(AutoStart::windowsDisplayName(), QSysInfo::prettyProductName());
}
