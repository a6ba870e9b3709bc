#include "openvpnconfigtest.h"

#include "app/debugmode.h"
#include "clients/openvpnclient.h"
#include "service/servicecontroller.h"
#include "support/tunnellab.h"

#include <QFile>
#include <QtTest>

namespace {

QString readConfig(OpenVpnClient& client)
{
    QFile file(client.configFilePath());
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

QString readResource(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

ConnectionParameters parameters(int protocol, bool ipv6)
{
    ConnectionParameters p;
    p.username = QStringLiteral("alice");
    p.password = QStringLiteral("secret");
    p.server = QStringLiteral("vpn1.example");
    p.protocol = protocol;
    p.port = 1194;
    p.ipv6Enabled = ipv6;
    return p;
}

const QStringList windowsOnly{QStringLiteral("register-dns"), QStringLiteral("dhcp-renew"),
                              QStringLiteral("block-outside-dns")};
const QStringList ipv6Filters{QStringLiteral("pull-filter ignore ifconfig-ipv6"),
                              QStringLiteral("pull-filter ignore route-ipv6"),
                              QStringLiteral("pull-filter ignore 'redirect-gateway ipv6'")};
const QStringList udpOnly{QStringLiteral("mute-replay-warnings"),
                          QStringLiteral("replay-window 256")};

} // namespace

void OpenVpnConfigTest::initTestCase()
{
    m_controller = new ServiceController(false);
}

void OpenVpnConfigTest::cleanupTestCase()
{
    delete m_controller;
}

void OpenVpnConfigTest::additionalLines_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<bool>("ipv6");
    QTest::addColumn<bool>("debug");
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QStringList>("lines");
    const QString verb3 = QStringLiteral("verb 3");
    const QString verb6 = QStringLiteral("verb 6");
    QTest::newRow("windows udp, ipv6 off")
        << 0 << false << false << true << QStringList{verb3} + windowsOnly + udpOnly + ipv6Filters;
    QTest::newRow("windows tcp, ipv6 on, debug")
        << 1 << true << true << true << QStringList{verb6} + windowsOnly;
    QTest::newRow("linux udp, ipv6 off")
        << 0 << false << false << false << QStringList{verb3} + udpOnly + ipv6Filters;
    QTest::newRow("linux tcp, ipv6 on, debug") << 1 << true << true << false << QStringList{verb6};
    QTest::newRow("linux stealth, ipv6 off")
        << 2 << false << false << false << QStringList{verb3} + ipv6Filters;
}

void OpenVpnConfigTest::additionalLines()
{
    QFETCH(int, protocol);
    QFETCH(bool, ipv6);
    QFETCH(bool, debug);
    QFETCH(bool, windows);
    QFETCH(QStringList, lines);
    QCOMPARE(OpenVpnClient::additionalLines(protocol, ipv6, debug, windows), lines);
}

void OpenVpnConfigTest::templatesCarryKeyAndAuthority()
{
    const QString general = readResource(QStringLiteral(":/resources/config/general.ovpn"));
    const QString stealth = readResource(QStringLiteral(":/resources/config/stunnel.ovpn"));
    QVERIFY(general.startsWith(
        QStringLiteral("client\r\ndev tun\r\nmanagement 127.0.0.1 61973\r\n"
                       "remote <SERVER> <PORT> <PROTOCOL>\r\nauth-user-pass\r\n")));
    QVERIFY(stealth.startsWith(
        QStringLiteral("client\r\ndev tun\r\nremote 127.0.0.1 1194 tcp\r\nauth-user-pass\r\n")));
    for (const QString& text : {general, stealth}) {
        QVERIFY(!text.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
        QVERIFY(text.contains(QStringLiteral("\r\n\r\n<ADDITIONAL_DATA>\r\n\r\n<tls-crypt>\r\n#\r\n"
                                             "# 2048 bit OpenVPN static key\r\n#\r\n"
                                             "-----BEGIN OpenVPN Static key V1-----\r\n")));
        QVERIFY(text.contains(
            QStringLiteral("-----END OpenVPN Static key V1-----\r\n\r\n</tls-crypt>\r\n\r\n<ca>\r\n"
                           "-----BEGIN CERTIFICATE-----\r\n")));
        QVERIFY(text.endsWith(QStringLiteral("-----END CERTIFICATE-----\r\n\r\n</ca>\r\n")));
        QVERIFY(
            text.contains(QStringLiteral("remote-cert-eku \"TLS Web Server Authentication\"\r\n")));
    }
    // The same key and authority in both.
    QCOMPARE(general.mid(general.indexOf(QStringLiteral("<tls-crypt>"))),
             stealth.mid(stealth.indexOf(QStringLiteral("<tls-crypt>"))));
    const QString key =
        general.section(QStringLiteral("-----BEGIN OpenVPN Static key V1-----\r\n"), 1)
            .section(QStringLiteral("-----END"), 0, 0);
    QCOMPARE(key.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).size(), 16);
}

void OpenVpnConfigTest::udpConfigurationFillsRemote()
{
    OpenVpnClient client;
    client.setConnectionParameters(parameters(0, false));
    QVERIFY(client.writeConfigFile());
    const QString config = readConfig(client);
    QVERIFY(config.contains(QStringLiteral("\r\nremote vpn1.example 1194 udp\r\n")));
    const QString block = QStringLiteral("\r\n\r\nverb 3\r\n") +
                          (udpOnly + ipv6Filters).join(QStringLiteral("\r\n")) +
                          QStringLiteral("\r\n\r\n\r\n<tls-crypt>");
    QVERIFY2(config.contains(block), qPrintable(config.left(800)));
    QVERIFY(!config.contains(QStringLiteral("register-dns")));
}

void OpenVpnConfigTest::tcpConfigurationWithIpv6AndDebug()
{
    DebugMode::setEnabled(true);
    OpenVpnClient client;
    ConnectionParameters p = parameters(1, true);
    p.port = 443;
    client.setConnectionParameters(p);
    QVERIFY(client.writeConfigFile());
    DebugMode::setEnabled(false);
    const QString config = readConfig(client);
    QVERIFY(config.contains(QStringLiteral("\r\nremote vpn1.example 443 tcp\r\n")));
    QVERIFY(
        config.contains(QStringLiteral("compress lz4-v2\r\n\r\nverb 6\r\n\r\n\r\n<tls-crypt>")));
}

void OpenVpnConfigTest::stealthRemoteStaysLocal()
{
    OpenVpnClient client;
    ConnectionParameters p = parameters(2, false);
    p.port = 8443;
    client.setConnectionParameters(p);
    QCOMPARE(client.configTemplatePath(), QStringLiteral(":/resources/config/stunnel.ovpn"));
    QVERIFY(client.writeConfigFile());
    const QString config = readConfig(client);
    QVERIFY(config.contains(QStringLiteral("\r\nremote 127.0.0.1 1194 tcp\r\n")));
    QVERIFY(!config.contains(QStringLiteral("vpn1.example")));
    QVERIFY(!config.contains(QStringLiteral("8443")));
    QVERIFY(!config.contains(QStringLiteral("management")));
}

void OpenVpnConfigTest::unknownProtocolHasNoTemplate()
{
    OpenVpnClient client;
    ConnectionParameters p = parameters(3, false);
    client.setConnectionParameters(p);
    QTest::ignoreMessage(QtCriticalMsg, "OpenVpnClient: Unknown protocol");
    QVERIFY(!client.writeConfigFile());
}

void OpenVpnConfigTest::launchArgumentsInOrder()
{
    TunnelLab lab;
    OpenVpnClient client;
    client.setConnectionParameters(parameters(0, false));
    QVERIFY(client.writeConfigFile());
    QCOMPARE(client.executablePath(), lab.path() + QStringLiteral("/openvpn/bin/openvpn"));
    QCOMPARE(
        client.launchArguments(),
        QStringList({client.executablePath(), QStringLiteral("--config"), client.configFilePath(),
                     QStringLiteral("--management"), QStringLiteral("127.0.0.1"),
                     QStringLiteral("61973"), QStringLiteral("--management-query-passwords"),
                     QStringLiteral("--management-client"), QStringLiteral("--log-append"),
                     client.vpnLogFilePath()}));
    QVERIFY(client.vpnLogFilePath().endsWith(QStringLiteral("-vpn.log")));
}
