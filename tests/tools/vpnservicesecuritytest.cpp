#include "vpnservicesecuritytest.h"

#include "servicelab.h"

#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QWebSocket>
#include <QtTest>

namespace {

const QString serviceUrl = QStringLiteral("ws://127.0.0.1:6457");

// The client's general template as it writes it, with the lines it adds.
QByteArray validOpenVpnConfig()
{
    return "client\ndev tun\nmanagement 127.0.0.1 61973\nremote 198.51.100.7 1194 udp\n"
           "auth-user-pass\nauth-nocache\nnobind\nauth SHA256\ncipher AES-256-GCM\ntls-client\n"
           "tls-cipher TLS-ECDHE-ECDSA-WITH-AES-256-GCM-SHA384\n"
           "remote-cert-eku \"TLS Web Server Authentication\"\npersist-key\npersist-tun\n"
           "compress lz4-v2\n\nverb 3\nmute-replay-warnings\nreplay-window 256\n"
           "pull-filter ignore ifconfig-ipv6\npull-filter ignore 'redirect-gateway ipv6'\n\n"
           "<tls-crypt>\n-----BEGIN OpenVPN Static key V1-----\nabcd\n"
           "-----END OpenVPN Static key V1-----\n</tls-crypt>\n\n<ca>\n"
           "-----BEGIN CERTIFICATE-----\nMIIB\n-----END CERTIFICATE-----\n</ca>\n";
}

QStringList openVpnCommand(const ServiceLab& lab, const QString& config)
{
    return {lab.toolPath(QStringLiteral("openvpn")),
            QStringLiteral("--config"),
            config,
            QStringLiteral("--management"),
            QStringLiteral("127.0.0.1"),
            QStringLiteral("61973"),
            QStringLiteral("--management-query-passwords"),
            QStringLiteral("--management-client"),
            QStringLiteral("--log-append"),
            lab.base() + QStringLiteral("/user/openvpn.log")};
}

} // namespace

void VpnServiceSecurityTest::init()
{
    if (!ServiceLab::isRoot())
        QSKIP("the service runs as root");
}

QStringList VpnServiceSecurityTest::exchange(const QString& frame, int waitMs)
{
    QWebSocket socket;
    QSignalSpy connected(&socket, &QWebSocket::connected);
    QSignalSpy replies(&socket, &QWebSocket::textMessageReceived);
    socket.open(QUrl(serviceUrl));
    if (!connected.wait(5000))
        return {QStringLiteral("no link")};
    socket.sendTextMessage(frame);
    replies.wait(waitMs);
    // Anything that would follow the first reply.
    QTest::qWait(200);
    QStringList texts;
    for (const QList<QVariant>& reply : replies)
        texts << reply.at(0).toString();
    return texts;
}

QString VpnServiceSecurityTest::exchangeAsNobody(const QString& frame)
{
    QProcess probe;
    probe.start(QStringLiteral("setpriv"),
                {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                 QStringLiteral("--clear-groups"),
                 qEnvironmentVariable("CORVALINK_VPN_SERVICE_PROBE"), frame});
    if (!probe.waitForFinished(10000))
        return QStringLiteral("probe hung");
    return QString::fromUtf8(probe.readAllStandardOutput() + probe.readAllStandardError());
}

void VpnServiceSecurityTest::expectRefusal(ServiceLab& lab, const QStringList& elements,
                                           const QString& reason)
{
    const QString name = QFileInfo(elements.first()).fileName();
    QCOMPARE(exchange(ServiceLab::startFrame(elements)),
             QStringList{QStringLiteral("started:0,126,%1\n").arg(name)});
    QVERIFY2(lab.waitForLog(QStringLiteral("Refused to start")), qPrintable(lab.log()));
    QVERIFY2(lab.log().contains(reason), qPrintable(lab.log()));
    QCOMPARE(lab.ran(), QStringList());
}

void VpnServiceSecurityTest::refusesStart_data()
{
    QTest::addColumn<QStringList>("elements");
    QTest::addColumn<QString>("reason");
    const QString i = QStringLiteral("INSTALL");
    QTest::newRow("program outside the map")
        << QStringList{QStringLiteral("/usr/bin/id")} << QStringLiteral("outside the installation");
    QTest::newRow("other program inside")
        << QStringList{i + QStringLiteral("/sh")} << QStringLiteral("not a program of the service");
    QTest::newRow("dot-dot") << QStringList{i + QStringLiteral("/../install/network-tool"),
                                            QStringLiteral("--ipv6"), QStringLiteral("enable")}
                             << QStringLiteral("'..'");
    QTest::newRow("extra argument")
        << QStringList{i + QStringLiteral("/network-tool"), QStringLiteral("--ipv6"),
                       QStringLiteral("enable"), QStringLiteral("--up")}
        << QStringLiteral("network-tool command line");
    QTest::newRow("kill switch option")
        << QStringList{i + QStringLiteral("/killswitch"), QStringLiteral("enable"),
                       QStringLiteral("all"), QStringLiteral("--flush"), QString()}
        << QStringLiteral("not an IPv4 or IPv6 address");
    QTest::newRow("dns entry") << QStringList{i + QStringLiteral("/dns"), QStringLiteral("vpn"),
                                              QStringLiteral("eth0@1.1.1.1;reboot")}
                               << QStringLiteral("is not an address");
    QTest::newRow("wireguard relative file")
        << QStringList{i + QStringLiteral("/wireguard/bin/wireguard-service"),
                       QStringLiteral("--remove"), QStringLiteral("wg.conf")}
        << QStringLiteral("absolute plain path");
}

void VpnServiceSecurityTest::refusesStart()
{
    QFETCH(QStringList, elements);
    QFETCH(QString, reason);
    ServiceLab lab;
    QVERIFY(lab.start());
    elements.first().replace(QStringLiteral("INSTALL"), lab.installDir());
    expectRefusal(lab, elements, reason);
}

void VpnServiceSecurityTest::refusesOpenVpnDirective_data()
{
    QTest::addColumn<QString>("line");
    for (const char* line : {"up /bin/sh",
                             "UP /bin/sh",
                             "--up /bin/sh",
                             "Down /bin/sh",
                             "script-security 2",
                             "Script-Security 2",
                             "plugin /tmp/x.so",
                             "ca /etc/shadow",
                             "log /etc/passwd",
                             "--log-append /etc/passwd",
                             "status /etc/passwd",
                             "cd /",
                             "config /etc/x.conf",
                             "auth-user-pass /etc/shadow",
                             "management 0.0.0.0 61973",
                             "dev tap0",
                             "route-up /bin/sh",
                             "tls-verify /bin/sh",
                             "writepid /etc/passwd",
                             "<connection>",
                             "<dh>"})
        QTest::newRow(line) << QString::fromLatin1(line);
}

void VpnServiceSecurityTest::refusesOpenVpnDirective()
{
    QFETCH(QString, line);
    ServiceLab lab;
    QVERIFY(lab.start());
    const QString config =
        lab.writeUserFile(QStringLiteral("bad.ovpn"), validOpenVpnConfig() + line.toUtf8() + '\n');
    QVERIFY(!config.isEmpty());
    expectRefusal(lab, openVpnCommand(lab, config), QStringLiteral("for uid 0: line "));
}

void VpnServiceSecurityTest::runsOpenVpnFromPrivateCopy()
{
    ServiceLab lab;
    QVERIFY(lab.start());
    const QString config = lab.writeUserFile(QStringLiteral("good.ovpn"), validOpenVpnConfig());
    QVERIFY(!config.isEmpty());
    const QStringList replies = exchange(ServiceLab::startFrame(openVpnCommand(lab, config)));
    QCOMPARE(replies.size(), 1);
    QVERIFY2(replies.first().startsWith(QLatin1String("started:")) &&
                 replies.first().endsWith(QLatin1String(",0,openvpn\n")),
             qPrintable(replies.first()));
    QTRY_COMPARE(lab.ran().size(), 1);
    const QStringList ran = lab.ran().first().split(QLatin1Char(' '));
    QCOMPARE(ran.at(1), QStringLiteral("--config"));
    QVERIFY2(ran.at(2).startsWith(lab.runDir() + QLatin1Char('/')), qPrintable(ran.at(2)));
    QFile copy(ran.at(2));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), validOpenVpnConfig());
    QVERIFY(!ran.contains(QStringLiteral("--log-append")));
}

void VpnServiceSecurityTest::refusesLinkInInstallation()
{
    ServiceLab lab;
    QVERIFY(lab.start());
    const QString tool = lab.toolPath(QStringLiteral("network-tool"));
    QVERIFY(QFile::link(QStringLiteral("/usr/bin/true"), tool));
    expectRefusal(lab, {tool, QStringLiteral("--ipv6"), QStringLiteral("enable")},
                  QStringLiteral("is a link"));
}

void VpnServiceSecurityTest::refusesWritableInstallation()
{
    ServiceLab lab;
    QVERIFY(lab.start());
    QVERIFY(QFile::setPermissions(lab.installDir(), QFileDevice::Permissions(0x7777)));
    expectRefusal(lab,
                  {lab.toolPath(QStringLiteral("network-tool")), QStringLiteral("--ipv6"),
                   QStringLiteral("enable")},
                  QStringLiteral("installation folder"));
}

void VpnServiceSecurityTest::refusesUserOutsideGroup()
{
    ServiceLab lab;
    QVERIFY(lab.start());
    const QString output = exchangeAsNobody(
        ServiceLab::startFrame({lab.toolPath(QStringLiteral("network-tool")),
                                QStringLiteral("--ipv6"), QStringLiteral("enable")}));
    QVERIFY2(!output.contains(QLatin1String("frame:")), qPrintable(output));
    QVERIFY2(lab.waitForLog(QStringLiteral("not in the service's group")), qPrintable(lab.log()));
    QCOMPARE(lab.ran(), QStringList());
}

void VpnServiceSecurityTest::refusesOrigin()
{
    ServiceLab lab;
    QVERIFY(lab.start());
    QWebSocket socket(QStringLiteral("http://evil.example"));
    QSignalSpy replies(&socket, &QWebSocket::textMessageReceived);
    socket.open(QUrl(serviceUrl));
    QVERIFY(lab.waitForLog(QStringLiteral("Origin header")));
    socket.sendTextMessage(
        ServiceLab::startFrame({lab.toolPath(QStringLiteral("network-tool")),
                                QStringLiteral("--ipv6"), QStringLiteral("enable")}));
    QTest::qWait(500);
    QCOMPARE(replies.count(), 0);
    QCOMPARE(lab.ran(), QStringList());
}

void VpnServiceSecurityTest::killSparesAnotherUsersRun()
{
    // nogroup is nobody's own group: here nobody is a member and may talk to the service.
    ServiceLab lab;
    QVERIFY(lab.start(QStringLiteral("nogroup")));
    QWebSocket root;
    QSignalSpy connected(&root, &QWebSocket::connected);
    QSignalSpy replies(&root, &QWebSocket::textMessageReceived);
    root.open(QUrl(serviceUrl));
    QVERIFY(connected.wait(5000));
    root.sendTextMessage(ServiceLab::startFrame(
        {lab.toolPath(QStringLiteral("wireguard-service")), QStringLiteral("--add"),
         lab.base() + QStringLiteral("/user/wg.conf"), QStringLiteral("--port"),
         QStringLiteral("61976")}));
    QVERIFY(replies.wait(5000));

    const QString output = exchangeAsNobody(QStringLiteral("start: <kill wireguard-service>"));
    QVERIFY2(output.contains(QLatin1String("frame: finished:0,0,<kill wireguard-service>")),
             qPrintable(output + lab.log()));
    QVERIFY2(!exchangeAsNobody(QStringLiteral("stop: <wireguard-service>")).contains("finished:"),
             qPrintable(lab.log()));
    QTest::qWait(300);
    QCOMPARE(replies.count(), 1);
    QVERIFY(lab.log().contains(QLatin1String("Stop wireguard-service for uid 65534: no run")));
}
