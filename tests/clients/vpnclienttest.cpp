#include "vpnclienttest.h"

#include "app/logger.h"
#include "clients/vpnclient.h"
#include "fakes/fakeservice.h"
#include "utils/utils.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The smallest tunnel client: a template on disk, one placeholder of its own.
class TestClient : public VpnClient
{
public:
    explicit TestClient(const QString& templatePath = QString()) : m_templatePath(templatePath)
    {
        setObjectName(QStringLiteral("TestClient"));
    }
    bool connectToServer() override { return true; }
    bool disconnectFromServer() override { return true; }
    QString processName() override { return QStringLiteral("test-tunnel"); }
    QString configTemplatePath() override { return m_templatePath; }
    QString executablePath() override { return QCoreApplication::applicationFilePath(); }
    void prepareConfig(QString& config) override
    {
        config.replace(QStringLiteral("<HOST>"), connectionParameters().server);
        insertAdditionalData({QStringLiteral("verb 3")}, config);
    }

private:
    QString m_templatePath;
};

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void VpnClientTest::initTestCase()
{
    ConnectionState::registerTypes();
    m_service = new FakeService;
    QVERIFY(m_service->listenWithController());
}

void VpnClientTest::cleanupTestCase()
{
    delete m_service;
}

void VpnClientTest::repeatedStateIsSilent()
{
    TestClient client;
    QCOMPARE(client.connectionState(), ConnectionState::Disconnected);
    QSignalSpy changes(&client, &VpnClient::connectionStateChanged);
    client.setConnectionState(ConnectionState::Disconnected);
    QCOMPARE(changes.count(), 0);
    client.setConnectionState(ConnectionState::Connecting);
    client.setConnectionState(ConnectionState::Connecting);
    client.setConnectionState(ConnectionState::Connected);
    QCOMPARE(changes.count(), 2);
    QCOMPARE(changes.at(0).at(0).value<ConnectionState::Id>(), ConnectionState::Connecting);
    QCOMPARE(changes.at(1).at(0).value<ConnectionState::Id>(), ConnectionState::Connected);
    QCOMPARE(client.connectionState(), ConnectionState::Connected);
}

void VpnClientTest::stateChangeCarriesSameTextTwiceAndBanner()
{
    TestClient client;
    QSignalSpy changes(&client, &VpnClient::connectionStateChanged);
    QTest::ignoreMessage(QtInfoMsg, "TestClient: ========== ERROR ==========");
    client.setConnectionState(ConnectionState::Error, QStringLiteral("AUTH_FAILED"), true);
    QCOMPARE(changes.count(), 1);
    const QList<QVariant> arguments = changes.first();
    QCOMPARE(arguments.at(1).toString(), QStringLiteral("AUTH_FAILED"));
    QCOMPARE(arguments.at(2).toBool(), true);
    QCOMPARE(arguments.at(3).toString(), QStringLiteral("AUTH_FAILED"));

    QTest::ignoreMessage(QtInfoMsg, "TestClient: ========== RECONNECTING ==========");
    client.setConnectionState(ConnectionState::Reconnecting);
    QCOMPARE(changes.last().at(1).toString(), QString());
    QCOMPARE(changes.last().at(3).toString(), QString());
    QCOMPARE(changes.last().at(2).toBool(), false);
}

void VpnClientTest::signalsHaveTheStringSignatures()
{
    TestClient client;
    QObject receiver;
    QVERIFY(QObject::connect(
        &client,
        SIGNAL(connectionStateChanged(ConnectionState::Id, const QString&, bool, const QString&)),
        &receiver, SLOT(deleteLater())));
    QVERIFY(QObject::connect(&client, SIGNAL(byteCountChanged(quint64, quint64)), &receiver,
                             SLOT(deleteLater())));
    QVERIFY(QObject::connect(&client, SIGNAL(assignedInternalIp(const QString&)), &receiver,
                             SLOT(deleteLater())));
    QVERIFY(QObject::connect(&client,
                             SIGNAL(dnsServerAddressesPushed(const QString&, const QString&)),
                             &receiver, SLOT(deleteLater())));
    // Queued delivery needs the state type by its registered name.
    QSignalSpy queued(&client, SIGNAL(connectionStateChanged(ConnectionState::Id, const QString&,
                                                             bool, const QString&)));
    QVERIFY(queued.isValid());
}

void VpnClientTest::statisticsAreStoredAndEmitted()
{
    TestClient client;
    QSignalSpy bytes(&client, &VpnClient::byteCountChanged);
    client.setStatistics(ConnectionStatistics(quint64(2097152), quint64(512)));
    QCOMPARE(bytes.count(), 1);
    QCOMPARE(bytes.first().at(0).toULongLong(), quint64(2097152));
    QCOMPARE(bytes.first().at(1).toULongLong(), quint64(512));
    QCOMPARE(client.statistics().received(), quint64(2097152));
}

void VpnClientTest::insertsAdditionalDataLines()
{
    QString text = QStringLiteral("x<ADDITIONAL_DATA>y");
    VpnClient::insertAdditionalData({QStringLiteral("a"), QStringLiteral("b")}, text);
    QCOMPARE(text, QStringLiteral("xa\r\nb\r\ny"));

    QString twice = QStringLiteral("<ADDITIONAL_DATA>|<ADDITIONAL_DATA>|<additional_data>");
    VpnClient::insertAdditionalData({QStringLiteral("c")}, twice);
    QCOMPARE(twice, QStringLiteral("c\r\n|c\r\n|<additional_data>"));

    QString empty = QStringLiteral("x<ADDITIONAL_DATA>y");
    VpnClient::insertAdditionalData({}, empty);
    QCOMPARE(empty, QStringLiteral("xy"));
}

void VpnClientTest::namesProtocols_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<bool>("lowerCase");
    QTest::addColumn<QString>("name");
    QTest::newRow("0") << 0 << false << "OpenVPN (UDP)";
    QTest::newRow("1") << 1 << false << "OpenVPN (TCP)";
    QTest::newRow("2") << 2 << false << "Stealth";
    QTest::newRow("3") << 3 << false << "WireGuard";
    QTest::newRow("3 lower case") << 3 << true << "wireguard";
    QTest::newRow("1 lower case") << 1 << true << "openvpn (tcp)";
    QTest::newRow("7") << 7 << false << "";
    QTest::newRow("-1") << -1 << true << "";
}

void VpnClientTest::namesProtocols()
{
    QFETCH(int, protocol);
    QFETCH(bool, lowerCase);
    QFETCH(QString, name);
    QCOMPARE(VpnClient::protocolName(protocol, lowerCase), name);
}

void VpnClientTest::writesPreparedConfigFromTemplate()
{
    QTemporaryDir dir;
    const QString templatePath = dir.filePath(QStringLiteral("general.ovpn"));
    QVERIFY(Utils::writeTextFile(
        templatePath, QStringLiteral("client\r\nremote <HOST>\r\n<ADDITIONAL_DATA>end\r\n")));

    TestClient client(templatePath);
    QCOMPARE(client.configFilePath(), QString());
    ConnectionParameters parameters;
    parameters.server = QStringLiteral("vpn1.example");
    client.setConnectionParameters(parameters);
    QVERIFY(client.writeConfigFile());
    const QString first = client.configFilePath();
    QVERIFY(QFileInfo(first).isAbsolute());
    QVERIFY(first != templatePath);
    QCOMPARE(readFile(first), QByteArray("client\r\nremote vpn1.example\r\nverb 3\r\nend\r\n"));
    QCOMPARE(readFile(templatePath),
             QByteArray("client\r\nremote <HOST>\r\n<ADDITIONAL_DATA>end\r\n"));

    // A shorter second configuration leaves nothing of the first behind, and replaces its file.
    parameters.server = QStringLiteral("b");
    client.setConnectionParameters(parameters);
    QVERIFY(client.writeConfigFile());
    QCOMPARE(readFile(client.configFilePath()),
             QByteArray("client\r\nremote b\r\nverb 3\r\nend\r\n"));
    QVERIFY(!QFileInfo::exists(first) || client.configFilePath() == first);
}

void VpnClientTest::missingTemplateIsCritical()
{
    ConnectionParameters parameters;
    parameters.server = QStringLiteral("vpn1.example");
    TestClient withoutTemplate;
    withoutTemplate.setConnectionParameters(parameters);
    QVERIFY(!withoutTemplate.writeConfigFile());

    TestClient missing(QStringLiteral(":/resources/config/none.ovpn"));
    missing.setConnectionParameters(parameters);
    QTest::ignoreMessage(
        QtCriticalMsg,
        "Utils: Cannot read local temporary file for path ':/resources/config/none.ovpn'");
    QTest::ignoreMessage(QtCriticalMsg, "TestClient: Config does not exist or empty!");
    QVERIFY(!missing.writeConfigFile());
    QCOMPARE(missing.configFilePath(), QString());
}

void VpnClientTest::destroyingClientDeletesConfigFile()
{
    QString path;
    {
        TestClient client(QStringLiteral(":/resources/icons/flags/unknown.png"));
        ConnectionParameters parameters;
        parameters.server = QStringLiteral("vpn1.example");
        client.setConnectionParameters(parameters);
        QVERIFY(client.writeConfigFile());
        path = client.configFilePath();
        QVERIFY(QFileInfo::exists(path));
    }
    QVERIFY(!QFileInfo::exists(path));
}

void VpnClientTest::ipv6SettingStartsNetworkTool()
{
    Utils::setApplicationDirectoryForTesting(QStringLiteral("/opt/corvalink"));
    TestClient client;
    ConnectionParameters parameters;
    parameters.ipv6Enabled = true;
    client.setConnectionParameters(parameters);
    m_service->clearFrames();
    client.applyIpv6Setting();
    parameters.ipv6Enabled = false;
    client.setConnectionParameters(parameters);
    client.applyIpv6Setting();
    Utils::setApplicationDirectoryForTesting(QString());

    QVERIFY(m_service->waitForFrames(2));
    QCOMPARE(
        m_service->frames(),
        QStringList(
            {QStringLiteral("start: \"/opt/corvalink/network-tool\" \"--ipv6\" \"enable\""),
             QStringLiteral("start: \"/opt/corvalink/network-tool\" \"--ipv6\" \"disable\"")}));
}

void VpnClientTest::tunnelLogIsTheVpnSibling()
{
    TestClient client;
    const QString clientLog = Logger::instance()->currentLogFilePath();
    QVERIFY(clientLog.endsWith(QStringLiteral("-app.log")));
    QCOMPARE(client.vpnLogFilePath(),
             QString(clientLog).replace(QStringLiteral("-app"), QStringLiteral("-vpn")));
}

void VpnClientTest::findsRunningTunnelProgram()
{
    TestClient client;
    QVERIFY(client.isTunnelProcessRunning());
    QVERIFY(client.isKillSwitchSupported());
}
