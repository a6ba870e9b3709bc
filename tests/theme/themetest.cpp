#include "themetest.h"

#include "support/logcapture.h"
#include "theme/theme.h"
#include "theme/themelistmodel.h"
#include "theme/themesectionlistmodel.h"
#include "utils/utils.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QUrl>
#include <QtTest>

namespace {

// The names of a few notifications in the order the theme sends them.
QStringList* recordNotifications(Theme& theme)
{
    auto* order = new QStringList;
    QObject::connect(&theme, &QObject::destroyed, [order] { delete order; });
    QObject::connect(&theme, &Theme::generalBackgroundColorChanged,
                     [order] { *order << QStringLiteral("background"); });
    QObject::connect(&theme, &Theme::darkStyleChanged,
                     [order] { *order << QStringLiteral("dark"); });
    QObject::connect(&theme, &Theme::scrollBarWidthChanged,
                     [order] { *order << QStringLiteral("scrollBar"); });
    QObject::connect(&theme, &Theme::themeDataChanged,
                     [order] { *order << QStringLiteral("themeData"); });
    return order;
}

int rowOf(const QAbstractItemModel& model, const QString& id)
{
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.index(row, 0).data(Qt::UserRole).toString() == id)
            return row;
    }
    return -1;
}

} // namespace

void ThemeTest::init()
{
    m_applicationDirectory = std::make_unique<QTemporaryDir>();
    Utils::setApplicationDirectoryForTesting(m_applicationDirectory->path());
}

void ThemeTest::cleanup()
{
    Utils::setApplicationDirectoryForTesting(QString());
    m_applicationDirectory.reset();
}

QString ThemeTest::brandingFolder() const
{
    return m_applicationDirectory->path() + QStringLiteral("/branding");
}

void ThemeTest::writeBranding(const QByteArray& text) const
{
    QDir().mkpath(brandingFolder());
    QFile file(brandingFolder() + QStringLiteral("/branding.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

void ThemeTest::defaultsFollowTheBrandingFile()
{
    {
        Theme theme;
        QCOMPARE(theme.generalBackgroundColor(), QStringLiteral("#f6f7f9"));
        QCOMPARE(theme.darkStyle(), false);
        QCOMPARE(theme.iconSource(QStringLiteral("arrow")),
                 QStringLiteral("qrc:/resources/icons/arrow_black.png"));
        QCOMPARE(theme.iconSource(QStringLiteral("arrow"), false),
                 QStringLiteral("qrc:/resources/icons/arrow.png"));
        QCOMPARE(theme.generalLogoFileName(), QStringLiteral("qrc:/resources/icons/vpn.png"));
        QCOMPARE(theme.generalHeaderActiveColor(), QString());
        QCOMPARE(theme.scrollBarWidth(), 4);
        QCOMPARE(theme.settingsPageShowLogs(), true);
        QCOMPARE(theme.themeProperties().size(), 52);
    }

    writeBranding("[Main]\nversion=7\n");
    {
        LogCapture log;
        Theme theme;
        QVERIFY(
            log.contains(QStringLiteral("Theme: Version '7', enabled: true, dark style: true")));
        QCOMPARE(theme.darkStyle(), true);
        QCOMPARE(theme.generalBackgroundColor(), QStringLiteral("#102847"));
        QCOMPARE(theme.generalButtonTextColorPressed(), QStringLiteral("black"));
        QCOMPARE(theme.iconSource(QStringLiteral("arrow")),
                 QStringLiteral("qrc:/resources/icons/arrow_white.png"));
    }

    writeBranding("[Main]\nbrandingEnabled=false\ndarkStyle=true\n"
                  "[Style]\ngeneralBackgroundColor=#123456\n");
    {
        LogCapture log;
        Theme theme;
        QVERIFY(log.contains(QStringLiteral("Theme: Branding style is not enabled!")));
        QCOMPARE(theme.brandingEnabled(), false);
        QCOMPARE(theme.generalBackgroundColor(), QStringLiteral("#f6f7f9"));
    }
}

void ThemeTest::brandingFileIsReadAsPeopleWriteIt()
{
    const auto darkStyleOf = [this](const QByteArray& text) {
        writeBranding(text);
        return Theme().darkStyle();
    };
    QCOMPARE(darkStyleOf("[Main]\ndarkStyle=no\n"), false);
    QCOMPARE(darkStyleOf("[Main]\ndarkStyle=Off\n"), false);
    QCOMPARE(darkStyleOf("[Main]\ndarkStyle=0\n"), false);
    QCOMPARE(darkStyleOf("[Main]\ndarkStyle=yes\nbrandingEnabled=on\n"), true);
    {
        // Anything else keeps the default, and says so.
        LogCapture log;
        QCOMPARE(darkStyleOf("[Main]\ndarkStyle=maybe\nbrandingEnabled=nope\n"), true);
        QVERIFY(
            log.contains(QStringLiteral("'darkStyle' is neither yes nor no: 'maybe', true kept")));
        QVERIFY(log.contains(
            QStringLiteral("'brandingEnabled' is neither yes nor no: 'nope', true kept")));
    }
    {
        // A file that cannot be read, or is far too big, leaves the light defaults.
        LogCapture log;
        QCOMPARE(darkStyleOf("[Main\ndarkStyle=true\n"), false);
        QVERIFY(log.contains(QStringLiteral("the light defaults stay")));
        QCOMPARE(darkStyleOf("[Main]\ndarkStyle=true\n[Style]\ngeneralBackgroundColor=" +
                             QByteArray(1024 * 1024, 'a') + "\n"),
                 false);
        QVERIFY(log.contains(QStringLiteral("is over 1 MiB, refused")));
    }
    // Commas and UTF-8 come back as written.
    writeBranding("[Main]\ndarkStyle=false\n[Style]\ngeneralBackgroundColor=#123456, #654321\n"
                  "generalLogoFileName=art/\xe3\x83\xad\xe3\x82\xb4.png\n");
    Theme theme;
    QCOMPARE(theme.generalBackgroundColor(), QStringLiteral("#123456, #654321"));
    QCOMPARE(QUrl(theme.generalLogoFileName()).toLocalFile(),
             QDir(brandingFolder()).absoluteFilePath(QStringLiteral("art/\u30ed\u30b4.png")));
}

void ThemeTest::brandingFileOverridesValuesAndResolvesImages()
{
    writeBranding("[Main]\ndarkStyle=false\n[Style]\ngeneralLogoFileName=logo.png\n"
                  "generalBackgroundImage=qrc:/resources/back.png\n"
                  "generalBackgroundColor=#123456\nsettingsPageShowLogs=false\n");
    Theme theme;
    const QString logo = theme.generalLogoFileName();
    QVERIFY2(logo.startsWith(QLatin1String("file:///")), qPrintable(logo));
    QCOMPARE(QUrl(logo).toLocalFile(), QDir(brandingFolder()).absoluteFilePath("logo.png"));
    QCOMPARE(theme.generalBackgroundImage(), QStringLiteral("qrc:/resources/back.png"));
    QCOMPARE(theme.generalBackgroundColor(), QStringLiteral("#123456"));
    QCOMPARE(theme.settingsPageShowLogs(), false);
    // Keys the file leaves out keep the defaults of its style.
    QCOMPARE(theme.generalTabFontColor(), QStringLiteral("black"));
    QCOMPARE(theme.updateResourceProperty(QStringLiteral("/opt/art/logo.png")),
             QStringLiteral("/opt/art/logo.png"));
    QCOMPARE(theme.updateResourceProperty(QString()), QString());

    // A file chosen in the editor moves the branding folder and notifies as a load.
    QTemporaryDir other;
    QFile file(other.filePath(QStringLiteral("branding.ini")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Style]\ngeneralLogoFileName=art/logo.png\n");
    file.close();
    const QStringList* order = recordNotifications(theme);
    QVERIFY(theme.load(QUrl::fromLocalFile(file.fileName()).toString()));
    QCOMPARE(*order, (QStringList{QStringLiteral("background"), QStringLiteral("dark"),
                                  QStringLiteral("scrollBar"), QStringLiteral("themeData")}));
    QCOMPARE(theme.darkStyle(), true);
    QCOMPARE(QUrl(theme.generalLogoFileName()).toLocalFile(),
             QDir(other.path()).absoluteFilePath("art/logo.png"));

    LogCapture log;
    const QString missing = other.filePath(QStringLiteral("missing.ini"));
    QVERIFY(!theme.load(QUrl::fromLocalFile(missing).toString()));
    QVERIFY(log.contains(QStringLiteral("Theme: File '%1' does not exist!").arg(missing)));
    QCOMPARE(theme.darkStyle(), true);
}

void ThemeTest::savedFileKeepsLocalImagesRelative()
{
    Theme theme;
    QTemporaryDir target;
    const QByteArray picture = "not really a PNG";
    QFile picked(target.filePath(QStringLiteral("pick.png")));
    QVERIFY(picked.open(QIODevice::WriteOnly) && picked.write(picture) == picture.size());
    picked.close();
    ThemeProperty logo(QStringLiteral("generalLogoFileName"),
                       QUrl::fromLocalFile(picked.fileName()).toString());
    theme.themePropertyChanged(logo);
    theme.themePropertyChanged(
        ThemeProperty(QStringLiteral("generalBackgroundColor"), QStringLiteral("#abcdef")));
    const QStringList* order = recordNotifications(theme);
    theme.themePropertyChanged(ThemeProperty(QStringLiteral("appPropertyDarkStyle"), true));
    // An edit notifies the values but is no load.
    QCOMPARE(*order, (QStringList{QStringLiteral("background"), QStringLiteral("dark"),
                                  QStringLiteral("scrollBar")}));

    const QString path = target.filePath(QStringLiteral("saved/branding.ini"));
    QVERIFY(theme.save(QUrl::fromLocalFile(path).toString()));
    QSettings saved(path, QSettings::IniFormat);
    QCOMPARE(saved.value(QStringLiteral("Main/version")).toInt(), 1);
    QCOMPARE(saved.value(QStringLiteral("Main/brandingEnabled")).toBool(), true);
    QCOMPARE(saved.value(QStringLiteral("Main/darkStyle")).toBool(), true);
    QVERIFY(QDateTime::fromString(saved.value(QStringLiteral("Main/dateTime")).toString(),
                                  QStringLiteral("yyyy-MM-dd hh:mm:ss"))
                .isValid());
    QCOMPARE(saved.value(QStringLiteral("Style/generalLogoFileName")).toString(),
             QStringLiteral("resources/logo.png"));
    QCOMPARE(saved.value(QStringLiteral("Style/generalBackgroundColor")).toString(),
             QStringLiteral("#abcdef"));

    Theme reloaded;
    QVERIFY(reloaded.load(QUrl::fromLocalFile(path).toString()));
    QCOMPARE(reloaded.generalBackgroundColor(), QStringLiteral("#abcdef"));
    // The image went along, so the theme reloads as it was.
    const QString copied = target.filePath(QStringLiteral("saved/resources/logo.png"));
    QCOMPARE(QUrl(reloaded.generalLogoFileName()).toLocalFile(), copied);
    QFile copy(copied);
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), picture);
    // Saved again over itself, the image stays.
    QVERIFY(reloaded.save(QUrl::fromLocalFile(path).toString()));
    QVERIFY(copy.seek(0));
    QCOMPARE(copy.readAll(), picture);

    // A place that cannot hold the file is no saved theme.
    QFile blocker(target.filePath(QStringLiteral("plain-file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    LogCapture log;
    QVERIFY(!theme.save(QUrl::fromLocalFile(blocker.fileName() + "/branding.ini").toString()));
}

void ThemeTest::editorListsSectionsAndAppliesEdits()
{
    Theme theme;
    ThemeListModel list;
    ThemeSectionListModel sections;
    QSignalSpy listShown(&list, &ThemeListModel::isEmptyChanged);
    list.resetEntries(theme.themeProperties());
    sections.resetEntries(theme.themeSections());
    QCOMPARE(listShown.takeFirst().at(0).toBool(), true);
    QVERIFY(list.isEmpty());

    QCOMPARE(sections.rowCount(), 11);
    QCOMPARE(sections.index(0, 0).data(sections.roleNames().key("ThemeSectionData")).toString(),
             QStringLiteral("App property"));
    QCOMPARE(sections.index(10, 0).data(sections.roleNames().key("ThemeSectionId")).toString(),
             QStringLiteral("VpnConnectionButton"));

    const int visible = list.roleNames().key("Visible");
    const int iconColor = rowOf(list, QStringLiteral("connectionPageSettingsButtonIconColor"));
    list.setCurrentSectionName(QStringLiteral("Label"));
    QCOMPARE(list.index(rowOf(list, QStringLiteral("generalDefaultLabelColor"))).data(visible),
             QVariant(true));
    QCOMPARE(list.index(rowOf(list, QStringLiteral("generalLabelOpacity"))).data(visible),
             QVariant(true));
    QCOMPARE(list.index(rowOf(list, QStringLiteral("generalBackgroundColor"))).data(visible),
             QVariant(false));
    const int labelOpacity = rowOf(list, QStringLiteral("generalLabelOpacity"));
    QCOMPARE(list.index(labelOpacity).data(list.roleNames().key("ThemePropertyDataTypeString")),
             QVariant(QStringLiteral("Float")));
    QCOMPARE(list.index(labelOpacity).data(list.roleNames().key("ThemePropertyToolTip")),
             QVariant(QStringLiteral("Label 3, opacity")));
    QCOMPARE(ThemeProperty::typeName(4), QString());
    for (int section = 0; section < sections.rowCount(); ++section) {
        list.setCurrentSectionName(sections.index(section, 0).data(Qt::UserRole).toString());
        QCOMPARE(list.index(iconColor).data(visible), QVariant(false));
    }

    // Edits reach the theme through the string-based wiring the application uses.
    QVERIFY(connect(&list, SIGNAL(themePropertyChanged(ThemeProperty)), &theme,
                    SLOT(themePropertyChanged(ThemeProperty))));
    QSignalSpy edits(&list, &ThemeListModel::themePropertyChanged);
    list.updateCurrentThemeProperty(QStringLiteral("generalBackgroundColor"),
                                    QStringLiteral("#f6f7f9"));
    list.updateCurrentThemeProperty(QStringLiteral("noSuchEntry"), QStringLiteral("red"));
    QCOMPARE(edits.count(), 0);
    list.updateCurrentThemeProperty(QStringLiteral("generalBackgroundColor"),
                                    QStringLiteral("red"));
    QCOMPARE(edits.count(), 1);
    QCOMPARE(theme.generalBackgroundColor(), QStringLiteral("red"));

    // A reload with another number of entries keeps what is shown.
    LogCapture log;
    QVector<ThemeProperty> shorter = theme.themeProperties();
    shorter.removeLast();
    list.updateEntries(shorter);
    QVERIFY(log.contains(
        QStringLiteral("ThemeListModel: Cannot set theme properties, internal error")));
    QCOMPARE(list.rowCount(), 52);
}
