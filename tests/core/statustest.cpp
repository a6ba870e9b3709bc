#include "statustest.h"

#include "core/status.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QtTest>

namespace {

QString storePath()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("VPN"),
                     QStringLiteral("Status"))
        .fileName();
}

} // namespace

void StatusTest::init()
{
    QFile::remove(storePath());
}

void StatusTest::emptyStoreGivesBothFlagsOff()
{
    Status status;
    QCOMPARE(status.objectName(), QStringLiteral("Status"));
    QVERIFY(!status.killswitchActivated());
    QVERIFY(!status.dnsActivated());
    QVERIFY(storePath().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
}

void StatusTest::flagsAreStoredInProtectionGroup()
{
    Status status;
    status.setDnsActivated(true);
    QSettings store(storePath(), QSettings::IniFormat);
    QCOMPARE(store.value(QStringLiteral("Protection/dnsActivated")).toBool(), true);
    QCOMPARE(store.value(QStringLiteral("Protection/killswitchActivated")).toBool(), false);
    QVERIFY(Status().dnsActivated());

    status.setDnsActivated(false);
    QVERIFY(!Status().dnsActivated());
}

void StatusTest::unchangedValueWritesNothing()
{
    Status status;
    status.setKillswitchActivated(true);
    QVERIFY(QFile::exists(storePath()));
    QVERIFY(QFile::remove(storePath()));
    status.setKillswitchActivated(true);
    status.setDnsActivated(false);
    QVERIFY(!QFile::exists(storePath()));
    status.setKillswitchActivated(false);
    QVERIFY(QFile::exists(storePath()));
}

void StatusTest::flagSurvivesKilledProcess_data()
{
    QTest::addColumn<QString>("flag");
    QTest::newRow("kill switch") << "killswitch";
    QTest::newRow("dns") << "dns";
}

void StatusTest::flagSurvivesKilledProcess()
{
    QFETCH(QString, flag);
    QProcess writer;
    writer.start(qEnvironmentVariable("CORVALINK_STATUS_WRITER"), {flag});
    QVERIFY(writer.waitForStarted());
    QVERIFY(writer.waitForReadyRead(10000));
    QVERIFY2(writer.readAllStandardOutput().contains("set"),
             writer.readAllStandardError().constData());
    writer.kill(); // SIGKILL: no clean-up of any kind
    QVERIFY(writer.waitForFinished());
    QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

    Status status;
    QCOMPARE(status.killswitchActivated(), flag == QLatin1String("killswitch"));
    QCOMPARE(status.dnsActivated(), flag == QLatin1String("dns"));
}

void StatusTest::clearEmptiesStoreButKeepsFlags()
{
    Status status;
    status.setKillswitchActivated(true);
    status.setDnsActivated(true);
    status.clear();
    QVERIFY(status.killswitchActivated());
    QVERIFY(status.dnsActivated());
    Status fresh;
    QVERIFY(!fresh.killswitchActivated());
    QVERIFY(!fresh.dnsActivated());
}
