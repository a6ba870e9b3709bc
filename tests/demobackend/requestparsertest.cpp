#include "requestparsertest.h"

#include "httprequestparser.h"

#include <QtTest>

using Route = HttpRequestParser::Route;

Q_DECLARE_METATYPE(HttpRequestParser::Route)

namespace {

QByteArray get(const QByteArray& target, const QByteArray& headers = QByteArray())
{
    return "GET " + target + " HTTP/1.1\r\nHost: lab\r\n" + headers + "\r\n";
}

} // namespace

void RequestParserTest::parse_data()
{
    QTest::addColumn<QByteArray>("buffer");
    QTest::addColumn<int>("status");
    QTest::addColumn<Route>("route");
    QTest::addColumn<QString>("user");

    const QByteArray big(HttpRequestParser::maxHeadBytes, 'a');
    QTest::newRow("feed") << get("/feeds/serverinfo.xml") << 200 << Route::Feed << QString();
    QTest::newRow("geoip with query") << get("/v3/geoip?x=1") << 200 << Route::GeoIp << QString();
    QTest::newRow("account, encoded name")
        << get("/v3_1/private/accounts/l%C3%A5b", "Authorization: Basic eDp5\r\n") << 200
        << Route::Account << QStringLiteral("l\u00e5b");
    QTest::newRow("incomplete") << QByteArray("GET /v3/geoip HTTP/1.1\r\nHost:") << 0 << Route::None
                                << QString();
    QTest::newRow("oversized headers")
        << get("/v3/geoip", "X-Big: " + big + "\r\n") << 431 << Route::None << QString();
    QTest::newRow("oversized, no end yet")
        << QByteArray("GET /" + big + big) << 431 << Route::None << QString();
    QTest::newRow("dot-dot") << get("/feeds/../v3/geoip") << 400 << Route::None << QString();
    QTest::newRow("encoded dot-dot")
        << get("/v3_1/private/accounts/%2e%2e") << 400 << Route::None << QString();
    QTest::newRow("unknown path") << get("/v3/other") << 404 << Route::None << QString();
    QTest::newRow("account without name")
        << get("/v3_1/private/accounts/") << 404 << Route::None << QString();
    QTest::newRow("post") << QByteArray("POST /v3/geoip HTTP/1.1\r\n\r\n") << 405 << Route::None
                          << QString();
    QTest::newRow("body announced")
        << get("/v3/geoip", "Content-Length: 5\r\n") << 400 << Route::None << QString();
    QTest::newRow("bare line feeds") << QByteArray("GET /v3/geoip HTTP/1.1\nHost: x\n\r\n\r\n")
                                     << 400 << Route::None << QString();
    QTest::newRow("HTTP/2 text") << QByteArray("GET /v3/geoip HTTP/2\r\n\r\n") << 400 << Route::None
                                 << QString();
}

void RequestParserTest::parse()
{
    QFETCH(QByteArray, buffer);
    QFETCH(int, status);
    QFETCH(Route, route);
    QFETCH(QString, user);
    const HttpRequestParser::Result result = HttpRequestParser::parse(buffer);
    QCOMPARE(result.status, status);
    QCOMPARE(result.route, route);
    QCOMPARE(result.user, user);
    if (status == 200) {
        QCOMPARE(result.consumed, buffer.size());
        QVERIFY(result.keepAlive);
    }
}
