#include "trayprobe.h"

#include "app/systemtray.h"
#include "support/testenvironment.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QWidget>
#include <QtTest>

namespace {

QSystemTrayIcon* trayIcon(const SystemTray& tray)
{
    return tray.findChild<QSystemTrayIcon*>();
}

// The grey look is at most a third opaque; the colour icon has opaque pixels.
bool showsColour(const SystemTray& tray)
{
    const QImage image = trayIcon(tray)->icon().pixmap(QSize(64, 64)).toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 85)
                return true;
        }
    }
    return false;
}

QList<QWidget*> visibleWidgets(const char* className)
{
    QList<QWidget*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && qstrcmp(widget->metaObject()->className(), className) == 0)
            found << widget;
    }
    return found;
}

} // namespace

void TrayProbe::initTestCase()
{
    QVERIFY(QSystemTrayIcon::isSystemTrayAvailable());
}

void TrayProbe::menuReportsEachAction()
{
    SystemTray tray;
    tray.setConnectAction(QStringLiteral("Connect"), true);
    QMenu* menu = trayIcon(tray)->contextMenu();
    QVERIFY(menu);
    const QList<QAction*> entries = menu->actions();
    QCOMPARE(entries.size(), 4);
    QCOMPARE(entries.at(0)->text(), QStringLiteral("Connect"));
    QCOMPARE(entries.at(1)->text(), QStringLiteral("Settings"));
    QVERIFY(entries.at(2)->isSeparator());
    QCOMPARE(entries.at(3)->text(), QStringLiteral("Exit"));

    QSignalSpy connectClicks(&tray, &SystemTray::connectDisconnectActionClicked);
    QSignalSpy settingsClicks(&tray, &SystemTray::settingsActionClicked);
    QSignalSpy exitClicks(&tray, &SystemTray::exitActionClicked);
    for (QAction* entry : entries)
        entry->trigger();
    QCOMPARE(connectClicks.count() + settingsClicks.count() + exitClicks.count(), 3);
    QCOMPARE(exitClicks.count(), 1);

    tray.setConnectAction(QStringLiteral("Disconnect"), false);
    QVERIFY(!entries.at(0)->isEnabled());
    tray.showExitOnly();
    QCOMPARE(menu->actions().size(), 1);
    QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("Exit"));
}

void TrayProbe::flashingStopsAtTheConnectedLook()
{
    SystemTray tray;
    QVERIFY(trayIcon(tray)->isVisible());
    QVERIFY(!showsColour(tray));
    tray.setIconState(2);
    // The first tick of the process shows the colour look, the next one the grey look.
    QTRY_VERIFY_WITH_TIMEOUT(showsColour(tray), 1500);
    QTRY_VERIFY_WITH_TIMEOUT(!showsColour(tray), 1500);
    tray.setIconState(1);
    QVERIFY(showsColour(tray));
    QTest::qWait(2200);
    QVERIFY(showsColour(tray));
    tray.setIconState(0);
    QVERIFY(!showsColour(tray));
}

void TrayProbe::disabledMenuIgnoresClicks()
{
    SystemTray tray;
    QSignalSpy triggered(&tray, &SystemTray::triggeredClicked);
    QTRY_COMPARE_WITH_TIMEOUT(visibleWidgets("QSystemTrayIconSys").size(), 1, 5000);
    QWidget* icon = visibleWidgets("QSystemTrayIconSys").first();
    QTest::mouseClick(icon, Qt::LeftButton);
    QCOMPARE(triggered.count(), 1);
    QTest::mouseClick(icon, Qt::MiddleButton);
    QCOMPARE(triggered.count(), 1);

    tray.setMenuEnabled(false);
    QTest::mouseClick(icon, Qt::LeftButton);
    QCOMPARE(triggered.count(), 1);
    tray.setMenuEnabled(true);
    QTest::mouseClick(icon, Qt::LeftButton);
    QCOMPARE(triggered.count(), 2);
}

void TrayProbe::emptyMessageShowsNoBalloon()
{
    SystemTray tray;
    QTRY_COMPARE_WITH_TIMEOUT(visibleWidgets("QSystemTrayIconSys").size(), 1, 5000);
    tray.showMessage(QStringLiteral("Corvalink"), QString());
    QTest::qWait(300);
    QCOMPARE(visibleWidgets("QBalloonTip").size(), 0);
    tray.showMessage(QString(), QStringLiteral("Connected"));
    QTRY_COMPARE_WITH_TIMEOUT(visibleWidgets("QBalloonTip").size(), 1, 3000);
}

CORVALINK_TEST_MAIN(new TrayProbe)
