#include "uitest.h"

#include "api/account.h"
#include "app/application.h"
#include "clients/wireguardclient.h"
#include "core/connectionstate.h"
#include "core/status.h"
#include "core/vpncore.h"
#include "fakes/fakebackend.h"
#include "fakes/fakeservice.h"
#include "models/serverlistmodel.h"
#include "settings/settings.h"
#include "support/logcapture.h"
#include "support/tunnellab.h"
#include "support/windowobjects.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QProcess>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRawFont>
#include <QSettings>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

QQuickItem* item(const QString& name)
{
    return qobject_cast<QQuickItem*>(WindowObjects::find(name));
}

// Grabs the window, keeps the picture as a build artefact and returns it.
QImage shot(QQuickWindow* window, const QString& name)
{
    QTest::qWait(300);
    const QImage image = window->grabWindow();
    const QString folder = qEnvironmentVariable("CORVALINK_SCREENSHOT_DIR", QDir::tempPath());
    QDir().mkpath(folder);
    image.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    return image;
}

bool near(const QImage& image, int x, int y, const QColor& expected, int tolerance = 10)
{
    const QColor c = image.pixelColor(x, y);
    const bool ok = qAbs(c.red() - expected.red()) <= tolerance &&
                    qAbs(c.green() - expected.green()) <= tolerance &&
                    qAbs(c.blue() - expected.blue()) <= tolerance;
    if (!ok)
        qWarning("pixel %d,%d is %s, expected %s", x, y, qPrintable(c.name()),
                 qPrintable(expected.name()));
    return ok;
}

bool noQmlWarnings(const LogCapture& log)
{
    for (const QString& line : log.messages()) {
        if (line.contains(QLatin1String(".qml")) || line.contains(QLatin1String("QQml"))) {
            qWarning("QML warning: %s", qPrintable(line));
            return false;
        }
    }
    return true;
}

void setState(Application& app, ConnectionState::Id state)
{
    app.vpnCore()->onVpnConnectionStateChanged(state, QString(), false);
}

// The window as the user sees it: shown, exposed and with the connection button usable, as when
// the service runs.
QQuickWindow* shownMainWindow(Application& app)
{
    QQuickWindow* window = app.mainWindow();
    window->show();
    window->requestActivate();
    if (!QTest::qWaitForWindowExposed(window))
        return nullptr;
    return window;
}

void enableButton()
{
    item(QStringLiteral("CriticalServiceError"))->setVisible(false);
    item(QStringLiteral("VpnConnectionButton"))->setEnabled(true);
}

const QPoint buttonCentre(200, 265);

// Every character the catalogue's translations use.
QSet<uint> translatedCharacters(const QString& code)
{
    QFile file(QStringLiteral(CORVALINK_TRANSLATIONS_DIR "/vpnclient_%1.ts").arg(code));
    QSet<uint> characters;
    if (!file.open(QIODevice::ReadOnly))
        return characters;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.name() == QLatin1String("translation")) {
            for (uint c : xml.readElementText().toUcs4()) {
                if (c > 0x7f)
                    characters.insert(c);
            }
        }
    }
    return characters;
}

// Characters that no installed font can draw: they would show as boxes.
QList<uint> charactersWithoutGlyph(const QSet<uint>& characters)
{
    QList<QRawFont> fonts;
    for (const QString& family : QFontDatabase().families())
        fonts << QRawFont::fromFont(QFont(family));
    QList<uint> missing;
    for (uint c : characters) {
        if (std::none_of(fonts.cbegin(), fonts.cend(),
                         [c](const QRawFont& font) { return font.supportsCharacter(c); }))
            missing << c;
    }
    return missing;
}

// WCAG's relative luminance and contrast ratio.
double luminance(const QColor& colour)
{
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor blend(const QColor& colour, double alpha, const QColor& under)
{
    const auto mix = [alpha](int top, int bottom) {
        return qRound(alpha * top + (1 - alpha) * bottom);
    };
    return QColor(mix(colour.red(), under.red()), mix(colour.green(), under.green()),
                  mix(colour.blue(), under.blue()));
}

double opacityOnScreen(const QQuickItem* item)
{
    double opacity = 1.0;
    for (; item; item = item->parentItem())
        opacity *= item->opacity();
    return opacity;
}

// The part of the item inside the window and inside every clipping item around it. A text may
// draw beyond its width: its own size counts too.
QRect shownRect(const QQuickItem* item, const QQuickWindow* window)
{
    QRectF rect = item->mapRectToScene(QRectF(0, 0, std::max(item->width(), item->implicitWidth()),
                                              std::max(item->height(), item->implicitHeight())));
    for (const QQuickItem* outer = item->parentItem(); outer; outer = outer->parentItem()) {
        if (outer->clip())
            rect &= outer->mapRectToScene(outer->boundingRect());
    }
    return (rect & QRectF(0, 0, window->width(), window->height())).toAlignedRect();
}

bool isText(const QQuickItem* item)
{
    return item->inherits("QQuickText") || item->inherits("QQuickTextInput") ||
           item->inherits("QQuickTextEdit");
}

// Texts the reader is meant to read: disabled controls, placeholders and the counters drawn
// faded at "0" are exempt.
bool mustBeReadable(const QQuickItem* item, const QQuickWindow* window)
{
    const QString text = item->property("text").toString();
    if (!isText(item) || !item->isVisible() || text.trimmed().isEmpty() || !item->isEnabled() ||
        opacityOnScreen(item) < 0.01 || shownRect(item, window).isEmpty())
        return false;
    if (QString::fromLatin1(item->metaObject()->className()).contains(QLatin1String("Placeholder")))
        return false;
    const bool counter = item->objectName() == QLatin1String("DownloadedValue") ||
                         item->objectName() == QLatin1String("UploadedValue");
    return !(counter && text == QLatin1String("0"));
}

// Where the open pop-ups lie: the window's texts under them are not seen.
QList<QRectF> popupAreas(const QQuickWindow* window)
{
    QList<QRectF> areas;
    for (const QQuickItem* overlay : window->contentItem()->findChildren<QQuickItem*>()) {
        if (!overlay->inherits("QQuickOverlay"))
            continue;
        for (const QQuickItem* popup : overlay->childItems()) {
            if (popup->isVisible() && popup->inherits("QQuickPopupItem"))
                areas << popup->mapRectToScene(popup->boundingRect());
        }
    }
    return areas;
}

void collectTexts(QQuickItem* item, const QQuickWindow* window, const QList<QRectF>& popups,
                  QList<QQuickItem*>& texts)
{
    // The pop-ups themselves lie above the rest.
    const QList<QRectF> above = item->inherits("QQuickOverlay") ? QList<QRectF>() : popups;
    if (mustBeReadable(item, window) &&
        std::none_of(above.cbegin(), above.cend(), [item, window](const QRectF& popup) {
            return popup.intersects(shownRect(item, window));
        }))
        texts << item;
    for (QQuickItem* child : item->childItems())
        collectTexts(child, window, above, texts);
}

bool largeText(const QQuickItem* item)
{
    const QFont font = item->property("font").value<QFont>();
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96 / 72;
    return pixels >= 24 || (font.bold() && pixels >= 18.66);
}

// Each text's colour against what is behind it: the window grabbed again with every text
// hidden, at the pixels the text drew (or over its whole area when it drew none).
QStringList unreadableTexts(QQuickWindow* window, const QString& where)
{
    QList<QQuickItem*> texts;
    collectTexts(window->contentItem(), window, popupAreas(window), texts);
    QTest::qWait(50);
    const QImage shown = window->grabWindow();
    QVector<qreal> opacities;
    for (QQuickItem* text : qAsConst(texts)) {
        opacities << text->opacity();
        text->setOpacity(0);
    }
    const QImage hidden = window->grabWindow();
    for (int i = 0; i < texts.size(); ++i)
        texts.at(i)->setOpacity(opacities.at(i));
    shot(window, where);

    QStringList failures;
    if (texts.isEmpty())
        failures << QStringLiteral("%1: no text found").arg(where);
    for (const QQuickItem* text : qAsConst(texts)) {
        // The grab is in device pixels; the window's scale is 1 here.
        const QRect area = shownRect(text, window) & hidden.rect();
        QVector<int> reds, greens, blues;
        for (bool glyphsOnly : {true, false}) {
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    if (glyphsOnly && shown.pixel(x, y) == hidden.pixel(x, y))
                        continue;
                    const QColor under = hidden.pixelColor(x, y);
                    reds << under.red();
                    greens << under.green();
                    blues << under.blue();
                }
            }
            if (!reds.isEmpty())
                break;
        }
        if (reds.isEmpty())
            continue;
        const auto median = [](QVector<int> values) {
            std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
            return values.at(values.size() / 2);
        };
        const QColor background(median(reds), median(greens), median(blues));
        const QColor declared = text->property("color").value<QColor>();
        const QColor drawn = blend(declared, declared.alphaF() * opacityOnScreen(text), background);
        const double ratio = contrast(drawn, background);
        const double needed = largeText(text) ? 3.0 : 4.5;
        if (ratio < needed)
            failures << QStringLiteral("%1: '%2' in %3 (drawn %4) on %5: %6 < %7")
                            .arg(where, text->property("text").toString().left(40),
                                 declared.name(QColor::HexArgb), drawn.name(), background.name())
                            .arg(ratio, 0, 'f', 2)
                            .arg(needed);
    }
    if (window->icon().isNull())
        failures << QStringLiteral("%1: the window has no icon").arg(where);
    return failures;
}

QObject* themeOf(QQuickWindow* window)
{
    return qmlContext(window->contentItem())
        ->contextProperty(QStringLiteral("uiStyle"))
        .value<QObject*>();
}

bool loadTheme(QQuickWindow* window, const QString& file)
{
    bool loaded = false;
    QMetaObject::invokeMethod(themeOf(window), "load", Q_RETURN_ARG(bool, loaded),
                              Q_ARG(QString, QUrl::fromLocalFile(file).toString()));
    return loaded;
}

QString writeDarkBranding(const QTemporaryDir& folder)
{
    const QString file = folder.filePath(QStringLiteral("branding.ini"));
    QSettings ini(file, QSettings::IniFormat);
    ini.setValue(QStringLiteral("Main/brandingEnabled"), true);
    ini.setValue(QStringLiteral("Main/darkStyle"), true);
    return file;
}

} // namespace

void UiTest::initTestCase()
{
    m_backend = new FakeBackend;
    QVERIFY(m_backend->listen());
    m_backend->setGeoIp("{\"data\":{\"ip\":\"203.0.113.7\",\"iso_code\":\"nl\"}}");
    m_backend->setFeed("<serverList><server name=\"nl-01\" country=\"nl\" city=\"nl Amsterdam\" "
                       "ip=\"127.0.0.1\" cpu=\"10\" visible=\"1\" status=\"1\"/>"
                       "<server name=\"nl-02\" country=\"nl\" city=\"nl Rotterdam\" "
                       "ip=\"127.0.0.3\" cpu=\"10\" visible=\"1\" status=\"1\"/>"
                       "<server name=\"se-01\" country=\"se\" city=\"se Stockholm\" "
                       "ip=\"127.0.0.2\" cpu=\"5\" visible=\"1\"/></serverList>");
    qputenv("CORVALINK_API_URL", m_backend->baseUrl().toUtf8());
    Settings* settings = Settings::instance();
    settings->setAutoUpdateEnabled(false);
    settings->setKillswitchEnabled(false);
    settings->setNetworkProtocol(0);
}

void UiTest::cleanupTestCase()
{
    delete m_backend;
    qunsetenv("CORVALINK_API_URL");
}

void UiTest::mainWindowDisconnectedAndConnected()
{
    LogCapture log;
    Application app(nullptr);
    QVERIFY(app.init());
    QQuickWindow* window = shownMainWindow(app);
    QVERIFY(window);
    QVERIFY(noQmlWarnings(log));
    QTRY_VERIFY(item(QStringLiteral("CriticalServiceError"))->isVisible());

    // The font singleton is one file, reached by the registered module and by the controls.
    for (const QByteArray& import :
         {QByteArray("import VPNClient 1.0"), QByteArray("import \"qrc:/qml/controls\"")}) {
        QQmlComponent component(qmlEngine(window->contentItem()));
        component.setData("import QtQuick 2.12\n" + import +
                              "\nQtObject { property string family: FontFactory.poppinsBold.name }",
                          QUrl(QStringLiteral("qrc:/qml/fontcheck.qml")));
        std::unique_ptr<QObject> object(component.create());
        QVERIFY2(object, qPrintable(component.errorString()));
        QTRY_COMPARE(object->property("family").toString(), QStringLiteral("Poppins"));
    }

    const QImage disconnected = shot(window, QStringLiteral("main-disconnected"));
    QVERIFY(near(disconnected, 5, 300, QColor(0xf6, 0xf7, 0xf9)));       // background
    QVERIFY(near(disconnected, 5, 10, QColor(0xc9, 0x33, 0x33), 20));    // service band
    QVERIFY(near(disconnected, 140, 265, Qt::white));                    // switch disc
    QVERIFY(near(disconnected, 200, 172, QColor(0xd0, 0xd2, 0xd5), 20)); // button ring
    QVERIFY(near(disconnected, 20, 625, Qt::white));                     // settings button

    // Nothing transferred yet: both counters faded.
    QQuickItem* downloaded = item(QStringLiteral("DownloadedValue"));
    QCOMPARE(downloaded->property("text").toString(), QStringLiteral("0"));
    QCOMPARE(downloaded->opacity(), 0.4);

    setState(app, ConnectionState::Connecting);
    setState(app, ConnectionState::Connected);
    app.vpnCore()->onByteCountChanged(5u * 1024 * 1024, 0);
    QTRY_COMPARE(downloaded->opacity(), 1.0);
    QCOMPARE(item(QStringLiteral("UploadedValue"))->opacity(), 0.4);
    QVERIFY(item(QStringLiteral("SwitchOffDisc"))->isVisible());
    const QImage connected = shot(window, QStringLiteral("main-connected"));
    QVERIFY(near(connected, 200, 172, QColor(0x64, 0xa9, 0xff), 60)); // connected gradient
    QVERIFY(near(connected, 200, 320, Qt::white));                    // lower half of the disc
    QVERIFY(near(connected, 200, 200, QColor(0xf1, 0xf0, 0xf0)));     // duration half
    setState(app, ConnectionState::Disconnected);
}

void UiTest::roundButtonDecisions()
{
    LogCapture log;
    Application app(nullptr);
    QVERIFY(app.init());
    QQuickWindow* window = shownMainWindow(app);
    QVERIFY(window);
    enableButton();
    VpnCore* core = app.vpnCore();

    // A corner of the circle's square is not the button.
    QSignalSpy errors(core, SIGNAL(vpnConnectionErrorTextChanged(QString)));
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, buttonCentre + QPoint(-96, -96));
    QTest::qWait(100);
    QCOMPARE(errors.count(), 0);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, buttonCentre);
    QTRY_COMPARE(errors.count(), 2); // cleared, then the missing credentials
    QCOMPARE(core->vpnConnectionErrorText(), QStringLiteral("Username or password is empty!"));
    QTRY_VERIFY(
        WindowObjects::find(QStringLiteral("VpnErrorToolTip"))->property("visible").toBool());

    setState(app, ConnectionState::Disconnecting);
    errors.clear();
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, buttonCentre);
    QObject* tip = WindowObjects::find(QStringLiteral("VpnStateToolTip"));
    QTRY_VERIFY(tip->property("visible").toBool());
    QCOMPARE(tip->property("text").toString(), QStringLiteral("Disconnection in progress..."));
    QCOMPARE(core->connectionState(), int(ConnectionState::Disconnecting));
    QVERIFY(!log.contains(QStringLiteral("Disconnect from VPN")));
    QCOMPARE(errors.count(), 0);
    setState(app, ConnectionState::Disconnected);

    // The kill-switch event asks the user, then lifts the block.
    QObject* dialog = WindowObjects::find(QStringLiteral("KillSwitchDialog"));
    QMetaObject::invokeMethod(core, "killSwitchEventActivated");
    QTRY_VERIFY(dialog->property("visible").toBool());
    QCOMPARE(dialog->property("title").toString(), QStringLiteral("Killswitch event"));
    shot(window, QStringLiteral("killswitch-dialog"));
    // Escape closes it and keeps the protection; only OK lifts it.
    QTest::keyClick(window, Qt::Key_Escape);
    QTRY_VERIFY(!dialog->property("visible").toBool());
    QVERIFY(!log.contains(QStringLiteral("Restore connection to Internet")));
    QMetaObject::invokeMethod(core, "killSwitchEventActivated");
    QTRY_VERIFY(dialog->property("visible").toBool());
    QMetaObject::invokeMethod(dialog, "accept");
    QVERIFY(log.waitFor(QStringLiteral("Restore connection to Internet")));
}

void UiTest::connectThroughTheScreens()
{
    // The service runs (a process of its name), listens and runs the fake tunnel programs.
    QTemporaryDir folder;
    const QString servicePath = folder.filePath(QStringLiteral("vpn-service"));
    QVERIFY(QFile::link(QStringLiteral("/bin/sleep"), servicePath));
    QProcess serviceProcess;
    serviceProcess.start(servicePath, {QStringLiteral("120")});
    QVERIFY(serviceProcess.waitForStarted());
    FakeService service;
    service.setRunsPrograms(true);
    QVERIFY(service.listen());
    TunnelLab lab;
    QVERIFY(lab.linkOpenVpn(TunnelLab::fakeOpenVpn()));
    QVERIFY(lab.linkNetworkTool(QStringLiteral("/bin/true")));
    QVERIFY(lab.linkProgram(QStringLiteral("killswitch"), QStringLiteral("/bin/true")));
    QVERIFY(lab.linkProgram(QStringLiteral("dns"), QStringLiteral("/bin/true")));
    qputenv("FAKE_OPENVPN_SCENARIO", "udp");
    Settings* settings = Settings::instance();
    settings->setUserName(QStringLiteral("alice"));
    settings->setPassword(QStringLiteral("secret"));
    Status().clear();
    WireGuardClient::setCurrentAccount(Account());

    Application app(nullptr);
    QVERIFY(app.init());
    QVERIFY(!app.serviceError());
    QQuickWindow* window = shownMainWindow(app);
    QVERIFY(window);
    QTRY_VERIFY_WITH_TIMEOUT(!app.serverListModel()->catalogue().isEmpty(), 10000);

    // Server location row, All tab, expand the Netherlands, pick Rotterdam.
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(60, 85));
    QObject* dialog = WindowObjects::find(QStringLiteral("ServerListWindow"));
    QTRY_VERIFY(dialog->property("opened").toBool());
    dialog->setProperty("currentTab", 1);
    QTest::qWait(100);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(20, 173));
    QTest::qWait(100);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(200, 287));
    QTRY_VERIFY(!dialog->property("visible").toBool());
    QTRY_VERIFY(item(QStringLiteral("LocationItem"))
                    ->property("text")
                    .toString()
                    .endsWith(QLatin1String("Rotterdam")));

    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, buttonCentre);
    QTRY_COMPARE_WITH_TIMEOUT(app.vpnCore()->connectionState(), int(ConnectionState::Connected),
                              15000);
    const QImage connected = shot(window, QStringLiteral("main-connected-end-to-end"));
    QVERIFY(near(connected, 5, 10, Qt::white));                       // no service band
    QVERIFY(near(connected, 200, 172, QColor(0x64, 0xa9, 0xff), 60)); // connected gradient
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, buttonCentre);
    QTRY_COMPARE_WITH_TIMEOUT(app.vpnCore()->connectionState(), int(ConnectionState::Disconnected),
                              15000);
    settings->setUserName(QString());
    settings->setPassword(QString());
    serviceProcess.kill();
    serviceProcess.waitForFinished();
}

void UiTest::serverListTabsKeysAndSearch()
{
    Application app(nullptr);
    QVERIFY(app.init());
    QQuickWindow* window = shownMainWindow(app);
    QVERIFY(window);
    QTRY_VERIFY_WITH_TIMEOUT(!app.serverListModel()->catalogue().isEmpty(), 10000);

    QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
    QObject* dialog = WindowObjects::find(QStringLiteral("ServerListWindow"));
    QTRY_VERIFY(dialog->property("opened").toBool());
    QCOMPARE(dialog->property("currentTab").toInt(), 0);
    QTest::keyClick(window, Qt::Key_2);
    QTRY_COMPARE(dialog->property("currentTab").toInt(), 1);
    QTest::keyClick(window, Qt::Key_3);
    QTRY_COMPARE(dialog->property("currentTab").toInt(), 2);
    QTest::keyClick(window, Qt::Key_2);
    QTRY_COMPARE(dialog->property("currentTab").toInt(), 1);

    // Typed into the search field, digits are text.
    QQuickItem* search = item(QStringLiteral("ServerSearchField"));
    search->forceActiveFocus();
    QTest::keyClick(window, Qt::Key_3);
    QCOMPARE(search->property("text").toString(), QStringLiteral("3"));
    QCOMPARE(dialog->property("currentTab").toInt(), 1);

    search->setProperty("text", QStringLiteral("Rotter"));
    QImage all = shot(window, QStringLiteral("serverlist-all-search"));
    // Netherlands expanded to its one matching server; Sweden filtered out.
    QQuickItem* list = item(QStringLiteral("AllList"));
    QVERIFY(list->isVisible());
    QVERIFY(near(all, 5, 55, Qt::white)); // the dialog's header
    // A phrase that matches nothing says so instead of showing an empty list.
    search->setProperty("text", QStringLiteral("qxqx"));
    QTRY_VERIFY(list->findChild<QQuickItem*>(QStringLiteral("NoItems"))->isVisible());
    QVERIFY(!list->findChild<QQuickItem*>(QStringLiteral("ServerList"))->isVisible());
    shot(window, QStringLiteral("serverlist-all-no-match"));
    search->setProperty("text", QStringLiteral("Rotter"));
    for (int tab : {0, 2}) {
        dialog->setProperty("currentTab", tab);
        shot(window, QStringLiteral("serverlist-tab%1-search").arg(tab));
    }
    dialog->setProperty("currentTab", 1);
    search->setProperty("text", QString());
    QImage unfiltered = shot(window, QStringLiteral("serverlist-all"));
    // The first row (a country, 57 pixels) sits under header and tabs in the item colour.
    QVERIFY(near(unfiltered, 395, 130, QColor(0xf7, 0xf8, 0xfa), 12));
    QMetaObject::invokeMethod(dialog, "close");
}

void UiTest::settingsWindowSectionsAndSaving()
{
    Settings::instance()->setAllowAccessToLocalDevices(true);
    LogCapture log;
    Application app(nullptr);
    QVERIFY(app.init());
    QQuickWindow* window = shownMainWindow(app);
    QVERIFY(window);
    QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
    auto* settingsWindow =
        qobject_cast<QQuickWindow*>(WindowObjects::find(QStringLiteral("SettingsWindow")));
    QVERIFY(settingsWindow);
    QTRY_VERIFY(settingsWindow->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(settingsWindow));
    QCOMPARE(settingsWindow->width(), 600);

    // Stored on without the lock, local access is shown off and disabled, and saved off.
    QQuickItem* killSwitch = item(QStringLiteral("KillSwitch"));
    QQuickItem* localAccess = item(QStringLiteral("LocalAccessSwitch"));
    QVERIFY(!killSwitch->property("checked").toBool());
    QVERIFY(!localAccess->property("checked").toBool());
    QVERIFY(!localAccess->isEnabled());
    QMetaObject::invokeMethod(settingsWindow, "saveGeneralSettings");
    QVERIFY(!Settings::instance()->allowAccessToLocalDevices());

    const QImage general = shot(settingsWindow, QStringLiteral("settings-general"));
    QVERIFY(near(general, 300, 600, QColor(0xf6, 0xf7, 0xf9)) ||
            near(general, 300, 600, Qt::white));               // background or a section panel
    QVERIFY(near(general, 150, 38, QColor(0x35, 0xcb, 0x73))); // selected tab underline

    // The kill switch carries local access with it.
    killSwitch->setProperty("checked", true);
    QVERIFY(localAccess->property("checked").toBool());
    QVERIFY(localAccess->isEnabled());
    killSwitch->setProperty("checked", false);
    QVERIFY(!localAccess->property("checked").toBool());
    QVERIFY(!localAccess->isEnabled());

    settingsWindow->setProperty("currentTab", 1);
    QQuickItem* ipv6 = item(QStringLiteral("Ipv6Switch"));
    QQuickItem* portRow = item(QStringLiteral("PortRow"));
    QQuickItem* stealth = item(QStringLiteral("StealthRadio"));
    QVERIFY(stealth->isVisible());
    item(QStringLiteral("TcpRadio"))->setProperty("checked", true);
    QVERIFY(ipv6->isVisible());
    QVERIFY(portRow->isVisible());
    shot(settingsWindow, QStringLiteral("settings-advanced"));
    stealth->setProperty("checked", true);
    QVERIFY(ipv6->isVisible());
    QVERIFY(!portRow->isVisible());
    QQuickItem* wireGuard = item(QStringLiteral("WireGuardRadio"));
    if (wireGuard->isVisible()) {
        wireGuard->setProperty("checked", true);
        QVERIFY(!ipv6->isVisible());
        QVERIFY(!portRow->isVisible());
    }
    item(QStringLiteral("UdpRadio"))->setProperty("checked", true);
    QVERIFY(ipv6->isVisible());
    QVERIFY(portRow->isVisible());
    item(QStringLiteral("TcpRadio"))->setProperty("checked", true);

    // Escape hides the window, and hiding saves.
    settingsWindow->requestActivate();
    QTRY_VERIFY(QGuiApplication::focusWindow() == settingsWindow);
    QTest::keyClick(settingsWindow, Qt::Key_Escape);
    QTRY_VERIFY(!settingsWindow->isVisible());
    QCOMPARE(log.count(QStringLiteral("SettingsWindow: Settings saved")), 2);
    QCOMPARE(Settings::instance()->networkProtocol(), 1);
    QVERIFY(!Settings::instance()->killswitchEnabled());
    QVERIFY(!Settings::instance()->allowAccessToLocalDevices());
    QVERIFY(noQmlWarnings(log));
}

void UiTest::everyTextIsReadable_data()
{
    QTest::addColumn<bool>("dark");
    QTest::newRow("light") << false;
    QTest::newRow("dark") << true;
}

// Every window in the states a user meets, in the light and the dark theme: each text against
// what is behind it, with the style's own pop-ups and tool tips among them.
void UiTest::everyTextIsReadable()
{
    QFETCH(bool, dark);
    const QString theme = dark ? QStringLiteral("dark") : QStringLiteral("light");
    QTemporaryDir folder;
    const QString branding = writeDarkBranding(folder);
    QStringList failures;
    {
        Application app(nullptr);
        QVERIFY(app.init());
        QQuickWindow* window = shownMainWindow(app);
        QVERIFY(window);
        // The theme changes under windows already shown, as when a branding file is loaded.
        if (dark)
            QVERIFY(loadTheme(window, branding));
        QTRY_VERIFY_WITH_TIMEOUT(!app.serverListModel()->catalogue().isEmpty(), 10000);
        failures << unreadableTexts(window, QStringLiteral("main-%1").arg(theme));
        if (dark) {
            const QImage main = shot(window, QStringLiteral("main-dark"));
            QVERIFY(near(main, 5, 300, QColor(0x10, 0x28, 0x47)));
            QVERIFY(near(main, 200, 172, QColor(0x1c, 0x36, 0x58), 30));
        }

        // The drop-down arrow follows the theme loaded after it was shown.
        const QString arrow = dark ? QStringLiteral("white") : QStringLiteral("black");
        const QQuickItem* location = item(QStringLiteral("LocationItem"));
        const auto arrows = location->parentItem()->childItems();
        QVERIFY(std::any_of(arrows.cbegin(), arrows.cend(), [&arrow](const QQuickItem* child) {
            return child->property("source").toString().endsWith(arrow + QLatin1String(".png"));
        }));

        // Every country open: servers are rows without an arrow, countries keep theirs.
        QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
        QObject* dialog = WindowObjects::find(QStringLiteral("ServerListWindow"));
        QTRY_VERIFY(dialog->property("opened").toBool());
        dialog->setProperty("currentTab", 1);
        app.serverListModel()->expandAll();
        QQuickItem* list =
            item(QStringLiteral("AllList"))->findChild<QQuickItem*>(QStringLiteral("ServerList"));
        QTRY_VERIFY(list->property("count").toInt() >= 5);
        QMetaObject::invokeMethod(list, "forceLayout");
        int cities = 0;
        const QStringList cityNames = {QStringLiteral("Amsterdam"), QStringLiteral("Rotterdam"),
                                       QStringLiteral("Stockholm")};
        for (QQuickItem* row : list->property("contentItem").value<QQuickItem*>()->childItems()) {
            const QString label = row->property("label").toString();
            QQuickItem* expandArrow = row->findChild<QQuickItem*>(QStringLiteral("ExpandArrow"));
            if (!expandArrow || label.isEmpty())
                continue;
            const bool city = cityNames.contains(label);
            cities += city ? 1 : 0;
            QVERIFY2(expandArrow->isVisible() != city, qPrintable(label));
        }
        QCOMPARE(cities, 3);
        failures << unreadableTexts(window, QStringLiteral("serverlist-%1").arg(theme));
        QMetaObject::invokeMethod(dialog, "close");
        QTRY_VERIFY(!dialog->property("visible").toBool());

        setState(app, ConnectionState::Connecting);
        setState(app, ConnectionState::Connected);
        QObject* tip = WindowObjects::find(QStringLiteral("VpnStateToolTip"));
        QMetaObject::invokeMethod(tip, "show", Q_ARG(QString, QStringLiteral("Tool tip")),
                                  Q_ARG(int, 60000));
        QTRY_VERIFY(tip->property("opened").toBool());
        failures << unreadableTexts(window, QStringLiteral("main-connected-%1").arg(theme));
        QMetaObject::invokeMethod(tip, "hide");
        setState(app, ConnectionState::Disconnected);

        QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
        auto* settingsWindow =
            qobject_cast<QQuickWindow*>(WindowObjects::find(QStringLiteral("SettingsWindow")));
        QVERIFY(settingsWindow);
        QVERIFY(QTest::qWaitForWindowExposed(settingsWindow));
        failures << unreadableTexts(settingsWindow,
                                    QStringLiteral("settings-general-%1").arg(theme));

        // The last rows are reached by scrolling, and a scroll bar says there is more.
        QQuickItem* page = item(QStringLiteral("GeneralPage"));
        QQuickItem* scrollBar = item(QStringLiteral("GeneralScrollBar"));
        QVERIFY(scrollBar->isVisible());
        QVERIFY(scrollBar->property("size").toDouble() < 1.0);
        QVERIFY(scrollBar->property("contentItem").value<QQuickItem*>()->isVisible());
        page->setProperty("contentY", page->property("contentHeight").toDouble() - page->height());
        QQuickItem* language = item(QStringLiteral("LanguageCombo"));
        const QRectF languageRect = language->mapRectToItem(page, language->boundingRect());
        QVERIFY(QRectF(0, 0, page->width(), page->height()).contains(languageRect));
        QObject* popup = language->property("popup").value<QObject*>();
        QMetaObject::invokeMethod(popup, "open");
        QTRY_VERIFY(popup->property("opened").toBool());
        failures << unreadableTexts(settingsWindow,
                                    QStringLiteral("settings-general-end-%1").arg(theme));
        QMetaObject::invokeMethod(popup, "close");

        settingsWindow->setProperty("currentTab", 1);
        failures << unreadableTexts(settingsWindow,
                                    QStringLiteral("settings-advanced-%1").arg(theme));
        settingsWindow->hide();
    }

    Application::setProductName(QStringLiteral("Themeditor"));
    {
        Application app(nullptr);
        QVERIFY(app.init());
        auto* editor =
            qobject_cast<QQuickWindow*>(WindowObjects::find(QStringLiteral("ThemeWindow")));
        QVERIFY(editor);
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        if (dark)
            QVERIFY(loadTheme(editor, branding));
        qmlContext(editor->contentItem())
            ->contextProperty(QStringLiteral("themeListModel"))
            .value<QObject*>()
            ->setProperty("currentSectionName", QStringLiteral("Label"));
        editor->raise();
        failures << unreadableTexts(editor, QStringLiteral("theme-editor-%1").arg(theme));
    }
    Application::setProductName(QStringLiteral("Corvalink"));
    for (const QString& failure : qAsConst(failures))
        qWarning("%s", qPrintable(failure));
    QVERIFY2(failures.isEmpty(),
             qPrintable(QStringLiteral("%1 texts below their contrast, first: %2")
                            .arg(failures.size())
                            .arg(failures.value(0))));
}

void UiTest::thaiAndChineseHaveEveryGlyph_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("Thai") << "th";
    QTest::newRow("Chinese") << "cn";
}

void UiTest::thaiAndChineseHaveEveryGlyph()
{
    QFETCH(QString, code);
    const QSet<uint> characters = translatedCharacters(code);
    QVERIFY(characters.size() > 20);
    const QList<uint> missing = charactersWithoutGlyph(characters);
    QVERIFY2(missing.isEmpty(),
             qPrintable(QStringLiteral("%1 characters without a glyph, first U+%2")
                            .arg(missing.size())
                            .arg(missing.value(0), 4, 16, QLatin1Char('0'))));

    Application app(nullptr);
    QVERIFY(app.init());
    Settings::instance()->setLanguage(code);
    QQuickWindow* window = shownMainWindow(app);
    QVERIFY(window);
    const QImage image = shot(window, QStringLiteral("main-%1").arg(code));
    QVERIFY(!image.isNull());
    Settings::instance()->setLanguage(QStringLiteral("en"));
}

void UiTest::themeEditor()
{
    LogCapture log;
    Application::setProductName(QStringLiteral("Themeditor"));
    {
        Application app(nullptr);
        QVERIFY(app.init());
        auto* editor =
            qobject_cast<QQuickWindow*>(WindowObjects::find(QStringLiteral("ThemeWindow")));
        QVERIFY(editor);
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        QCOMPARE(editor->width(), 1000);
        QVERIFY(noQmlWarnings(log));
        QVERIFY(!item(QStringLiteral("CriticalServiceError"))->isVisible());
        const QImage picture = shot(editor, QStringLiteral("theme-editor"));
        QVERIFY(near(picture, 990, 640, QColor(0xf6, 0xf7, 0xf9)));
        // A section choice shows its entries only.
        QObject* sections = WindowObjects::find(QStringLiteral("ThemeSectionListView"));
        QVERIFY(sections);
        QObject* entries = qmlContext(editor->contentItem())
                               ->contextProperty(QStringLiteral("themeListModel"))
                               .value<QObject*>();
        entries->setProperty("currentSectionName", QStringLiteral("Label"));
        shot(editor, QStringLiteral("theme-editor-label"));
    }
    Application::setProductName(QStringLiteral("Corvalink"));
}
