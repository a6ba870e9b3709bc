#include "settingstest.h"

#include "api/catalogue.h"
#include "settings/settings.h"
#include "support/logcapture.h"

#include <QFile>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

namespace {

QString storePath()
{
    return QSettings(QStringLiteral("VPN"), QStringLiteral("VPNClient")).fileName();
}

void store(const QString& key, const QVariant& value)
{
    QSettings raw(QStringLiteral("VPN"), QStringLiteral("VPNClient"));
    raw.setValue(QStringLiteral("Settings/") + key, value);
    raw.sync();
}

Server server(const QString& name, const QString& ip)
{
    return Server(ip, QStringLiteral("nl"), QStringLiteral("nl Amsterdam"), name, ip, 10, 1.0f);
}

} // namespace

void SettingsTest::init()
{
    QFile::remove(storePath());
}

void SettingsTest::emptyStoreGivesDefaults()
{
    Settings settings;
    QCOMPARE(settings.objectName(), QStringLiteral("Settings"));
    QCOMPARE(settings.networkProtocol(), 3);
    QVERIFY(settings.killswitchEnabled());
    QVERIFY(settings.allowAccessToLocalDevices());
    QVERIFY(settings.autoReconnectionOnError());
    QVERIFY(settings.autoUpdateEnabled());
    QVERIFY(settings.showNotifications());
    QVERIFY(!settings.connectToLastLocation());
    QVERIFY(!settings.ipv6Enabled());
    QCOMPARE(settings.mtuSize(), 0);
    QCOMPARE(settings.startMinimized(), 0);
    QCOMPARE(settings.tcpPortIndex(), 0);
    QCOMPARE(settings.udpPortIndex(), 0);
    QVERIFY(settings.userName().isEmpty() && settings.password().isEmpty());
    QVERIFY(settings.language().isEmpty());
    QCOMPARE(settings.languageIndex(), 0);
    QVERIFY(settings.currentServerId().isEmpty());
    QVERIFY(settings.favorites().isEmpty());
    QCOMPARE(settings.defaultMtuSize(), 1500);
    QCOMPARE(settings.titleName(), QStringLiteral("Corvalink"));
    QVERIFY(settings.fileName().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
    QVERIFY(settings.isWritable());
}

void SettingsTest::portIndexesOutOfRangeLoadAsZero()
{
    store(QStringLiteral("tcpPortIndex"), 10);
    store(QStringLiteral("udpPortIndex"), 3);
    {
        Settings settings;
        QCOMPARE(settings.tcpPortIndex(), 0);
        QCOMPARE(settings.udpPortIndex(), 0);
    }
    store(QStringLiteral("tcpPortIndex"), 9);
    store(QStringLiteral("udpPortIndex"), 65538); // 16 bits of it are 2
    Settings settings;
    QCOMPARE(settings.tcpPortIndex(), 9);
    QCOMPARE(settings.udpPortIndex(), 2);

    QSignalSpy tcp(&settings, &Settings::tcpPortIndexChanged);
    settings.setTcpPortIndex(10);
    QCOMPARE(settings.tcpPortIndex(), 0);
    settings.setTcpPortIndex(0);
    QCOMPARE(tcp.count(), 1);
}

void SettingsTest::portQueries()
{
    Settings settings;
    QCOMPARE(settings.allowedTcpPortsList(),
             QStringList({"0", "20", "21", "23", "53", "80", "110", "143", "3389", "8080"}));
    QCOMPARE(settings.allowedUdpPortsList(), QStringList({"53", "88", "123"}));
    QCOMPARE(settings.autoPortCandidates(),
             QVector<quint16>({20, 21, 23, 53, 80, 110, 143, 3389, 8080}));
    settings.setNetworkProtocol(1);
    settings.setTcpPortIndex(0);
    QCOMPARE(settings.currentPortText(), QStringLiteral("auto"));
    QVERIFY(settings.isAutoPort());
    settings.setTcpPortIndex(9);
    QCOMPARE(settings.currentPort(), quint16(8080));
    settings.setNetworkProtocol(0);
    settings.setUdpPortIndex(2);
    QCOMPARE(settings.currentPortText(), QStringLiteral("123"));
    settings.setNetworkProtocol(2);
    QCOMPARE(settings.currentPortText(), QStringLiteral("443"));
    settings.setNetworkProtocol(3);
    QCOMPARE(settings.currentPortText(), QStringLiteral("55888"));
    settings.setNetworkProtocol(7);
    QCOMPARE(settings.currentPort(), quint16(0));
}

void SettingsTest::languageTableAndIndex()
{
    store(QStringLiteral("language"), QStringLiteral("de"));
    {
        Settings settings;
        QVERIFY(settings.language().isEmpty());
        QCOMPARE(settings.languageIndex(), 0);
        QCOMPARE(settings.languageList().size(), 12);
        QCOMPARE(settings.languageList().at(8), QStringLiteral("Русский"));
    }
    store(QStringLiteral("language"), QStringLiteral("ru"));
    Settings settings;
    QCOMPARE(settings.languageIndex(), 8);
    QSignalSpy language(&settings, &Settings::languageChanged);
    QSignalSpy index(&settings, &Settings::languageIndexChanged);
    settings.setLanguageIndex(12);
    settings.setLanguageIndex(-1);
    settings.setLanguageIndex(8);
    QCOMPARE(language.count(), 0);
    settings.setLanguageIndex(11);
    QCOMPARE(language.count(), 1);
    QCOMPARE(language.first().first().toString(), QStringLiteral("cn"));
    QCOMPARE(index.count(), 0);
    QCOMPARE(settings.languageIndex(), 11);
}

void SettingsTest::currentServerIdMustBeAnIdentifier_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("loaded");
    QTest::newRow("country code") << "nl"
                                  << "nl";
    QTest::newRow("IPv4 address") << "203.0.113.10"
                                  << "203.0.113.10";
    QTest::newRow("host name") << "nl-ams-01"
                               << "nl-ams-01";
    QTest::newRow("not a host name") << "nl ams/01"
                                     << "";
}

void SettingsTest::currentServerIdMustBeAnIdentifier()
{
    QFETCH(QString, stored);
    QFETCH(QString, loaded);
    store(QStringLiteral("currentServerId"), stored);
    Settings settings;
    QCOMPARE(settings.currentServerId(), loaded);
}

void SettingsTest::favouritesKeepFirstPlace()
{
    Settings settings;
    settings.setFavorite(QStringLiteral("se"), true);
    settings.setFavorite(QStringLiteral("nl"), true);
    settings.setFavorite(QStringLiteral("nl"), true);
    settings.setFavorite(QStringLiteral("se"), true);
    QCOMPARE(settings.favorites(), QStringList({QStringLiteral("se"), QStringLiteral("nl")}));
    settings.setFavorite(QStringLiteral("nl"), false);
    QCOMPARE(settings.favorites(), QStringList{QStringLiteral("se")});
    QCOMPARE(Settings().favorites(), QStringList{QStringLiteral("se")});
}

void SettingsTest::recentServersKeepLastThree()
{
    Servers six;
    for (int i = 1; i <= 6; ++i)
        six << server(QStringLiteral("nl-%1").arg(i), QStringLiteral("10.0.0.%1").arg(i));
    Settings settings;
    LogCapture log;
    settings.saveRecentServers(six);
    QVERIFY(log.contains(QStringLiteral("Settings: Save recent servers: nl-4,nl-5,nl-6")));
    const Servers loaded = settings.loadRecentServers(six);
    QCOMPARE(loaded.size(), 3);
    QCOMPARE(loaded[0].name, QStringLiteral("nl-4"));
    QCOMPARE(loaded[2].name, QStringLiteral("nl-6"));

    // A repeat keeps the earlier place.
    settings.saveRecentServers({six[0], six[1], six[0]});
    QCOMPARE(Catalogue::ipList(settings.loadRecentServers(six)),
             QStringList({QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.2")}));
    // Identifiers without a server in the catalogue are passed over.
    QCOMPARE(settings.loadRecentServers({six[1]}).size(), 1);

    // Entries that share an address go by the first one's name; an address that is no IPv4
    // address is its own identifier.
    const Servers shared{server(QStringLiteral("de-1"), QStringLiteral("10.0.1.1")),
                         server(QStringLiteral("de-2"), QStringLiteral("10.0.1.1")),
                         server(QStringLiteral("host-a"), QStringLiteral("vpn.example"))};
    settings.saveRecentServers({shared[0], shared[2]});
    QVERIFY(log.contains(QStringLiteral("Settings: Save recent servers: de-1,vpn.example")));
    const Servers found = settings.loadRecentServers(shared);
    QCOMPARE(found.size(), 2);
    QCOMPARE(found[0].name, QStringLiteral("de-1"));
    QCOMPARE(found[1].name, QStringLiteral("host-a"));
}

void SettingsTest::credentialsAreSimplifiedAndEnciphered()
{
    Settings settings;
    QSignalSpy password(&settings, &Settings::passwordChanged);
    settings.setPassword(QStringLiteral("  a   b  "));
    QCOMPARE(settings.password(), QStringLiteral("a b"));
    QCOMPARE(password.first().first().toString(), QStringLiteral("a b"));
    settings.setUserName(QStringLiteral("   "));
    QVERIFY(!settings.vaildCredentials());
    settings.setUserName(QStringLiteral("alice"));
    QVERIFY(settings.vaildCredentials());
}

void SettingsTest::storeIsReadBackByFreshObject()
{
    const QString secret = QStringLiteral("Secr3t-pässwörd");
    {
        Settings settings;
        settings.setUserName(QStringLiteral("alice"));
        settings.setPassword(secret);
        settings.setNetworkProtocol(1);
        settings.setTcpPortIndex(5);
        settings.setKillswitchEnabled(false);
        settings.setLanguageIndex(5);
        settings.setMtuSize(1400);
        settings.saveCurrentServerId(QStringLiteral("nl-ams-01"));
    }
    QFile file(storePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray onDisk = file.readAll();
    QVERIFY(!onDisk.contains(secret.toUtf8()));
    QVERIFY(!onDisk.contains("alice"));
    // Every general key is written (the file lists them sorted, so this shows presence, not order).
    const QStringList order{"allowAccessToLocalDevices",
                            "autoReconnectToVpn",
                            "autoUpdateEnabled",
                            "connectToLastLocation",
                            "currentServerId",
                            "ipv6Enabled",
                            "killswitchEnabled",
                            "language",
                            "mtuSize",
                            "networkProtocol",
                            "password",
                            "showNotifications",
                            "startMinimized",
                            "tcpPortIndex",
                            "udpPortIndex",
                            "userName"};
    int last = -1;
    for (const QString& name : order) {
        const int at = onDisk.indexOf(name.toLatin1() + '=');
        QVERIFY2(at > last, qPrintable(name));
        last = at;
    }

    Settings fresh;
    QCOMPARE(fresh.userName(), QStringLiteral("alice"));
    QCOMPARE(fresh.password(), secret);
    QCOMPARE(fresh.networkProtocol(), 1);
    QCOMPARE(fresh.tcpPortIndex(), 5);
    QVERIFY(!fresh.killswitchEnabled());
    QCOMPARE(fresh.language(), QStringLiteral("nl"));
    QCOMPARE(fresh.mtuSize(), 1400);
    QCOMPARE(fresh.currentServerId(), QStringLiteral("nl-ams-01"));
}

void SettingsTest::themeditorUrlIsTheFolder()
{
    Settings settings;
    QVERIFY(settings.themeditorLastOpenedUrl().isLocalFile());
    QSignalSpy changed(&settings, &Settings::themeditorLastOpenedUrlChanged);
    settings.setThemeditorLastOpenedUrl(
        QUrl::fromLocalFile(QStringLiteral("/srv/themes/dark/branding.ini")));
    QCOMPARE(settings.themeditorLastOpenedUrl(),
             QUrl::fromLocalFile(QStringLiteral("/srv/themes/dark")));
    settings.setThemeditorLastOpenedUrl(
        QUrl::fromLocalFile(QStringLiteral("/srv/themes/dark/branding.ini")));
    QCOMPARE(changed.count(), 2);
    settings.saveThemeditorSettings();
    QCOMPARE(Settings().themeditorLastOpenedUrl(),
             QUrl::fromLocalFile(QStringLiteral("/srv/themes/dark")));
}

void SettingsTest::mtuGoesToEveryAdapterWithAnIndex()
{
    Settings settings;
    settings.setTunnelAdapters({NetworkInterface{QStringLiteral("TUN driver"), 0},
                                NetworkInterface{QStringLiteral("missing-a"), 999998},
                                NetworkInterface{QStringLiteral("missing-b"), 999999}});
    QSignalSpy mtu(&settings, &Settings::mtuSizeChanged);
    LogCapture log;
    settings.setMtuSize(1400);
    QCOMPARE(log.count(QStringLiteral("Utils: 'Set mtu size' command finished with code: ")), 2);
    QCOMPARE(mtu.count(), 1);
    QCOMPARE(mtu.first().first().toInt(), 1400);
    // The same value again runs no tool.
    settings.setMtuSize(1400);
    QCOMPARE(log.count(QStringLiteral("Utils: 'Set mtu size' command finished with code: ")), 2);
    QCOMPARE(mtu.count(), 1);
}

void SettingsTest::launchOnStartupFollowsAutoStart()
{
    Settings settings;
    QVERIFY(!settings.launchAppOnStartup());
    QSignalSpy changed(&settings, &Settings::launchAppOnStartupChanged);
    settings.setLaunchAppOnStartup(true);
    QVERIFY(settings.launchAppOnStartup());
    settings.setLaunchAppOnStartup(true);
    QCOMPARE(changed.count(), 1);
    settings.setLaunchAppOnStartup(false);
    QVERIFY(!settings.launchAppOnStartup());
    QCOMPARE(changed.count(), 2);
}

void SettingsTest::qmlPropertiesAndSignalsInOrder()
{
    Settings settings;
    const QMetaObject* meta = settings.metaObject();
    QStringList properties;
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
        properties << QString::fromLatin1(meta->property(i).name());
    QCOMPARE(properties, QStringList({"language",
                                      "password",
                                      "userName",
                                      "allowedTcpPortsList",
                                      "allowedUdpPortsList",
                                      "languageList",
                                      "allowAccessToLocalDevices",
                                      "autoReconnectionOnError",
                                      "autoUpdateEnabled",
                                      "connectToLastLocation",
                                      "ipv6Enabled",
                                      "killswitchEnabled",
                                      "launchAppOnStartup",
                                      "showNotifications",
                                      "languageIndex",
                                      "mtuSize",
                                      "networkProtocol",
                                      "startMinimized",
                                      "tcpPortIndex",
                                      "udpPortIndex",
                                      "themeditorLastOpenedUrl"}));
    QStringList signalNames;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        if (meta->method(i).methodType() == QMetaMethod::Signal)
            signalNames << QString::fromLatin1(meta->method(i).name());
    }
    QCOMPARE(signalNames.first(), QStringLiteral("allowAccessToLocalDevicesChanged"));
    QCOMPARE(signalNames.last(), QStringLiteral("userNameChanged"));
    QCOMPARE(signalNames.size(), 18);
}
