#include "accessibilitytest.h"

#include "app/application.h"
#include "core/connectionstate.h"
#include "core/vpncore.h"
#include "fakes/fakebackend.h"
#include "models/serverlistmodel.h"
#include "settings/settings.h"
#include "support/logcapture.h"
#include "support/windowobjects.h"

#include <QAccessible>
#include <QDir>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

#include <algorithm>

namespace {

using Interactive = QList<QPair<QQuickItem*, QQuickItem*>>;

QQuickItem* item(const QString& name)
{
    return qobject_cast<QQuickItem*>(WindowObjects::find(name));
}

QQuickItem* enclosing(const QQuickItem* item, const char* className)
{
    QQuickItem* outer = item->parentItem();
    while (outer && !outer->inherits(className))
        outer = outer->parentItem();
    return outer;
}

QString nameOf(QQuickItem* item)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(item);
    const bool named =
        face && face->role() != QAccessible::NoRole && face->role() != QAccessible::Pane;
    if (!named)
        return QString();
    // Qt keeps password fields nameless; they carry what they are in their description.
    return face->text(face->state().passwordEdit ? QAccessible::Description : QAccessible::Name);
}

QString describe(QQuickItem* item)
{
    const QQuickItem* parent = item->parentItem() ? item->parentItem() : item;
    return QStringLiteral("%1 %2 '%3' in %4")
        .arg(QLatin1String(item->metaObject()->className()), item->objectName(), nameOf(item),
             QLatin1String(parent->metaObject()->className()));
}

bool isControl(const QQuickItem* item)
{
    return item->inherits("QQuickAbstractButton") || item->inherits("QQuickTextField") ||
           item->inherits("QQuickComboBox") || item->inherits("QQuickSpinBox");
}

// What a user acts on, shown and enabled: controls, the items that a mouse area taking left
// clicks makes clickable, and list rows; each with the Tab stop that reaches it, itself or its
// list. Pop-ups are walked on their own.
void collect(QQuickItem* item, Interactive& found)
{
    if (!item->isVisible() || !item->isEnabled() || item->inherits("QQuickOverlay"))
        return;
    QQuickItem* parent = item->parentItem();
    QQuickItem* list = enclosing(item, "QQuickListView");
    if (isControl(item))
        found << qMakePair(item, item);
    else if (item->inherits("QQuickMouseArea") &&
             (item->property("acceptedButtons").toInt() & Qt::LeftButton))
        found << qMakePair(parent, list ? list : parent);
    for (int row = 0; item->inherits("QQuickListView") && row < item->property("count").toInt();
         ++row) {
        QQuickItem* delegate = nullptr;
        QMetaObject::invokeMethod(item, "itemAtIndex", Q_RETURN_ARG(QQuickItem*, delegate),
                                  Q_ARG(int, row));
        if (delegate && delegate->isVisible() && !isControl(delegate))
            found << qMakePair(delegate, item);
    }
    for (QQuickItem* child : item->childItems())
        collect(child, found);
}

void visibleFrames(QQuickItem* item, QList<QQuickItem*>& frames)
{
    if (!item->isVisible())
        return;
    if (item->objectName() == QLatin1String("FocusFrame"))
        frames << item;
    for (QQuickItem* child : item->childItems())
        visibleFrames(child, frames);
}

// A list is one stop, and hands the focus to its current row.
QQuickItem* focusStop(QQuickWindow* window)
{
    QQuickItem* focused = window->activeFocusItem();
    QQuickItem* list = focused ? enclosing(focused, "QQuickListView") : nullptr;
    const bool row = list && !isControl(focused) &&
                     focused->parentItem() == list->property("contentItem").value<QQuickItem*>();
    return row ? list : focused;
}

// The centre as laid out, as if every page were scrolled to its top.
QPointF laidOut(const QQuickItem* item)
{
    QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    for (QQuickItem* page = enclosing(item, "QQuickFlickable"); page;
         page = enclosing(page, "QQuickFlickable"))
        centre += QPointF(page->property("contentX").toReal(), page->property("contentY").toReal());
    return centre;
}

bool before(const QPointF& a, const QPointF& b)
{
    return qAbs(a.y() - b.y()) <= 4 ? a.x() < b.x() : a.y() < b.y();
}

// Tabs round the window until the focus comes back. At every stop one focus ring shows, the
// stop's own, inside the page it scrolled into view; the stops are all the interactive items, top
// to bottom and left to right; Shift+Tab walks them back.
void walkRound(QQuickWindow* window, QQuickItem* root)
{
    Interactive interactive;
    collect(root, interactive);
    QList<QQuickItem*> stops;
    for (int i = 0; i <= interactive.size() + 1; ++i) {
        QTest::keyClick(window, Qt::Key_Tab);
        // Laid out and drawn as the user would see it: a page just shown positions its rows at the
        // next frame.
        window->grabWindow();
        QQuickItem* focused = window->activeFocusItem();
        QVERIFY(focused);
        if (!stops.isEmpty() && focusStop(window) == stops.first())
            break;
        stops << focusStop(window);
        QList<QQuickItem*> frames;
        visibleFrames(root, frames);
        QVERIFY2(frames.size() == 1 && frames.first()->parentItem() == focused,
                 qPrintable(describe(focused)));
        if (QQuickItem* page = enclosing(stops.last(), "QQuickFlickable"))
            QVERIFY2(page->mapRectToScene(page->boundingRect())
                         .contains(frames.first()->mapRectToScene(frames.first()->boundingRect())),
                     qPrintable(describe(focused)));
    }
    for (const auto& pair : qAsConst(interactive))
        QVERIFY2(stops.contains(pair.second), qPrintable(describe(pair.first)));
    const auto first = std::min_element(stops.begin(), stops.end(), [](auto* a, auto* b) {
        return before(laidOut(a), laidOut(b));
    });
    QList<QQuickItem*> ordered =
        stops.mid(first - stops.begin()) + stops.mid(0, first - stops.begin());
    for (int i = 1; i < ordered.size(); ++i)
        QVERIFY2(before(laidOut(ordered.at(i - 1)), laidOut(ordered.at(i))),
                 qPrintable(describe(ordered.at(i - 1)) + " before " + describe(ordered.at(i))));
    for (int i = stops.size() - 1; i >= 0; --i) {
        QTest::keyClick(window, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(focusStop(window), stops.at(i));
    }
}

// Keys go to the focus window. A window whose transient parent has the focus already counts as
// active, so its own focus is waited for.
void activate(QQuickWindow* window)
{
    window->requestActivate();
    QTRY_COMPARE(QGuiApplication::focusWindow(), window);
    QTRY_VERIFY(window->activeFocusItem());
}

void tabTo(QQuickWindow* window, QQuickItem* target)
{
    for (int i = 0; i < 30 && focusStop(window) != target; ++i)
        QTest::keyClick(window, Qt::Key_Tab);
    QCOMPARE(focusStop(window), target);
}

void shot(QQuickWindow* window, const QString& name)
{
    const QString folder = qEnvironmentVariable("CORVALINK_SCREENSHOT_DIR", QDir::tempPath());
    QDir().mkpath(folder);
    window->grabWindow().save(folder + QStringLiteral("/focus-%1.png").arg(name));
}

QQuickItem* popupItem(const QString& name)
{
    return WindowObjects::find(name)->property("contentItem").value<QQuickItem*>()->parentItem();
}

void setState(Application& app, ConnectionState::Id state)
{
    app.vpnCore()->onVpnConnectionStateChanged(state, QString(), false);
}

QStringList nameless(QQuickItem* root)
{
    Interactive interactive;
    collect(root, interactive);
    QStringList found;
    for (const auto& pair : qAsConst(interactive)) {
        if (nameOf(pair.first).trimmed().isEmpty())
            found << describe(pair.first);
    }
    return found;
}

} // namespace

void AccessibilityTest::initTestCase()
{
    m_backend = new FakeBackend;
    QVERIFY(m_backend->listen());
    m_backend->setFeed("<serverList><server name=\"nl-01\" country=\"nl\" city=\"nl Amsterdam\" "
                       "ip=\"127.0.0.1\" cpu=\"10\" visible=\"1\" status=\"1\"/>"
                       "<server name=\"se-01\" country=\"se\" city=\"se Stockholm\" "
                       "ip=\"127.0.0.2\" cpu=\"5\" visible=\"1\"/></serverList>");
    qputenv("CORVALINK_API_URL", m_backend->baseUrl().toUtf8());
    Settings::instance()->setAutoUpdateEnabled(false);
    Settings::instance()->setKillswitchEnabled(false);
}

void AccessibilityTest::cleanupTestCase()
{
    delete m_backend;
    qunsetenv("CORVALINK_API_URL");
}

void AccessibilityTest::keyboardWalk()
{
    LogCapture log;
    Application app(nullptr);
    QVERIFY(app.init());
    QQuickWindow* window = app.mainWindow();
    window->show();
    activate(window);
    QTRY_VERIFY_WITH_TIMEOUT(!app.serverListModel()->catalogue().isEmpty(), 10000);
    // As when the service runs.
    QTRY_VERIFY(item(QStringLiteral("CriticalServiceError"))->isVisible());
    item(QStringLiteral("CriticalServiceError"))->setVisible(false);
    item(QStringLiteral("VpnConnectionButton"))->setEnabled(true);
    walkRound(window, window->contentItem());
    if (QTest::currentTestFailed())
        return;

    // The round button's name is what a press does; Space and Enter do it.
    QQuickItem* button = item(QStringLiteral("VpnButtonCircle"));
    tabTo(window, button);
    shot(window, QStringLiteral("main"));
    QCOMPARE(nameOf(button), QStringLiteral("Connect"));
    QSignalSpy errors(app.vpnCore(), SIGNAL(vpnConnectionErrorTextChanged(QString)));
    QTest::keyClick(window, Qt::Key_Space);
    QTRY_VERIFY(errors.count() > 0); // refused: no credentials
    setState(app, ConnectionState::Connecting);
    QCOMPARE(nameOf(button), QStringLiteral("Cancel"));
    setState(app, ConnectionState::Connected);
    QCOMPARE(nameOf(button), QStringLiteral("Disconnect"));
    QTest::keyClick(window, Qt::Key_Return);
    QVERIFY(log.waitFor(QStringLiteral("Disconnect from VPN")));
    setState(app, ConnectionState::Disconnected);

    // The kill-switch dialog takes the keys; Escape keeps the protection, Enter on OK lets go.
    QObject* killSwitchDialog = WindowObjects::find(QStringLiteral("KillSwitchDialog"));
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        QMetaObject::invokeMethod(app.vpnCore(), "killSwitchEventActivated");
        QTRY_VERIFY(killSwitchDialog->property("opened").toBool());
        QTest::keyClick(window, Qt::Key_Tab);
        QCOMPARE(nameOf(window->activeFocusItem()), QStringLiteral("OK"));
        QTest::keyClick(window, key);
        QTRY_VERIFY(!killSwitchDialog->property("visible").toBool());
        QCOMPARE(log.contains(QStringLiteral("Restore connection to Internet")),
                 key == Qt::Key_Return);
    }

    // Enter on the location opens the server list; in a list the arrows walk and open rows, F
    // marks a favourite, Enter picks the row.
    tabTo(window, item(QStringLiteral("LocationArea"))->parentItem());
    QTest::keyClick(window, Qt::Key_Return);
    QObject* serverList = WindowObjects::find(QStringLiteral("ServerListWindow"));
    QTRY_VERIFY(serverList->property("opened").toBool());
    QTest::keyClick(window, Qt::Key_2);
    QCOMPARE(serverList->property("currentTab").toInt(), 1);
    walkRound(window, popupItem(QStringLiteral("ServerListWindow")));
    if (QTest::currentTestFailed())
        return;
    QQuickItem* list =
        item(QStringLiteral("AllList"))->findChild<QQuickItem*>(QStringLiteral("ServerList"));
    tabTo(window, list);
    const int rows = list->property("count").toInt();
    QTest::keyClick(window, Qt::Key_Right);
    QTRY_VERIFY(list->property("count").toInt() > rows);
    QTest::keyClick(window, Qt::Key_Down);
    QCOMPARE(list->property("currentIndex").toInt(), 1);
    const auto current = [list](const char* property) {
        return list->property("currentItem").value<QQuickItem*>()->property(property);
    };
    const bool favorite = current("favorite").toBool();
    QTest::keyClick(window, Qt::Key_F);
    QTRY_COMPARE(current("favorite").toBool(), !favorite);
    QTest::keyClick(window, Qt::Key_F);
    QTRY_COMPARE(current("favorite").toBool(), favorite);
    shot(window, QStringLiteral("serverlist"));
    const QString city = current("label").toString();
    QTest::keyClick(window, Qt::Key_Return);
    QTRY_VERIFY(!serverList->property("visible").toBool());
    QTRY_VERIFY(item(QStringLiteral("LocationItem"))->property("text").toString().endsWith(city));
    // Escape closes it from the search field too.
    QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
    QTRY_VERIFY(serverList->property("opened").toBool());
    tabTo(window, item(QStringLiteral("ServerSearchField")));
    QTest::keyClick(window, Qt::Key_Escape);
    QTRY_VERIFY(!serverList->property("visible").toBool());

    // Enter on Settings opens the settings; Space and Enter work its switches, radio buttons and
    // tabs; Escape closes it.
    tabTo(window, item(QStringLiteral("SettingsButton")));
    QTest::keyClick(window, Qt::Key_Return);
    auto* settings =
        qobject_cast<QQuickWindow*>(WindowObjects::find(QStringLiteral("SettingsWindow")));
    QTRY_VERIFY(settings && settings->isVisible());
    activate(settings);
    walkRound(settings, settings->contentItem());
    if (QTest::currentTestFailed())
        return;
    QQuickItem* killSwitch = item(QStringLiteral("KillSwitch"));
    tabTo(settings, killSwitch);
    shot(settings, QStringLiteral("settings"));
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        const bool was = killSwitch->property("checked").toBool();
        QTest::keyClick(settings, key);
        QCOMPARE(killSwitch->property("checked").toBool(), !was);
        QCOMPARE(item(QStringLiteral("LocalAccessSwitch"))->isEnabled(), !was);
    }
    QQuickItem* advanced = nullptr;
    QMetaObject::invokeMethod(WindowObjects::find(QStringLiteral("SettingsWindowTabBar")), "itemAt",
                              Q_RETURN_ARG(QQuickItem*, advanced), Q_ARG(int, 1));
    tabTo(settings, advanced);
    QTest::keyClick(settings, Qt::Key_Return);
    QCOMPARE(settings->property("currentTab").toInt(), 1);
    walkRound(settings, settings->contentItem());
    if (QTest::currentTestFailed())
        return;
    for (const char* radio : {"TcpRadio", "UdpRadio"}) {
        tabTo(settings, item(QLatin1String(radio)));
        QTest::keyClick(settings, radio[0] == 'T' ? Qt::Key_Return : Qt::Key_Space);
        QVERIFY(item(QLatin1String(radio))->property("checked").toBool());
    }
    QTest::keyClick(settings, Qt::Key_Escape);
    QTRY_VERIFY(!settings->isVisible());
    QVERIFY(log.contains(QStringLiteral("SettingsWindow: Settings saved")));
}

// Every interactive item in every window a user meets has the name and role a screen reader
// reads.
void AccessibilityTest::everyControlIsNamed()
{
    QStringList found;
    {
        Application app(nullptr);
        QVERIFY(app.init());
        QQuickWindow* window = app.mainWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTRY_VERIFY_WITH_TIMEOUT(!app.serverListModel()->catalogue().isEmpty(), 10000);
        found << nameless(window->contentItem());
        QObject* killSwitchDialog = WindowObjects::find(QStringLiteral("KillSwitchDialog"));
        QMetaObject::invokeMethod(app.vpnCore(), "killSwitchEventActivated");
        QTRY_VERIFY(killSwitchDialog->property("opened").toBool());
        found << nameless(popupItem(QStringLiteral("KillSwitchDialog")));
        QMetaObject::invokeMethod(killSwitchDialog, "close");

        QMetaObject::invokeMethod(window, "openServerList");
        QObject* serverList = WindowObjects::find(QStringLiteral("ServerListWindow"));
        QTRY_VERIFY(serverList->property("opened").toBool());
        for (int tab : {0, 1, 2}) {
            serverList->setProperty("currentTab", tab);
            app.serverListModel()->expandAll();
            found << nameless(popupItem(QStringLiteral("ServerListWindow")));
        }
        QMetaObject::invokeMethod(serverList, "close");

        QMetaObject::invokeMethod(window, "raiseSettingsWindow");
        auto* settings =
            qobject_cast<QQuickWindow*>(WindowObjects::find(QStringLiteral("SettingsWindow")));
        QVERIFY(QTest::qWaitForWindowExposed(settings));
        for (int tab : {0, 1}) {
            settings->setProperty("currentTab", tab);
            found << nameless(settings->contentItem());
        }
        settings->hide();
    }
    Application::setProductName(QStringLiteral("Themeditor"));
    {
        Application app(nullptr);
        QVERIFY(app.init());
        auto* editor =
            qobject_cast<QQuickWindow*>(WindowObjects::find(QStringLiteral("ThemeWindow")));
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        qmlContext(editor->contentItem())
            ->contextProperty(QStringLiteral("themeListModel"))
            .value<QObject*>()
            ->setProperty("currentSectionName", QStringLiteral("Label"));
        found << nameless(editor->contentItem());
    }
    Application::setProductName(QStringLiteral("Corvalink"));
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("; "))));
}
