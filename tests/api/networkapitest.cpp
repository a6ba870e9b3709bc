#include "networkapitest.h"

#include "api/catalogue.h"
#include "api/networkapi.h"
#include "fakes/fakebackend.h"
#include "support/logcapture.h"
#include "support/residentmemory.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

const QByteArray feedXml =
    "<serverList><server name=\"nl-ams-01\" country=\"nl\" city=\"nl Amsterdam\" "
    "ip=\"203.0.113.10\" "
    "cpu=\"10\" capacity=\"100\" visible=\"1\" status=\"1\"/><server name=\"se-sto-01\" "
    "country=\"se\" city=\"se Stockholm\" ip=\"203.0.113.20\" cpu=\"5\" "
    "visible=\"1\"/></serverList>";

const QByteArray accountJson =
    "{\"data\":{\"id\":5,\"username\":\"alice\",\"status\":\"Active\",\"created\":\"c\","
    "\"updated\":\"u\",\"wg_ip\":\"10.2.0.5\",\"wg_private_key\":\"cHJpdmF0ZQ==\","
    "\"wg_public_key\":\"not the key\"}}";

qint64 statusKiB(const QByteArray& key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// From here on VmHWM is the peak of what follows.
bool resetPeakMemory()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}

} // namespace

void NetworkApiTest::initTestCase()
{
    Catalogue::registerTypes();
    m_backend = new FakeBackend(this);
    QVERIFY(m_backend->listen());
    qputenv("CORVALINK_API_URL", m_backend->baseUrl().toUtf8());
}

void NetworkApiTest::init()
{
    m_backend->setBehaviour(FakeBackend::Behaviour::Answer);
    m_backend->clearRequests();
    m_backend->setGeoIp("{\"data\":{\"ip\":\"203.0.113.7\",\"iso_code\":\"nl\"}}");
    m_backend->setFeed(feedXml);
}

void NetworkApiTest::urlsAndLabels()
{
    NetworkApi api;
    QCOMPARE(NetworkApi::baseUrl(), m_backend->baseUrl());
    QCOMPARE(api.accountUrl(QStringLiteral("alice")),
             m_backend->baseUrl() + QStringLiteral("/v3_1/private/accounts/alice"));
    QCOMPARE(api.accountUrl(QString()),
             m_backend->baseUrl() + QStringLiteral("/v3_1/private/accounts"));
    QCOMPARE(NetworkApi::urlLabel(api.geoIpUrl()), QStringLiteral("API GEO IP URL"));
    QCOMPARE(NetworkApi::urlLabel(api.serverListUrl()), QStringLiteral("API Serverlist URL"));
    QCOMPARE(NetworkApi::urlLabel(api.accountUrl(QStringLiteral("bob"))),
             QStringLiteral("API Accounts URL"));
    QCOMPARE(NetworkApi::urlLabel(QStringLiteral("https://x/v3_1/accounts/1")),
             QStringLiteral("API Account URL"));
    QCOMPARE(NetworkApi::urlLabel(QStringLiteral("https://x/other")),
             QStringLiteral("API *** URL"));

    qunsetenv("CORVALINK_API_URL");
    QCOMPARE(NetworkApi::baseUrl(),
             QStringLiteral("https://") + QStringLiteral(CORVALINK_API_HOST));
    qputenv("CORVALINK_API_URL", m_backend->baseUrl().toUtf8());
}

void NetworkApiTest::geoIpReplyIsEmittedAndLogged()
{
    NetworkApi api;
    QSignalSpy finished(&api, &NetworkApi::requestCurrentIpAddressFinished);
    LogCapture log;
    api.requestCurrentIpAddress();
    QVERIFY(finished.wait());
    QCOMPARE(finished.first().at(0).toString(), QStringLiteral("203.0.113.7"));
    QCOMPARE(finished.first().at(1).toString(), QStringLiteral("nl"));
    QCOMPARE(api.ip(), QStringLiteral("203.0.113.7"));
    QCOMPARE(api.countryCode(), QStringLiteral("nl"));
    QVERIFY(log.contains(QStringLiteral("NetworkApi: Request current IP address")));
    QVERIFY(log.contains(QStringLiteral("NetworkApi: Request 'API GEO IP URL' finished, location "
                                        "in 'nl' (203.0.113.7), valid: true")));
    QCOMPARE(m_backend->requests().first().headers.value("accept"), QByteArray("application/json"));
    for (const QString& line : log.messages())
        QVERIFY2(!line.contains(QStringLiteral("127.0.0.1")), qPrintable(line));
}

void NetworkApiTest::hostNameAsIpIsNotValid()
{
    m_backend->setGeoIp("{\"data\":{\"ip\":\"vpn1.example\",\"iso_code\":\"se\"}}");
    NetworkApi api;
    QSignalSpy finished(&api, &NetworkApi::requestCurrentIpAddressFinished);
    LogCapture log;
    api.requestCurrentIpAddress();
    QVERIFY(finished.wait());
    QCOMPARE(finished.first().at(0).toString(), QStringLiteral("vpn1.example"));
    QVERIFY(log.contains(QStringLiteral("(vpn1.example), valid: false")));

    m_backend->setGeoIp("{broken");
    LogCapture broken;
    api.requestCurrentIpAddress();
    QVERIFY(finished.wait());
    QCOMPARE(finished.last().at(0).toString(), QString());
    QVERIFY(broken.contains(QStringLiteral("NetworkApi: Cannot parse JSON document. Error: '")));
}

void NetworkApiTest::timedOutRequestGivesPlaceholder()
{
    m_backend->setBehaviour(FakeBackend::Behaviour::Late);
    NetworkApi api;
    api.setRequestTimeout(300);
    QSignalSpy finished(&api, &NetworkApi::requestCurrentIpAddressFinished);
    LogCapture log;
    api.requestCurrentIpAddress();
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.first().at(0).toString(), QStringLiteral("0.0.0.0"));
    QCOMPARE(finished.first().at(1).toString(), QString());
    const QStringList lines = log.messages();
    const int cancelled = lines.indexOf(
        QStringLiteral("ReplyTimeout: Request '%1', cancelled by timer").arg(api.geoIpUrl()));
    int error = -1;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(QStringLiteral("NetworkApi: 'API GEO IP URL' finished, error: ")) &&
            lines[i].endsWith(QStringLiteral("(code: 5)")))
            error = i;
    }
    QVERIFY2(cancelled >= 0, qPrintable(lines.join(QLatin1Char('\n'))));
    QVERIFY(error > cancelled);

    // The account URL's user name stays out of the log.
    QSignalSpy account(&api, &NetworkApi::apiRequestAccountFinished);
    api.requestWireGuardData(QStringLiteral("mallory"), QStringLiteral("secret"));
    QVERIFY(account.wait(5000));
    QVERIFY(log.contains(QStringLiteral("ReplyTimeout: Request '%1/***', cancelled by timer")
                             .arg(api.accountUrl({}))));
    QVERIFY(!log.messages().join(QLatin1Char('\n')).contains(QStringLiteral("mallory")));
}

void NetworkApiTest::httpErrorAndClosedConnection()
{
    NetworkApi api;
    QSignalSpy servers(&api, &NetworkApi::requestServerListFinished);
    QSignalSpy ip(&api, &NetworkApi::requestCurrentIpAddressFinished);
    api.requestServerList();
    QVERIFY(servers.wait());
    QCOMPARE(servers.last().first().value<Servers>().size(), 2);

    m_backend->setBehaviour(FakeBackend::Behaviour::HttpError, 503);
    LogCapture log;
    api.requestServerList();
    QVERIFY(servers.wait());
    QVERIFY(servers.last().first().value<Servers>().isEmpty());
    QCOMPARE(api.servers().size(), 2); // the last good catalogue stays
    QVERIFY(log.contains(QStringLiteral("NetworkApi: 'API Serverlist URL' finished, error: ")));

    m_backend->setBehaviour(FakeBackend::Behaviour::Close);
    api.requestCurrentIpAddress();
    QVERIFY(ip.wait());
    QCOMPARE(ip.last().at(0).toString(), QStringLiteral("0.0.0.0"));
}

void NetworkApiTest::catalogueArrivesParsed()
{
    NetworkApi api;
    QSignalSpy servers(&api, SIGNAL(requestServerListFinished(Servers)));
    QSignalSpy ip(&api, &NetworkApi::requestCurrentIpAddressFinished);
    LogCapture log;
    api.doRequests();
    QVERIFY(servers.wait());
    QTRY_COMPARE(ip.count(), 1);
    const Servers list = servers.first().first().value<Servers>();
    QCOMPARE(Catalogue::ipList(list),
             QStringList({QStringLiteral("203.0.113.10"), QStringLiteral("203.0.113.20")}));
    QVERIFY(log.contains(QStringLiteral(
        "NetworkApi: Request 'API Serverlist URL' finished, 2 servers in 2 countries")));
    QCOMPARE(m_backend->requests().size(), 2);
}

void NetworkApiTest::oversizedFeedIsCutOff()
{
    // 40 MiB against a bound of 32: announced, the reply ends at its header; unannounced, once
    // the bound is passed. Neither is ever held whole.
    const qint64 feedBytes = 40 * 1024 * 1024;
    const QList<QPair<bool, qint64>> rounds{{true, 8 * 1024}, {false, 48 * 1024}};
    for (const auto& round : rounds) {
        m_backend->setGeneratedFeed(feedBytes, round.first);
        NetworkApi api;
        QSignalSpy servers(&api, &NetworkApi::requestServerListFinished);
        LogCapture log;
        QVERIFY(resetPeakMemory());
        const qint64 before = statusKiB("VmRSS");
        api.requestServerList();
        QVERIFY(servers.wait(30000));
        const qint64 growth = statusKiB("VmHWM") - before;
        QVERIFY(servers.first().first().value<Servers>().isEmpty());
        QVERIFY2(log.contains(QStringLiteral("NetworkApi: 'API Serverlist URL' finished, error: "
                                             "Reply larger than 33554432 bytes (code: 5)")),
                 qPrintable(log.messages().join(QLatin1Char('\n'))));
        QVERIFY2(!ResidentMemory::boundsHold() || growth < round.second,
                 qPrintable(QStringLiteral("%1 KiB").arg(growth)));
    }
    m_backend->setGeneratedFeed(0, false);
}

void NetworkApiTest::accountCarriesBuiltInKey()
{
    m_backend->setAccount(QStringLiteral("alice"), QStringLiteral("secret"), accountJson);
    NetworkApi api;
    QSignalSpy account(&api, &NetworkApi::apiRequestAccountFinished);
    LogCapture log;
    api.requestWireGuardData(QStringLiteral("alice"), QStringLiteral("secret"));
    QVERIFY(account.wait());
    const Account a = account.first().first().value<Account>();
    QCOMPARE(a.id, quint64(5));
    QCOMPARE(a.username, QStringLiteral("alice"));
    QCOMPARE(a.status, QStringLiteral("Active"));
    QCOMPARE(a.wgIp, QStringLiteral("10.2.0.5"));
    QCOMPARE(a.wgPrivateKey, QStringLiteral("cHJpdmF0ZQ=="));
    QCOMPARE(a.wgPublicKey, Account::builtInWireGuardPublicKey());
    QCOMPARE(m_backend->requests().first().path, QStringLiteral("/v3_1/private/accounts/alice"));
    QVERIFY(log.contains(QStringLiteral("NetworkApi: Request wireguard data")));

    // Without a user name the collection itself is asked for.
    m_backend->clearRequests();
    api.requestWireGuardData(QString(), QStringLiteral("secret"));
    QVERIFY(account.wait());
    QCOMPARE(m_backend->requests().first().path, QStringLiteral("/v3_1/private/accounts"));
}

void NetworkApiTest::accountAuthorisationIsUtf8Base64()
{
    const QString user = QStringLiteral("jörg");
    const QString password = QStringLiteral("pässwörd€");
    QCOMPARE(NetworkApi::basicAuthorization(user, password),
             QByteArray("Basic ") +
                 QByteArray("j\xc3\xb6rg:p\xc3\xa4ssw\xc3\xb6rd\xe2\x82\xac").toBase64());
    m_backend->setAccount(user, password, accountJson);
    NetworkApi api;
    QSignalSpy account(&api, &NetworkApi::apiRequestAccountFinished);
    api.requestWireGuardData(user, password);
    QVERIFY(account.wait());
    QCOMPARE(account.first().first().value<Account>().id, quint64(5));
    QCOMPARE(m_backend->requests().first().headers.value("accept"), QByteArray("application/json"));
}

void NetworkApiTest::wrongCredentialsGiveEmptyAccount()
{
    m_backend->setAccount(QStringLiteral("alice"), QStringLiteral("secret"), accountJson);
    NetworkApi api;
    QSignalSpy account(&api, &NetworkApi::apiRequestAccountFinished);
    LogCapture log;
    api.requestWireGuardData(QStringLiteral("alice"), QStringLiteral("wrong"));
    QVERIFY(account.wait());
    const Account a = account.first().first().value<Account>();
    QCOMPARE(a.id, quint64(0));
    QVERIFY(a.wgPublicKey.isEmpty());
    QVERIFY(log.contains(QStringLiteral("NetworkApi: 'API Accounts URL' finished, error: ")));
    QVERIFY(!log.messages().join(QLatin1Char('\n')).contains(QStringLiteral("alice")));
}

void NetworkApiTest::nothingIsSentAfterStop()
{
    NetworkApi api;
    QSignalSpy servers(&api, &NetworkApi::requestServerListFinished);
    QSignalSpy ip(&api, &NetworkApi::requestCurrentIpAddressFinished);
    QSignalSpy account(&api, &NetworkApi::apiRequestAccountFinished);
    api.stopRequests();
    LogCapture log;
    api.doRequests();
    api.requestWireGuardData(QStringLiteral("alice"), QStringLiteral("secret"));
    QTest::qWait(500);
    QCOMPARE(servers.count() + ip.count() + account.count(), 0);
    QVERIFY(m_backend->requests().isEmpty());
    QVERIFY(log.messages().isEmpty());
}
