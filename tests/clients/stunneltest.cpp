#include "stunneltest.h"

#include "clients/stunnel.h"
#include "support/logcapture.h"
#include "support/tunnellab.h"

#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

namespace {

QString templateText()
{
    QFile file(QStringLiteral(":/resources/config/stunnel.conf"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

} // namespace

void StunnelTest::configurationPerPlatform()
{
    const QString text = templateText();
    QCOMPARE(
        text,
        QStringLiteral(
            "sslVersion = TLSv1.2\r\nsocket = l:TCP_NODELAY=1\r\nsocket = r:TCP_NODELAY=1\r\n"
            "client = yes\r\n<ADVANCED_OPTIONS>\r\n\r\n[openvpn]\r\naccept = 127.0.0.1:1194\r\n"
            "connect = <HOSTNAME>:443\r\n"));
    const QString linux = Stunnel::configText(text, QStringLiteral("vpn1"), false);
    QVERIFY(
        linux.contains(QStringLiteral("client = yes\r\nforeground = yes\r\n\r\n[openvpn]\r\n")));
    QVERIFY(linux.endsWith(QStringLiteral("connect = vpn1:443\r\n")));
    const QString windows = Stunnel::configText(text, QStringLiteral("vpn1"), true);
    QVERIFY(windows.contains(QStringLiteral("client = yes\r\n\r\n\r\n[openvpn]\r\n")));
    QVERIFY(windows.endsWith(QStringLiteral("connect = vpn1:443\r\n")));
    QCOMPARE(Stunnel::advancedOptions(true), QString());
}

void StunnelTest::writesConfigurationAndConfirmsPerChunk()
{
    TunnelLab lab;
    QVERIFY(lab.linkStunnel(TunnelLab::fakeStunnel()));
    QTemporaryDir records;
    const QString copy = records.filePath(QStringLiteral("stunnel.conf"));
    qputenv("FAKE_STUNNEL_RECORD", copy.toUtf8());

    Stunnel stunnel;
    QSignalSpy started(&stunnel, &Stunnel::started);
    LogCapture log;
    QVERIFY(stunnel.start(QStringLiteral("vpn1")));
    QVERIFY(started.wait());
    QCOMPARE(started.first().first().toBool(), true);
    QVERIFY(log.contains(QStringLiteral("Stunnel: Process started with args: '%1', '%2'")
                             .arg(Stunnel::executablePath(), Stunnel::configPath())));
    QVERIFY(log.contains(QStringLiteral("Stunnel: Configuration successful")));
    QCOMPARE(Stunnel::configPath(),
             qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Corvalink/stunnel.conf"));
    QVERIFY(!QFile::exists(Stunnel::configPath()));
    QFile written(copy);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().contains("connect = vpn1:443\n"));

    stunnel.stop();
    QVERIFY(log.contains(QStringLiteral("Stunnel: Stop process")));
    QVERIFY(log.waitFor(QStringLiteral("Stunnel: Process finished with exit code '")));
    qunsetenv("FAKE_STUNNEL_RECORD");
}

void StunnelTest::secondStartStopsTheFirst()
{
    TunnelLab lab;
    QVERIFY(lab.linkStunnel(TunnelLab::fakeStunnel()));
    Stunnel stunnel;
    QSignalSpy started(&stunnel, &Stunnel::started);
    QVERIFY(stunnel.start(QStringLiteral("vpn1")));
    QVERIFY(started.wait());
    LogCapture log;
    QVERIFY(stunnel.start(QStringLiteral("vpn2")));
    QVERIFY(log.contains(QStringLiteral("Stunnel: Stop process")));
    QVERIFY(started.wait());
    QCOMPARE(started.count(), 2);
}

void StunnelTest::realStunnelAcceptsOurConfiguration()
{
    const QString real = QStandardPaths::findExecutable(QStringLiteral("stunnel"));
    QVERIFY2(!real.isEmpty(), "stunnel4 is not installed");
    TunnelLab lab;
    QVERIFY(lab.linkStunnel(real));
    Stunnel stunnel;
    QSignalSpy started(&stunnel, &Stunnel::started);
    LogCapture log;
    // Only ever this machine: accept on 127.0.0.1:1194, connect to 127.0.0.1:443.
    QVERIFY(stunnel.start(QStringLiteral("127.0.0.1")));
    QVERIFY2(started.wait(15000), qPrintable(log.messages().join(QLatin1Char('\n'))));
    QCOMPARE(started.first().first().toBool(), true);
    stunnel.stop();
}
