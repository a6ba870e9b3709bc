#include "demobackendtest.h"

#include "api/catalogue.h"
#include "api/networkapi.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char catalogueJson[] = R"({
  "servers": [
    {"name": "lab-nl-1", "country": "nl", "city": "Amsterdam", "ip": "10.77.1.1",
     "capacity": 50, "load": 12.5},
    {"name": "lab-se-1", "country": "se", "city": "Malm\u00f6 & <Lund>", "ip": "10.77.2.1",
     "capacity": 80, "load": 3}
  ],
  "countries": {"127.0.0.1": "se"},
  "account": {"user": "lab", "password": "s3cret", "id": 7, "wg_ip": "10.66.0.2",
              "wg_private_key": "cHJpdmF0ZWtleQ=="}
})";

} // namespace

void DemoBackendTest::initTestCase()
{
    Catalogue::registerTypes();
    m_folder = new QTemporaryDir;
    const QString path = m_folder->filePath(QStringLiteral("lab.json"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(catalogueJson) > 0);
    file.close();

    m_backend = new QProcess(this);
    m_backend->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_backend->start(qEnvironmentVariable("CORVALINK_DEMO_BACKEND"),
                     {QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"),
                      QStringLiteral("--catalogue"), path});
    QVERIFY(m_backend->waitForStarted(10000));
    QVERIFY(m_backend->waitForReadyRead(10000));
    const QByteArray line = m_backend->readLine().trimmed();
    QVERIFY2(line.startsWith("listening 127.0.0.1:"), line.constData());
    qputenv("CORVALINK_API_URL", "http://" + line.mid(int(qstrlen("listening "))));
}

void DemoBackendTest::cleanupTestCase()
{
    m_backend->terminate();
    QVERIFY(m_backend->waitForFinished(10000));
    delete m_folder;
}

void DemoBackendTest::catalogueArrivesParsed()
{
    NetworkApi api;
    QSignalSpy finished(&api, &NetworkApi::requestServerListFinished);
    api.requestServerList();
    QVERIFY(finished.wait(10000));
    const Servers servers = finished.first().first().value<Servers>();
    QCOMPARE(servers.size(), 2);
    QCOMPARE(servers[0].name, QStringLiteral("lab-nl-1"));
    QCOMPARE(servers[0].city, QStringLiteral("Amsterdam"));
    QCOMPARE(servers[0].ip, QStringLiteral("10.77.1.1"));
    QCOMPARE(servers[0].capacity, 50);
    QCOMPARE(servers[0].cpu, 12.5f);
    // Characters that XML must escape come through whole.
    QCOMPARE(servers[1].city, QStringLiteral("Malm\u00f6 & <Lund>"));
    QCOMPARE(servers[1].country, QStringLiteral("se"));
    QCOMPARE(servers[1].cpu, 3.0f);
}

void DemoBackendTest::geoIpNamesCallerAndMappedCountry()
{
    NetworkApi api;
    QSignalSpy finished(&api, &NetworkApi::requestCurrentIpAddressFinished);
    api.requestCurrentIpAddress();
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.first().at(0).toString(), QStringLiteral("127.0.0.1"));
    QCOMPARE(finished.first().at(1).toString(), QStringLiteral("se"));
}

void DemoBackendTest::accountNeedsRightCredentials()
{
    NetworkApi api;
    QSignalSpy finished(&api, &NetworkApi::apiRequestAccountFinished);
    api.requestWireGuardData(QStringLiteral("lab"), QStringLiteral("s3cret"));
    QVERIFY(finished.wait(10000));
    const Account account = finished.takeFirst().first().value<Account>();
    QVERIFY(account.isValid());
    QCOMPARE(account.id, quint64(7));
    QCOMPARE(account.username, QStringLiteral("lab"));
    QCOMPARE(account.wgIp, QStringLiteral("10.66.0.2"));
    QCOMPARE(account.wgPrivateKey, QStringLiteral("cHJpdmF0ZWtleQ=="));

    api.requestWireGuardData(QStringLiteral("lab"), QStringLiteral("wrong"));
    QVERIFY(finished.wait(10000));
    QVERIFY(!finished.takeFirst().first().value<Account>().isValid());
    // The password alone does not open another user's account.
    api.requestWireGuardData(QStringLiteral("other"), QStringLiteral("s3cret"));
    QVERIFY(finished.wait(10000));
    QVERIFY(!finished.takeFirst().first().value<Account>().isValid());
}
