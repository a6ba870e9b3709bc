#include "servicesecuritytest.h"

#include "platform/sockettable.h"
#include "securitylab.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QStringList killSwitchOn{QStringLiteral("enable"), QStringLiteral("all"),
                               QStringLiteral("198.51.100.1"), QString()};
const QStringList killSwitchOff{QStringLiteral("disable"), QStringLiteral("all")};
const QStringList ipv6Off{QStringLiteral("--ipv6"), QStringLiteral("disable")};
const QStringList ipv6On{QStringLiteral("--ipv6"), QStringLiteral("enable")};

bool finishedWith(const QString& output, const QString& tool, int code)
{
    return output.contains(
        QRegularExpression(QStringLiteral("frame: finished:\\d+,%1,%2\\n").arg(code).arg(tool)));
}

// The answer to the link's first request: held by another user.
bool refusedAsHeld(const QString& output, const QString& tool)
{
    return output.contains(QStringLiteral("frame: started:0,16,1,%1\n").arg(tool));
}

// The local port of the user's live link to the service, as anyone can read it.
quint16 linkPortOf(const SecurityLab& lab, uid_t uid)
{
    const QVector<SocketTable::Row> rows = SocketTable::parse(
        lab.run({QStringLiteral("cat"), QStringLiteral("/proc/net/tcp")}).toLatin1());
    for (const SocketTable::Row& row : rows) {
        if (row.remotePort == 6457 && row.uid == qint64(uid) &&
            row.state == SocketTable::Established)
            return row.localPort;
    }
    return 0;
}

} // namespace

ServiceSecurityTest::ServiceSecurityTest() = default;
ServiceSecurityTest::~ServiceSecurityTest() = default;

void ServiceSecurityTest::initTestCase()
{
    if (!ServiceLab::isRoot())
        QSKIP("real accounts, a network namespace and the service need root");
    m_lab = std::make_unique<SecurityLab>();
    QString error;
    QVERIFY2(m_lab->setUp(&error), qPrintable(error));
}

void ServiceSecurityTest::cleanupTestCase()
{
    m_lab.reset();
}

void ServiceSecurityTest::init()
{
    // Root's releases free whatever an earlier case held; its own resolver file goes back.
    QVERIFY(finishedWith(tool(QStringLiteral("root"), QStringLiteral("killswitch"), killSwitchOff),
                         QStringLiteral("killswitch"), 0));
    QVERIFY(finishedWith(tool(QStringLiteral("root"), QStringLiteral("network-tool"), ipv6On),
                         QStringLiteral("network-tool"), 0));
    const QString reset =
        tool(QStringLiteral("root"), QStringLiteral("dns"), {QStringLiteral("reset")});
    QVERIFY(finishedWith(reset, QStringLiteral("dns"), 0));
    QVERIFY(m_lab->writeResolvConf());
    const QDir run(m_lab->service().runDir());
    for (const QString& saved : run.entryList({QStringLiteral("dns-*")}, QDir::Files))
        QVERIFY(QFile::remove(run.filePath(saved)));
    QVERIFY(!m_lab->hasKillSwitchTable());
    // The service logs a run's end before it reports it: the log up to there is the earlier
    // cases'.
    const QString id = reset.section(QStringLiteral("frame: finished:"), 1).section(',', 0, 0);
    QVERIFY(m_lab->service().waitForLog(QStringLiteral("Process %1 (dns) finished").arg(id)));
    m_logMark = m_lab->service().log().size();
}

QString ServiceSecurityTest::newLog() const
{
    return m_lab->service().log().mid(m_logMark);
}

QString ServiceSecurityTest::tool(const QString& user, const QString& name,
                                  const QStringList& arguments) const
{
    return m_lab->probe(user, {QStringLiteral("--wait"), QStringLiteral("10000"),
                               QStringLiteral("--done"), m_lab->frame(name, arguments)});
}

void ServiceSecurityTest::borrowedPortFromAnotherLoopbackAddressIsRefused()
{
    // A member's live link, whose port anyone can read in the socket table.
    const QString a = QString::number(m_lab->uidOf(QStringLiteral("a")));
    std::unique_ptr<QProcess> member(
        m_lab->startProbe(QStringLiteral("a"), {QStringLiteral("--wait"), QStringLiteral("8000"),
                                                QStringLiteral("init: connection")}));
    QVERIFY(m_lab->service().waitForLog(QStringLiteral("Accepted a client of uid ") + a));
    const quint16 port = linkPortOf(*m_lab, m_lab->uidOf(QStringLiteral("a")));
    QVERIFY(port != 0);

    // The same port from 127.0.0.2, the handshake and a start in one write, then a half-close.
    const QString output =
        m_lab->probe(QStringLiteral("nobody"),
                     {QStringLiteral("--wait"), QStringLiteral("1500"), QStringLiteral("--raw"),
                      QStringLiteral("127.0.0.2:%1").arg(port),
                      m_lab->frame(QStringLiteral("killswitch"), killSwitchOff)});
    QCOMPARE(output.trimmed(), QStringLiteral("received 0 bytes"));
    QVERIFY2(m_lab->service().waitForLog(
                 QStringLiteral("Refused a client from port %1: uid 65534 is not in the "
                                "service's group")
                     .arg(port)),
             qPrintable(newLog()));
    QVERIFY2(!newLog().contains(QLatin1String("Started killswitch")), qPrintable(newLog()));
    member->kill();
    member->waitForFinished();
}

void ServiceSecurityTest::frameRacingItsLinksCloseNeverRunsForRoot()
{
    // A member's handshake and frame in one write, then the end of its side: the frame may be read
    // before or after the link is gone, and speaks for that member or for nobody.
    const QString a = QString::number(m_lab->uidOf(QStringLiteral("a")));
    for (int round = 0; round < 5; ++round) {
        m_lab->probe(QStringLiteral("a"),
                     {QStringLiteral("--wait"), QStringLiteral("3000"), QStringLiteral("--raw"),
                      QStringLiteral("127.0.0.1:0"),
                      m_lab->frame(QStringLiteral("killswitch"), killSwitchOff)});
    }
    QTRY_COMPARE_WITH_TIMEOUT(newLog().count(QStringLiteral("Started killswitch")) +
                                  newLog().count(QStringLiteral("Dropped a frame of a link")),
                              5, 10000);
    QCOMPARE(newLog().count(QStringLiteral("Accepted a client of uid ") + a), 5);
    QCOMPARE(newLog().count(QStringLiteral("Started killswitch as process")),
             newLog().count(QRegularExpression(
                 QStringLiteral("Started killswitch as process \\d+ for uid %1\n").arg(a))));
}

void ServiceSecurityTest::floodOfANonMemberLeavesRoomForMembers()
{
    // More connections than the service has descriptors, held by someone outside the group.
    std::unique_ptr<QProcess> flood(
        m_lab->startProbe(QStringLiteral("nobody"),
                          {QStringLiteral("--wait"), QStringLiteral("8000"),
                           QStringLiteral("--flood"), QStringLiteral("1100")},
                          4096));
    QVERIFY(flood->waitForReadyRead(20000));
    const QByteArray connected = flood->readAll().trimmed();
    QVERIFY2(connected.startsWith("connected "), connected.constData());

    const QString output = tool(QStringLiteral("a"), QStringLiteral("network-tool"), ipv6On);
    QVERIFY2(finishedWith(output, QStringLiteral("network-tool"), 0), qPrintable(output));
    // Every one of the flood's connections was turned away at once.
    QTRY_COMPARE_WITH_TIMEOUT(
        newLog().count(QStringLiteral("uid 65534 is not in the service's group")),
        connected.mid(10).toInt(), 20000);
    flood->kill();
    flood->waitForFinished();
}

void ServiceSecurityTest::anotherMembersProtectionIsRefused()
{
    const QString a = QString::number(m_lab->uidOf(QStringLiteral("a")));
    const QString b = QString::number(m_lab->uidOf(QStringLiteral("b")));
    const QString killswitch = QStringLiteral("killswitch");
    const QString networkTool = QStringLiteral("network-tool");
    QVERIFY(finishedWith(tool(QStringLiteral("a"), killswitch, killSwitchOn), killswitch, 0));
    QVERIFY(finishedWith(tool(QStringLiteral("a"), networkTool, ipv6Off), networkTool, 0));
    QVERIFY(m_lab->hasKillSwitchTable());
    QCOMPARE(m_lab->ipv6Disabled(), QStringLiteral("1"));

    // B may change none of it, and is told so.
    QVERIFY(refusedAsHeld(tool(QStringLiteral("b"), killswitch, killSwitchOff), killswitch));
    QVERIFY(refusedAsHeld(tool(QStringLiteral("b"), networkTool, ipv6On), networkTool));
    QVERIFY(refusedAsHeld(tool(QStringLiteral("b"), QStringLiteral("dns"),
                               {QStringLiteral("vpn"), QStringLiteral("tun0@10.9.0.1")}),
                          QStringLiteral("dns")));
    QVERIFY(m_lab->service().waitForLog(
        QStringLiteral("Refused to start 'killswitch' for uid %1: the killswitch is held by uid %2")
            .arg(b, a)));
    QVERIFY(m_lab->hasKillSwitchTable());
    QCOMPARE(m_lab->ipv6Disabled(), QStringLiteral("1"));
    QCOMPARE(m_lab->resolvConf(), SecurityLab::originalResolvConfText());

    // Held across a restart of the service.
    QVERIFY(m_lab->restartService());
    QVERIFY(refusedAsHeld(tool(QStringLiteral("b"), killswitch, killSwitchOff), killswitch));

    // A's own release works; then B may act.
    QVERIFY(finishedWith(tool(QStringLiteral("a"), killswitch, killSwitchOff), killswitch, 0));
    QVERIFY(finishedWith(tool(QStringLiteral("a"), networkTool, ipv6On), networkTool, 0));
    QVERIFY(!m_lab->hasKillSwitchTable());
    QCOMPARE(m_lab->ipv6Disabled(), QStringLiteral("0"));
    QVERIFY(finishedWith(tool(QStringLiteral("b"), killswitch, killSwitchOff), killswitch, 0));

    // Root may always act, and its release frees the state.
    QVERIFY(finishedWith(tool(QStringLiteral("a"), killswitch, killSwitchOn), killswitch, 0));
    QVERIFY(finishedWith(tool(QStringLiteral("root"), killswitch, killSwitchOff), killswitch, 0));
    QVERIFY(!m_lab->hasKillSwitchTable());
    QVERIFY(finishedWith(tool(QStringLiteral("b"), killswitch, killSwitchOff), killswitch, 0));
}

void ServiceSecurityTest::aTunnelBelongsToOneUser()
{
    const QString openvpn = QStringLiteral("openvpn");
    const auto command = [this, &openvpn](const QString& user) -> QString {
        const QString config = m_lab->writeUserFile(user, QStringLiteral("tunnel.ovpn"),
                                                    ServiceLab::openVpnConfigText());
        return m_lab->frame(openvpn, m_lab->service()
                                         .openVpnCommand(config, m_lab->homeOf(user) +
                                                                     QStringLiteral("/tunnel.log"))
                                         .mid(1));
    };
    // A's tunnel, with A's client listening on the management port meanwhile.
    std::unique_ptr<QProcess> tunnel(
        m_lab->startProbe(QStringLiteral("a"), {QStringLiteral("--wait"), QStringLiteral("15000"),
                                                QStringLiteral("--listen"), QStringLiteral("61973"),
                                                command(QStringLiteral("a"))}));
    const QString a = QString::number(m_lab->uidOf(QStringLiteral("a")));
    QVERIFY2(m_lab->service().waitForLog(QStringLiteral("Started openvpn as process")),
             qPrintable(newLog()));

    QVERIFY(refusedAsHeld(
        m_lab->probe(QStringLiteral("b"), {QStringLiteral("--done"), command(QStringLiteral("b"))}),
        openvpn));
    QVERIFY(refusedAsHeld(tool(QStringLiteral("b"), QStringLiteral("killswitch"), killSwitchOff),
                          QStringLiteral("killswitch")));

    // The end of A's last tunnel frees it: B is then refused only for want of its own listener.
    m_lab->probe(QStringLiteral("a"), {QStringLiteral("--wait"), QStringLiteral("300"),
                                       QStringLiteral("stop: <openvpn>")});
    QVERIFY(m_lab->service().waitForLog(QStringLiteral("(openvpn) finished")));
    QVERIFY(
        m_lab->probe(QStringLiteral("b"), {QStringLiteral("--done"), command(QStringLiteral("b"))})
            .contains(QLatin1String("frame: started:0,126,1,openvpn")));
    tunnel->kill();
    tunnel->waitForFinished();
}

void ServiceSecurityTest::protectionHoldsThroughTheClientsRestart()
{
    // A stays logged in; its client enables the kill switch and dies.
    std::unique_ptr<QProcess> session(m_lab->startSession(QStringLiteral("a")));
    const QString killswitch = QStringLiteral("killswitch");
    QVERIFY(finishedWith(tool(QStringLiteral("a"), killswitch, killSwitchOn), killswitch, 0));
    QTest::qWait((SecurityLab::graceSeconds + 2) * 1000);
    QVERIFY(m_lab->hasKillSwitchTable());
    QVERIFY(refusedAsHeld(tool(QStringLiteral("b"), killswitch, killSwitchOff), killswitch));
    // A's next client lets it go.
    QVERIFY(finishedWith(tool(QStringLiteral("a"), killswitch, killSwitchOff), killswitch, 0));
    QVERIFY(!m_lab->hasKillSwitchTable());
    session->kill();
    session->waitForFinished();
}

void ServiceSecurityTest::loggedOutHoldersProtectionIsLifted()
{
    const QString killswitch = QStringLiteral("killswitch");
    QVERIFY(finishedWith(tool(QStringLiteral("a"), killswitch, killSwitchOn), killswitch, 0));
    QVERIFY(finishedWith(tool(QStringLiteral("a"), QStringLiteral("network-tool"), ipv6Off),
                         QStringLiteral("network-tool"), 0));
    // No process of A is left: after the grace the service lets go for it.
    QVERIFY2(m_lab->service().waitForLog(QStringLiteral("has had no process for %1 s: giving it up")
                                             .arg(SecurityLab::graceSeconds),
                                         15000),
             qPrintable(newLog()));
    QTRY_VERIFY_WITH_TIMEOUT(!m_lab->hasKillSwitchTable(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_lab->ipv6Disabled(), QStringLiteral("0"), 10000);
    QVERIFY(finishedWith(tool(QStringLiteral("b"), killswitch, killSwitchOff), killswitch, 0));
}

void ServiceSecurityTest::craftedDnsDataNeverReachesTheResolver()
{
    // B's own dns.dat names a file every user can write, then says the file was absent.
    for (const QByteArray& kind : {QByteArray("link"), QByteArray("absent")}) {
        const QString marker = m_lab->writeUserFile(
            QStringLiteral("b"), QStringLiteral(".local/share/Corvalink/dns.dat"),
            "{\"backend\":\"resolvconf\",\"kind\":\"" + kind +
                "\",\"target\":\"/run/lock/x\",\"content\":\"\",\"mode\":420,\"links\":{}}");
        QVERIFY(!marker.isEmpty());
        QVERIFY(finishedWith(
            tool(QStringLiteral("b"), QStringLiteral("dns"), {QStringLiteral("reset")}),
            QStringLiteral("dns"), 0));
        QVERIFY(!m_lab->resolvConfIsLink());
        QCOMPARE(m_lab->resolvConf(), SecurityLab::originalResolvConfText());
        // The marker is the client's alone, and gone with the reset.
        QVERIFY(!QFile::exists(marker));
    }
}

void ServiceSecurityTest::dnsOfTwoMembersEndsAsItBegan()
{
    const QString dns = QStringLiteral("dns");
    QVERIFY(finishedWith(
        tool(QStringLiteral("a"), dns, {QStringLiteral("vpn"), QStringLiteral("tun0@10.8.0.1")}),
        dns, 0));
    const QByteArray tunnel = m_lab->resolvConf();
    QVERIFY(tunnel.contains("10.8.0.1"));
    QVERIFY(refusedAsHeld(
        tool(QStringLiteral("b"), dns, {QStringLiteral("vpn"), QStringLiteral("tun0@10.9.0.1")}),
        dns));
    QCOMPARE(m_lab->resolvConf(), tunnel);
    QVERIFY(finishedWith(
        tool(QStringLiteral("a"), dns, {QStringLiteral("user"), QStringLiteral("eth0@192.0.2.53")}),
        dns, 0));
    QCOMPARE(m_lab->resolvConf(), SecurityLab::originalResolvConfText());
    // B has nothing saved, and names servers of its own: nothing changes.
    QVERIFY(finishedWith(tool(QStringLiteral("b"), dns,
                              {QStringLiteral("user"), QStringLiteral("eth0@203.0.113.9")}),
                         dns, 0));
    QCOMPARE(m_lab->resolvConf(), SecurityLab::originalResolvConfText());
}
