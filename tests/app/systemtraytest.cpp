#include "systemtraytest.h"

#include "app/systemtray.h"
#include "support/xsession.h"

#include <QImage>
#include <QProcess>
#include <QtTest>

void SystemTrayTest::greyLookKeepsLuminanceAndAThirdOfAlpha()
{
    QImage colour(2, 1, QImage::Format_ARGB32);
    colour.setPixel(0, 0, qRgba(255, 0, 0, 255));
    colour.setPixel(1, 0, qRgba(10, 20, 30, 91));
    const QImage grey = SystemTray::greyImage(colour);
    QCOMPARE(grey.pixel(0, 0), qRgba(87, 87, 87, 85));
    // 580 / 32 and 91 / 3, both truncated.
    QCOMPARE(grey.pixel(1, 0), qRgba(18, 18, 18, 30));

    const QImage icon(QStringLiteral(":/resources/icons/app/app.png"));
    QVERIFY(!icon.isNull());
    QCOMPARE(SystemTray::greyImage(icon).size(), icon.size());
}

void SystemTrayTest::trayBehavesUnderATrayHost()
{
    XSession session;
    QVERIFY2(session.start(true), qPrintable(session.error()));
    QProcess probe;
    probe.setProcessEnvironment(session.environment());
    probe.setProcessChannelMode(QProcess::MergedChannels);
    probe.start(QString::fromLocal8Bit(qgetenv("CORVALINK_TRAY_PROBE")), QStringList());
    QVERIFY(probe.waitForFinished(60000));
    const QByteArray output = probe.readAll();
    QVERIFY2(probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0 &&
                 output.contains(" passed, 0 failed, 0 skipped"),
             output.constData());
}
