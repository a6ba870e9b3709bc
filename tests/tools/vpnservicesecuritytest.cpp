#include "vpnservicesecuritytest.h"

#include "support/foreignpeer.h"

#include "openvpnconfigcheck.h"
#include "servicelab.h"
#include "wireguardcopy.h"

#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QWebSocket>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QString serviceUrl = QStringLiteral("ws://127.0.0.1:6457");

QByteArray validOpenVpnConfig()
{
    return ServiceLab::openVpnConfigText();
}

QStringList openVpnCommand(const ServiceLab& lab, const QString& config)
{
    return lab.openVpnCommand(config, lab.base() + QStringLiteral("/user/openvpn.log"));
}

QByteArray wireGuardConfig()
{
    return "[Interface]\nPrivateKey = yAnz5TF+lXXJte14tji3zlMNq+hd2rYUIgJBgB3fBmk=\n"
           "Address = 10.2.0.5/32\n\n[Peer]\n"
           "PublicKey = xTIBA5rboUvnH4htodjb6e697QjLERt1NAB4mZqp8Dg=\n"
           "AllowedIPs = 0.0.0.0/0\nEndpoint = 10.204.1.1:55888\n";
}

QStringList wireGuardAdd(const ServiceLab& lab, const QString& file)
{
    return {lab.toolPath(QStringLiteral("wireguard-service")), QStringLiteral("--add"), file,
            QStringLiteral("--port"), QStringLiteral("61976")};
}

} // namespace

void VpnServiceSecurityTest::init()
{
    if (!ServiceLab::isRoot())
        QSKIP("the service runs as root");
    for (const quint16 port : {quint16(61973), quint16(61976)}) {
        auto* server = new QTcpServer;
        QVERIFY(server->listen(QHostAddress::LocalHost, port));
        m_listeners << server;
    }
}

void VpnServiceSecurityTest::cleanup()
{
    qDeleteAll(m_listeners);
    m_listeners.clear();
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
             QStringList{QStringLiteral("started:0,126,1,%1\n").arg(name)});
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
                 replies.first().endsWith(QLatin1String(",0,1,openvpn\n")),
             qPrintable(replies.first()));
    QTRY_COMPARE(lab.ran().size(), 1);
    const QStringList ran = lab.ran().first().split(QLatin1Char(' '));
    QCOMPARE(ran.at(1), QStringLiteral("--config"));
    QVERIFY2(ran.at(2).startsWith(lab.runDir() + QLatin1Char('/')), qPrintable(ran.at(2)));
    QFile copy(ran.at(2));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QByteArray checked;
    QVERIFY(OpenVpnConfigCheck::problem(validOpenVpnConfig(), &checked).isEmpty());
    QCOMPARE(copy.readAll(), checked);
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
        wireGuardAdd(lab, lab.writeUserFile(QStringLiteral("wg.conf"), wireGuardConfig()))));
    QVERIFY(replies.wait(5000));

    const QString output = exchangeAsNobody(QStringLiteral("start: <kill wireguard-service>"));
    QVERIFY2(output.contains(QLatin1String("frame: finished:0,0,<kill wireguard-service>")),
             qPrintable(output + lab.log()));
    QVERIFY2(!exchangeAsNobody(QStringLiteral("stop: <wireguard-service>")).contains("finished:"),
             qPrintable(lab.log()));
    QVERIFY2(lab.waitForLog(QStringLiteral("Stop wireguard-service for uid 65534: no run")),
             qPrintable(lab.log()));
    QCOMPARE(replies.count(), 1);
}

void VpnServiceSecurityTest::runsWireGuardFromPrivateCopy()
{
    ServiceLab lab;
    QVERIFY(lab.start());
    const QString file = lab.writeUserFile(QStringLiteral("wg.conf"), wireGuardConfig());
    QVERIFY(QFile::setPermissions(file, QFileDevice::Permissions()));
    const QStringList replies = exchange(ServiceLab::startFrame(wireGuardAdd(lab, file)));
    QVERIFY2(replies.value(0).endsWith(QLatin1String(",0,1,wireguard-service\n")),
             qPrintable(replies.join(QString()) + lab.log()));
    QTRY_COMPARE(lab.ran().size(), 1);
    const QString copy = WireGuardCopy::pathFor(lab.runDir(), 0, file);
    QVERIFY2(lab.ran().first().startsWith(QStringLiteral("wireguard-service --add %1 --port 61976 "
                                                         "--log-fd ")
                                              .arg(copy)),
             qPrintable(lab.ran().first()));
    QFile written(copy);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), wireGuardConfig());
    QVERIFY(QFileInfo(WireGuardCopy::userLogPath(file)).isFile());
    exchange(ServiceLab::startFrame(
        {lab.toolPath(QStringLiteral("wireguard-service")), QStringLiteral("--remove"), file}));
    QTRY_COMPARE(lab.ran().size(), 2);
    QCOMPARE(lab.ran().at(1), QStringLiteral("wireguard-service --remove %1").arg(copy));
}

void VpnServiceSecurityTest::refusesAnotherUsersWireGuardFile()
{
    // nobody may talk to the service here, yet not have root's file read for it.
    ServiceLab lab;
    QVERIFY(lab.start(QStringLiteral("nogroup")));
    const QString file = lab.writeUserFile(QStringLiteral("wg.conf"), wireGuardConfig());
    const QString output = exchangeAsNobody(ServiceLab::startFrame(wireGuardAdd(lab, file)));
    QVERIFY2(output.contains(QLatin1String("frame: started:0,126,1,wireguard-service")),
             qPrintable(output + lab.log()));
    QVERIFY2(lab.waitForLog(QStringLiteral("is not a regular file of uid 65534")),
             qPrintable(lab.log()));
    QCOMPARE(lab.ran(), QStringList());
}

void VpnServiceSecurityTest::refusesFifoQuickly()
{
    ServiceLab lab;
    QVERIFY(lab.start());
    const QString fifo = lab.base() + QStringLiteral("/user/fifo.ovpn");
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    expectRefusal(lab, openVpnCommand(lab, fifo), QStringLiteral("is not a regular file"));
    // Still answering.
    QCOMPARE(exchange(QStringLiteral("stop: <openvpn>"), 300), QStringList());
    QVERIFY(lab.waitForLog(QStringLiteral("Stop openvpn for uid 0: no run")));
}

void VpnServiceSecurityTest::refusesForeignListener()
{
    ServiceLab lab;
    QVERIFY(lab.start());
    if (!ForeignPeer::canRun())
        QSKIP("needs root, setpriv and the fake peer");
    delete m_listeners.takeFirst();
    ForeignPeer squatter;
    QVERIFY(squatter.start(
        {QStringLiteral("listen"), QStringLiteral("127.0.0.1"), QStringLiteral("61973")}));
    QVERIFY(squatter.waitForOutput("listening"));
    const QString config = lab.writeUserFile(QStringLiteral("good.ovpn"), validOpenVpnConfig());
    expectRefusal(lab, openVpnCommand(lab, config),
                  QStringLiteral("127.0.0.1:61973 is not a listener of uid 0"));
}
