#include "cataloguetest.h"

#include "api/account.h"
#include "api/catalogue.h"
#include "core/countrynames.h"
#include "support/logcapture.h"

#include <QtTest>

using namespace Catalogue;

namespace {

QString feed(const QString& servers)
{
    return QStringLiteral("<?xml version=\"1.0\"?>\n<serverList>\n") + servers +
           QStringLiteral("</serverList>\n");
}

QString server(const QString& country, const QString& city, const QString& ip,
               const QString& extra = QString())
{
    return QStringLiteral(
               "<server name=\"%1-%2\" country=\"%1\" city=\"%1 %2\" ip=\"%3\" cpu=\"12.5\" "
               "capacity=\"100\" visible=\"1\" status=\"1\" %4/>\n")
        .arg(country, city, ip, extra);
}

QStringList cities(const Servers& servers)
{
    QStringList list;
    for (const Server& s : servers)
        list << s.country + QLatin1Char('/') + s.city;
    return list;
}

} // namespace

void CatalogueTest::initTestCase()
{
    m_reporter = new QObject(this);
    m_reporter->setObjectName(QStringLiteral("NetworkApi"));
}

void CatalogueTest::visibleOrStatusDecides()
{
    const QString text =
        feed(QStringLiteral("<server name=\"a\" country=\"se\" city=\"se Oslo\" ip=\"10.0.0.1\" "
                            "cpu=\"1\" visible=\"0\" status=\"1\"/>"
                            "<server name=\"b\" country=\"se\" city=\"se Lund\" ip=\"10.0.0.2\" "
                            "cpu=\"1\" visible=\"1\" status=\"0\"/>"
                            "<server name=\"c\" country=\"se\" city=\"se Umea\" ip=\"10.0.0.3\" "
                            "cpu=\"1\" visible=\"0\" status=\"0\"/>"
                            "<server name=\"d\" country=\"se\" city=\"se Kiruna\" ip=\"10.0.0.4\" "
                            "cpu=\"1\" visible=\"x\" status=\"\"/>"));
    const Servers servers = parseServerFeed(m_reporter, text);
    QCOMPARE(ipList(servers),
             QStringList({QStringLiteral("10.0.0.2"), QStringLiteral("10.0.0.1")}));
}

void CatalogueTest::duplicateIsDroppedWithWarning()
{
    const QString one =
        server(QStringLiteral("nl"), QStringLiteral("Amsterdam"), QStringLiteral("10.1.0.1"));
    // The same server with another load is still the same server.
    const QString other =
        QString(one).replace(QStringLiteral("cpu=\"12.5\""), QStringLiteral("cpu=\"40\""));
    QTest::ignoreMessage(QtWarningMsg, "NetworkApi: Duplicate server detected: 'nl, Amsterdam'");
    const Servers servers = parseServerFeed(m_reporter, feed(one + other));
    QCOMPARE(servers.size(), 1);
    QCOMPARE(servers.first().cpu, 12.5f);
}

void CatalogueTest::zeroLoadIsListedAsUnavailable()
{
    const QString text =
        feed(server(QStringLiteral("nl"), QStringLiteral("Amsterdam"), QStringLiteral("10.1.0.1"))
                 .replace(QStringLiteral("cpu=\"12.5\""), QStringLiteral("cpu=\"0.00\"")) +
             server(QStringLiteral("nl"), QStringLiteral("Rotterdam"), QStringLiteral("10.1.0.2"))
                 .replace(QStringLiteral("cpu=\"12.5\""), QStringLiteral("cpu=\"0.0\"")));
    QTest::ignoreMessage(QtWarningMsg, "NetworkApi: Not available servers: nl, Amsterdam (0.00)");
    const Servers servers = parseServerFeed(m_reporter, text);
    QCOMPARE(cities(servers), QStringList{QStringLiteral("nl/Rotterdam")});
    QVERIFY(!isAvailableLoad(QStringLiteral("0.00")));
    QVERIFY(isAvailableLoad(QStringLiteral("0.0")));
    QVERIFY(isAvailableLoad(QString()));
}

void CatalogueTest::ordersByCountryCodeThenCity()
{
    const QString text =
        feed(server(QStringLiteral("se"), QStringLiteral("Stockholm"), QStringLiteral("10.0.0.1")) +
             server(QStringLiteral("DE"), QStringLiteral("Frankfurt"), QStringLiteral("10.0.0.2")) +
             server(QStringLiteral("nl"), QStringLiteral("Rotterdam"), QStringLiteral("10.0.0.3")) +
             server(QStringLiteral("DE"), QStringLiteral("Berlin"), QStringLiteral("10.0.0.4")) +
             server(QStringLiteral("nl"), QStringLiteral("Amsterdam"), QStringLiteral("10.0.0.5")) +
             server(QStringLiteral("se"), QStringLiteral("Malmo"), QStringLiteral("10.0.0.6")));
    const Servers servers = parseServerFeed(m_reporter, text);
    QCOMPARE(cities(servers),
             QStringList({QStringLiteral("DE/Berlin"), QStringLiteral("DE/Frankfurt"),
                          QStringLiteral("nl/Amsterdam"), QStringLiteral("nl/Rotterdam"),
                          QStringLiteral("se/Malmo"), QStringLiteral("se/Stockholm")}));
    QCOMPARE(countryCodes(servers),
             QStringList({QStringLiteral("de"), QStringLiteral("nl"), QStringLiteral("se")}));
}

void CatalogueTest::everyServerIsListedOnceWhateverItsCountry()
{
    // Lower case and comparison without case disagree here: U+0130 lowers to two characters,
    // U+03A3 and U+03C2 lower apart but compare equal.
    const QString text = feed(
        server(QStringLiteral("\u0130t"), QStringLiteral("Izmir"), QStringLiteral("10.0.0.1")) +
        server(QStringLiteral("it"), QStringLiteral("Roma"), QStringLiteral("10.0.0.2")) +
        server(QStringLiteral("\u03a3x"), QStringLiteral("Patra"), QStringLiteral("10.0.0.3")) +
        server(QStringLiteral("\u03c2x"), QStringLiteral("Volos"), QStringLiteral("10.0.0.4")));
    const Servers servers = parseServerFeed(m_reporter, text);
    QCOMPARE(ipList(servers),
             QStringList({QStringLiteral("10.0.0.2"), QStringLiteral("10.0.0.1"),
                          QStringLiteral("10.0.0.4"), QStringLiteral("10.0.0.3")}));
}

void CatalogueTest::cutDocumentKeepsFeedOrder()
{
    const QString whole =
        feed(server(QStringLiteral("se"), QStringLiteral("Stockholm"), QStringLiteral("10.0.0.1")) +
             server(QStringLiteral("de"), QStringLiteral("Berlin"), QStringLiteral("10.0.0.2")) +
             server(QStringLiteral("nl"), QStringLiteral("Amsterdam"), QStringLiteral("10.0.0.3")));
    const QString cut = whole.left(whole.indexOf(QStringLiteral("<server name=\"nl")) + 20);
    QTest::ignoreMessage(QtCriticalMsg,
                         QRegularExpression(QStringLiteral("^NetworkApi: Cannot parse XML: .+")));
    const Servers servers = parseServerFeed(m_reporter, cut);
    QCOMPARE(cities(servers),
             QStringList({QStringLiteral("se/Stockholm"), QStringLiteral("de/Berlin")}));
}

void CatalogueTest::serverWithoutPlainAddressIsSkipped()
{
    // The address ends up in root-run configurations and commands.
    const QStringList hostile{QStringLiteral("10.0.0.9&#10;up /bin/sh"),
                              QStringLiteral("10.0.0.9&quot; up /bin/sh"), QStringLiteral("10.1"),
                              QStringLiteral("010.0.0.1"), QString()};
    QString servers =
        server(QStringLiteral("nl"), QStringLiteral("Amsterdam"), QStringLiteral("10.0.0.1"));
    for (int i = 0; i < hostile.size(); ++i)
        servers += server(QStringLiteral("de"), QStringLiteral("City%1").arg(i), hostile.at(i));
    LogCapture log;
    const Servers parsed = parseServerFeed(m_reporter, feed(servers));
    QCOMPARE(ipList(parsed), QStringList({QStringLiteral("10.0.0.1")}));
    QCOMPARE(
        log.count(QStringLiteral("NetworkApi: Server with an invalid address skipped: 'de, City")),
        hostile.size());
    QVERIFY(!log.contains(QStringLiteral("/bin/sh")));
}

void CatalogueTest::serverElementsAtAnyDepth()
{
    const QString text = QStringLiteral("<serverList><region name=\"eu\"><group><server name=\"x\" "
                                        "country=\"fr\" city=\"fr Paris\" ip=\"10.2.0.1\" "
                                        "visible=\"1\"/></group></region><note/></serverList>");
    const Servers servers = parseServerFeed(m_reporter, text);
    QCOMPARE(servers.size(), 1);
    QCOMPARE(servers.first().city, QStringLiteral("Paris"));
    QCOMPARE(servers.first().id, QStringLiteral("10.2.0.1"));
}

void CatalogueTest::cityLosesCountryPrefix()
{
    const Server s(QStringLiteral("10.0.0.1"), QStringLiteral("nl"),
                   QStringLiteral("nl Amsterdam nl Noord"), QStringLiteral("nl-ams-01"),
                   QStringLiteral("10.0.0.1"), 5, 1.0f);
    QCOMPARE(s.city, QStringLiteral("Amsterdam Noord"));
    const Server upper(QStringLiteral("10.0.0.1"), QStringLiteral("nl"),
                       QStringLiteral("NL Amsterdam"), QString(), QString(), 0, 0);
    QCOMPARE(upper.city, QStringLiteral("NL Amsterdam"));

    const Server header(QStringLiteral("se"), QString());
    QVERIFY(header.isCountry && !header.serviceHeader && isUuid(header.id));
    const Server section(QString(), QStringLiteral("Favorite Servers"));
    QVERIFY(section.serviceHeader);
    QCOMPARE(displayCountryName(section), QStringLiteral("Favorite Servers"));
    QCOMPARE(locationName(header), QStringLiteral("se"));
}

void CatalogueTest::identifiers()
{
    const Servers servers{Server(QStringLiteral("203.0.113.10"), QStringLiteral("nl"),
                                 QStringLiteral("nl Amsterdam"), QStringLiteral("nl-ams-01"),
                                 QStringLiteral("203.0.113.10"), 10, 1)};
    QCOMPARE(identifierForAddress(servers, QStringLiteral("203.0.113.10")),
             QStringLiteral("nl-ams-01"));
    QCOMPARE(identifierForAddress(servers, QStringLiteral("203.0.113.99")),
             QStringLiteral("203.0.113.99"));
    QCOMPARE(identifierForAddress(servers, QStringLiteral("nl")), QStringLiteral("nl"));
    QCOMPARE(ipForName(servers, QStringLiteral("nl-ams-01")), QStringLiteral("203.0.113.10"));
    QCOMPARE(ipForName(servers, QStringLiteral("other")), QStringLiteral("other"));
    QVERIFY(!isHostName(QStringLiteral("nl")));
    QVERIFY(isHostName(QStringLiteral("nl-ams-01")));
    QVERIFY(!isHostName(QStringLiteral("bad host")));
    QVERIFY(isCountryCode(QStringLiteral("DE")));
    QVERIFY(!isCountryCode(QStringLiteral("DEU")));
    QVERIFY(!isUuid(QStringLiteral("nl-ams-01")));
    QVERIFY(!isValid(findByIp(servers, QStringLiteral("1.1.1.1"))));
}

void CatalogueTest::queries()
{
    Servers servers{
        Server(QStringLiteral("10.0.0.1"), QStringLiteral("DE"), QStringLiteral("DE Berlin"),
               QStringLiteral("de-ber-01"), QStringLiteral("10.0.0.1"), 1, 1),
        Server(QStringLiteral("10.0.0.2"), QStringLiteral("de"), QStringLiteral("de Munich"),
               QStringLiteral("de-muc-01"), QStringLiteral("10.0.0.2"), 1, 1),
        Server(QStringLiteral("10.0.0.3"), QStringLiteral("gb"), QStringLiteral("gb London"),
               QStringLiteral("gb-lon-01"), QStringLiteral("10.0.0.3"), 1, 1)};
    QCOMPARE(serversOfCountry(servers, QStringLiteral("de")).size(), 2);
    QCOMPARE(countryNames(servers),
             QStringList({QStringLiteral("Germany"), QStringLiteral("Germany"),
                          QStringLiteral("United Kingdom")}));
    QVERIFY(matchesSearch(servers[2], QStringLiteral("KINGDOM")));
    QVERIFY(matchesSearch(servers[1], QStringLiteral("mun")));
    QVERIFY(matchesSearch(servers[0], QStringLiteral("ber-01")));
    QVERIFY(!matchesSearch(servers[0], QStringLiteral("paris")));
    QVERIFY(matchesSearch(servers[0], QString()));
    QVERIFY(containsServer(servers, servers[1]));
    Server changed = servers[1];
    changed.cpu = 99;
    QVERIFY(containsServer(servers, changed));
    changed.capacity = 2;
    QVERIFY(!containsServer(servers, changed));
    QCOMPARE(countryCityText(servers[0]), QStringLiteral("DE, Berlin"));
    QCOMPARE(formatLocationText(QStringLiteral("203.0.113.7"), QStringLiteral("nl"), false),
             QStringLiteral("location in 'nl' (203.0.113.7)"));
    QCOMPARE(formatLocationText(QStringLiteral("203.0.113.7"), QStringLiteral("nl"), true),
             QStringLiteral("VPN location in 'nl' (203.0.113.7)"));
}

void CatalogueTest::favourites()
{
    Servers servers{
        Server(QStringLiteral("se"), QString()),
        Server(QStringLiteral("10.0.0.1"), QStringLiteral("se"), QStringLiteral("se Malmo"),
               QStringLiteral("se-mal-01"), QStringLiteral("10.0.0.1"), 1, 1),
        Server(QStringLiteral("10.0.0.2"), QStringLiteral("se"), QStringLiteral("se Lund"),
               QStringLiteral("se-lun-01"), QStringLiteral("10.0.0.2"), 1, 1)};
    applyFavorites(servers, {QStringLiteral("se"), QStringLiteral("se-lun-01")});
    QVERIFY(servers[0].favorite);
    QVERIFY(!servers[1].favorite); // a country code names the header only
    QVERIFY(servers[2].favorite);
    applyFavorites(servers, {QStringLiteral("10.0.0.1")});
    QVERIFY(!servers[0].favorite && servers[1].favorite && !servers[2].favorite);
    setFavoriteByIp(servers, QStringLiteral("10.0.0.2"), true);
    setFavoriteByIp(servers, QStringLiteral("se-mal-01"), false);
    QVERIFY(servers[1].favorite && servers[2].favorite);
}

void CatalogueTest::accountValidityAndKey()
{
    QVERIFY(!Account().isValid());
    QVERIFY(Account().wgPublicKey.isEmpty());
    const Account disabled(5, QStringLiteral("alice"), QStringLiteral("Disabled"), {}, {}, {}, {});
    QVERIFY(!disabled.isValid());
    const Account zero(0, QStringLiteral("alice"), QStringLiteral("Active"), {}, {}, {}, {});
    QVERIFY(!zero.isValid());
    const Account active(5, QStringLiteral("alice"), QStringLiteral("disabled"), {}, {}, {}, {});
    QVERIFY(active.isValid());
    QCOMPARE(active.wgPublicKey, Account::builtInWireGuardPublicKey());
    QCOMPARE(active.wgPublicKey.size(), 44);
    QCOMPARE(QByteArray::fromBase64(active.wgPublicKey.toLatin1()).size(), 32);
}

void CatalogueTest::typesAreRegistered()
{
    registerTypes();
    QVERIFY(QMetaType::type("Servers") != QMetaType::UnknownType);
    QVERIFY(QMetaType::type("Account") != QMetaType::UnknownType);
    QVERIFY(QMetaType::type("Server") != QMetaType::UnknownType);

    QCOMPARE(countryNameForCode(QStringLiteral("DE")), QStringLiteral("Germany"));
    QCOMPARE(countryNameForCode(QStringLiteral("de")), QStringLiteral("Germany"));
    QCOMPARE(countryNameForCode(QStringLiteral("xx")), QString());
    QVERIFY(!isKnownCountryCode(QStringLiteral("xx")));
    QVERIFY(isKnownCountryCode(QStringLiteral("SE")));
    QCOMPARE(spacedCountryName(QStringLiteral("UnitedKingdom")), QStringLiteral("United Kingdom"));
    QCOMPARE(spacedCountryName(QStringLiteral("Sweden")), QStringLiteral("Sweden"));
    QCOMPARE(countryCodeForName(QStringLiteral("United Kingdom")), QStringLiteral("gb"));
    QCOMPARE(countryCodeForName(QStringLiteral("united kingdom")), QString());
}
