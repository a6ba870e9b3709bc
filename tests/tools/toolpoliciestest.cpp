#include "toolpoliciestest.h"

#include "argumentpolicy.h"
#include "clients/openvpnclient.h"
#include "commandparser.h"
#include "machineownership.h"
#include "openvpnconfigcheck.h"
#include "peerpolicy.h"
#include "processstatus.h"
#include "programpolicy.h"
#include "servicelimits.h"
#include "servicenotice.h"
#include "toolenvironment.h"
#include "trustedpath.h"

#include <QtTest>

#include <sys/stat.h>

using Command = CommandParser::Command;
using Resource = MachineOwnership::Resource;

namespace {

// A configuration as the client writes it from its generated template (see prepareConfig).
QByteArray clientConfig(const QString& templateName, int protocol)
{
    QFile file(QStringLiteral(CORVALINK_GENERATED_CONFIG_DIR "/") + templateName);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QStringLiteral("<SERVER>"), QStringLiteral("198.51.100.7"));
    text.replace(QStringLiteral("<PROTOCOL>"),
                 protocol == 0 ? QStringLiteral("udp") : QStringLiteral("tcp"));
    text.replace(QStringLiteral("<PORT>"), QStringLiteral("1194"));
    VpnClient::insertAdditionalData(OpenVpnClient::additionalLines(protocol, false, true, false),
                                    text);
    return text.toUtf8();
}

// "killswitch=1000 tunnel=1000": who holds what, as the service would have recorded it.
MachineOwnership ownershipOf(const QString& held)
{
    MachineOwnership ownership;
    const QList<Resource> all{Resource::KillSwitch, Resource::Dns, Resource::Ipv6,
                              Resource::Tunnel};
    for (const QString& entry : held.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList parts = entry.split(QLatin1Char('='));
        for (const Resource resource : all) {
            if (MachineOwnership::nameOf(resource) == parts.first())
                ownership.engage(parts.last().toUInt(), resource);
        }
    }
    return ownership;
}

} // namespace

void ToolPoliciesTest::parsesCommands_data()
{
    QTest::addColumn<QString>("frame");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("elements");
    QTest::newRow("init") << "init: connection" << int(Command::Init) << QString() << QStringList();
    QTest::newRow("start") << R"(start: "/i/dns" "vpn" "")" << int(Command::Start)
                           << QStringLiteral("dns")
                           << QStringList{QStringLiteral("/i/dns"), QStringLiteral("vpn"),
                                          QString()};
    QTest::newRow("spaces inside")
        << R"(start: "/i/a b")" << int(Command::Start) << QStringLiteral("a b")
        << QStringList{QStringLiteral("/i/a b")};
    QTest::newRow("stop") << "stop: <openvpn>" << int(Command::Stop) << QStringLiteral("openvpn")
                          << QStringList();
    QTest::newRow("kill") << "start: <kill openvpn>" << int(Command::Kill)
                          << QStringLiteral("openvpn") << QStringList();
    QTest::newRow("kill with space name")
        << "start: <kill a b>" << int(Command::Invalid) << QString() << QStringList();
    QTest::newRow("unquoted") << "start: /bin/sh" << int(Command::Invalid) << QString()
                              << QStringList();
    // A malformed start still names its program, for its refusal.
    QTest::newRow("two spaces") << R"(start: "a"  "b")" << int(Command::Invalid)
                                << QStringLiteral("a") << QStringList();
    QTest::newRow("odd quote") << R"(start: "/i/a" "b)" << int(Command::Invalid)
                               << QStringLiteral("a") << QStringList();
    QTest::newRow("long name") << QStringLiteral("start: \"/i/%1\"").arg(QString(65, 'x'))
                               << int(Command::Invalid) << QString(64, 'x') << QStringList();
    QTest::newRow("line break") << "start: \"a\"\n\"b\"" << int(Command::Invalid) << QString()
                                << QStringList();
    QTest::newRow("empty list") << "start: " << int(Command::Invalid) << QString() << QStringList();
    QTest::newRow("other") << "run: \"a\"" << int(Command::Invalid) << QString() << QStringList();
}

void ToolPoliciesTest::parsesCommands()
{
    QFETCH(QString, frame);
    QFETCH(int, kind);
    QFETCH(QString, name);
    QFETCH(QStringList, elements);
    const Command command = CommandParser::parse(frame);
    QCOMPARE(int(command.kind), kind);
    QCOMPARE(command.name, name);
    QCOMPARE(command.elements, elements);
}

void ToolPoliciesTest::checksArguments_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("allowed");
    const QStringList openVpn{"--config",
                              "/h/c.ovpn",
                              "--management",
                              "127.0.0.1",
                              "61973",
                              "--management-query-passwords",
                              "--management-client",
                              "--log-append",
                              "/h/openvpn.log"};
    QTest::newRow("openvpn") << "openvpn" << openVpn << true;
    QStringList otherHost = openVpn;
    otherHost[3] = QStringLiteral("0.0.0.0");
    QTest::newRow("openvpn management elsewhere") << "openvpn" << otherHost << false;
    QStringList relative = openVpn;
    relative[1] = QStringLiteral("/h/../etc/c.ovpn");
    QTest::newRow("openvpn dot-dot") << "openvpn" << relative << false;
    QTest::newRow("wireguard add")
        << "wireguard-service" << QStringList{"--add", "/h/wg.conf", "--port", "61976"} << true;
    QTest::newRow("wireguard remove")
        << "wireguard-service" << QStringList{"--remove", "/h/w"} << true;
    QTest::newRow("wireguard port")
        << "wireguard-service" << QStringList{"--add", "/h/wg.conf", "--port", "22"} << false;
    QTest::newRow("ipv6") << "network-tool" << QStringList{"--ipv6", "disable"} << true;
    QTest::newRow("ipv6 other") << "network-tool" << QStringList{"--ipv6", "on"} << false;
    QTest::newRow("killswitch") << "killswitch"
                                << QStringList{"enable", "all", "203.0.113.7", QString()} << true;
    QTest::newRow("killswitch local")
        << "killswitch" << QStringList{"enable", "all", "2001:db8::7", "local"} << true;
    QTest::newRow("killswitch host name")
        << "killswitch" << QStringList{"enable", "all", "vpn.example", "local"} << false;
    QTest::newRow("killswitch dash host")
        << "killswitch" << QStringList{"enable", "all", "-x", "local"} << false;
    QTest::newRow("killswitch off") << "killswitch" << QStringList{"disable", "all"} << true;
    QTest::newRow("dns vpn") << "dns" << QStringList{"vpn", "eth0@10.0.0.1,fd00::1", "tun0@"}
                             << true;
    QTest::newRow("dns user resolved forms")
        << "dns"
        << QStringList{"user", "eth0@1.1.1.1:853#cloudflare-dns.com,[2606:4700::1111]:853#one.one",
                       "wlan0@fe80::1%wlan0", "tun0@,"}
        << true;
    QTest::newRow("dns vpn port") << "dns" << QStringList{"vpn", "eth0@1.1.1.1:853"} << false;
    QTest::newRow("dns user name only") << "dns" << QStringList{"user", "eth0@#x"} << false;
    QTest::newRow("dns reset") << "dns" << QStringList{"reset"} << true;
    QTest::newRow("dns reset extra") << "dns" << QStringList{"reset", "x@"} << false;
    QTest::newRow("dns option") << "dns" << QStringList{"user", "-f@"} << false;
    QTest::newRow("unknown tool") << "sh" << QStringList{"-c", "id"} << false;
}

void ToolPoliciesTest::checksArguments()
{
    QFETCH(QString, name);
    QFETCH(QStringList, arguments);
    QFETCH(bool, allowed);
    QCOMPARE(ArgumentPolicy::problem(name, arguments).isEmpty(), allowed);
}

void ToolPoliciesTest::namesPrograms_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("openvpn") << "/opt/c/openvpn/bin/openvpn"
                             << "openvpn";
    QTest::newRow("wireguard") << "/opt/c/wireguard/bin/wireguard-service"
                               << "wireguard-service";
    QTest::newRow("dns") << "/opt/c/dns"
                         << "dns";
    QTest::newRow("system openvpn") << "/usr/sbin/openvpn" << QString();
    QTest::newRow("dot-dot") << "/opt/c/x/../dns" << QString();
    QTest::newRow("double slash") << "/opt/c//dns" << QString();
    QTest::newRow("prefix folder") << "/opt/cc/dns" << QString();
    QTest::newRow("other file") << "/opt/c/openvpn" << QString();
}

void ToolPoliciesTest::namesPrograms()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QString problem;
    QCOMPARE(ProgramPolicy::nameFor(path, QStringLiteral("/opt/c"), &problem), name);
    QCOMPARE(problem.isEmpty(), !name.isEmpty());
}

void ToolPoliciesTest::checksOpenVpnConfig_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("stealth template")
        << QByteArray("client\r\ndev tun\r\nremote 127.0.0.1 1194 tcp\r\n# note\r\n"
                      "pull-filter ignore route-ipv6\r\n<ca>\r\nX\r\n</ca>\r\n")
        << true;
    QTest::newRow("unclosed block") << QByteArray("client\n<ca>\nX\n") << false;
    QTest::newRow("tag in block") << QByteArray("<ca>\n<up>\n</ca>\n") << false;
    QTest::newRow("remote with extra") << QByteArray("remote 1.2.3.4 1194 udp x\n") << false;
    QTest::newRow("NUL") << QByteArray("client\0up x\n", 12) << false;
    QTest::newRow("too large") << QByteArray(OpenVpnConfigCheck::maxBytes + 1, '#') << false;
    // OpenVPN reads 255 bytes at a time: its block ends at the "</ca>" and "plugin" runs.
    QTest::newRow("long line in a block")
        << QByteArray("<ca>\n" + QByteArray(255, 'A') + "</ca>\nplugin /tmp/x.so\n</ca>\n")
        << false;
    QTest::newRow("quoted tag in a block") << QByteArray("<ca>\n\"<ca>\"\n</ca>\n") << false;
    QTest::newRow("quoted tag") << QByteArray("\"<dh>\"\nx\n</dh>\n") << false;
    QTest::newRow("control character") << QByteArray("client\x0b\n") << false;
    QTest::newRow("client udp") << clientConfig(QStringLiteral("general.ovpn"), 0) << true;
    QTest::newRow("client tcp") << clientConfig(QStringLiteral("general.ovpn"), 1) << true;
    QTest::newRow("client stealth") << clientConfig(QStringLiteral("stunnel.ovpn"), 2) << true;
}

void ToolPoliciesTest::checksOpenVpnConfig()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, allowed);
    QVERIFY(!text.isEmpty());
    QByteArray checked;
    const QString problem = OpenVpnConfigCheck::problem(text, &checked);
    QVERIFY2(problem.isEmpty() == allowed, qPrintable(problem));
    // What OpenVPN runs passes the same check unchanged.
    if (allowed)
        QCOMPARE(OpenVpnConfigCheck::problem(checked), QString());
}

void ToolPoliciesTest::decidesPeers_data()
{
    QTest::addColumn<bool>("loopback");
    QTest::addColumn<bool>("origin");
    QTest::addColumn<qint64>("uid");
    QTest::addColumn<bool>("allowed");
    // The allowed group is 1000; every user below is a member of 1000 and 100.
    QTest::newRow("root") << true << false << qint64(0) << true;
    QTest::newRow("member") << true << false << qint64(1000) << true;
    QTest::newRow("origin") << true << true << qint64(0) << false;
    QTest::newRow("remote") << false << false << qint64(0) << false;
    QTest::newRow("unknown owner") << true << false << qint64(-1) << false;
}

void ToolPoliciesTest::decidesPeers()
{
    QFETCH(bool, loopback);
    QFETCH(bool, origin);
    QFETCH(qint64, uid);
    QFETCH(bool, allowed);
    const PeerPolicy::Peer peer{loopback, origin, uid, {100, 1000}};
    QCOMPARE(PeerPolicy::refusal(peer, 1000).isEmpty(), allowed);
    // Without the group only root remains.
    QCOMPARE(PeerPolicy::refusal(peer, -1).isEmpty(), allowed && uid == 0);
}

void ToolPoliciesTest::judgesPathEntries_data()
{
    QTest::addColumn<uint>("mode");
    QTest::addColumn<uint>("uid");
    QTest::addColumn<uint>("gid");
    QTest::addColumn<bool>("last");
    QTest::addColumn<bool>("trusted");
    QTest::newRow("root folder") << uint(S_IFDIR | 0755) << 0u << 0u << false << true;
    QTest::newRow("user folder") << uint(S_IFDIR | 0755) << 1000u << 0u << false << false;
    QTest::newRow("world-writable") << uint(S_IFDIR | 0777) << 0u << 0u << true << false;
    QTest::newRow("sticky above") << uint(S_IFDIR | 01777) << 0u << 0u << false << true;
    QTest::newRow("sticky itself") << uint(S_IFDIR | 01777) << 0u << 0u << true << false;
    QTest::newRow("group-writable") << uint(S_IFREG | 0775) << 0u << 50u << true << false;
    QTest::newRow("root group-writable") << uint(S_IFREG | 0775) << 0u << 0u << true << true;
    QTest::newRow("link") << uint(S_IFLNK | 0777) << 0u << 0u << true << false;
}

void ToolPoliciesTest::judgesPathEntries()
{
    QFETCH(uint, mode);
    QFETCH(uint, uid);
    QFETCH(uint, gid);
    QFETCH(bool, last);
    QFETCH(bool, trusted);
    QCOMPARE(TrustedPath::entryProblem({mode_t(mode), uid_t(uid), gid_t(gid)}, last).isEmpty(),
             trusted);
}

void ToolPoliciesTest::buildsToolEnvironments()
{
    QString problem;
    const QProcessEnvironment dns = ToolEnvironment::build(
        {QStringLiteral("dns"), 1000, QStringLiteral("/home/ann"), QStringLiteral("/run/c")},
        &problem);
    QVERIFY(problem.isEmpty());
    QCOMPARE(dns.value(QStringLiteral("CORVALINK_USER_UID")), QStringLiteral("1000"));
    QCOMPARE(dns.value(QStringLiteral("CORVALINK_DATA_DIR")),
             QStringLiteral("/home/ann/.local/share/Corvalink"));
    QVERIFY(!dns.contains(QStringLiteral("HOME")));
    const QProcessEnvironment wall = ToolEnvironment::build(
        {QStringLiteral("killswitch"), 0, QString(), QStringLiteral("/run/c")}, &problem);
    QCOMPARE(wall.value(QStringLiteral("CORVALINK_USER_UID")), QStringLiteral("0"));
    QVERIFY(!wall.contains(QStringLiteral("CORVALINK_DATA_DIR")));
    const QProcessEnvironment net = ToolEnvironment::build(
        {QStringLiteral("network-tool"), 1000, QString(), QStringLiteral("/run/c")}, &problem);
    QCOMPARE(net.value(QStringLiteral("CORVALINK_STATE_DIR")), QStringLiteral("/run/c"));
    QVERIFY(!net.contains(QStringLiteral("CORVALINK_USER_UID")));
    QVERIFY(problem.isEmpty());
    // A home the tool could read another way than the service does is refused.
    QVERIFY(ToolEnvironment::build({QStringLiteral("dns"), 1000, QStringLiteral("/home/../etc"),
                                    QStringLiteral("/run/c")},
                                   &problem)
                .isEmpty());
    QVERIFY(!problem.isEmpty());
}

void ToolPoliciesTest::noticesHeldForALaterLinkLoseTheirRequest()
{
    // The number names a request of the link that sent it; on the next link it would name
    // another.
    const QString started = ServiceNotice::started(4711, 0, 3, QStringLiteral("openvpn"));
    QCOMPARE(started, QStringLiteral("started:4711,0,3,openvpn"));
    QCOMPARE(ServiceNotice::forLaterLink(started), QStringLiteral("started:4711,0,openvpn"));
    QCOMPARE(ServiceNotice::started(0, 126, 0, QStringLiteral("dns")),
             QStringLiteral("started:0,126,dns"));
    const QString finished = ServiceNotice::finished(4711, 1, QStringLiteral("openvpn"));
    QCOMPARE(ServiceNotice::forLaterLink(finished), finished);
}

void ToolPoliciesTest::decidesOwnership_data()
{
    QTest::addColumn<QString>("held");
    QTest::addColumn<uint>("uid");
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("allowed");
    const QStringList enable{QStringLiteral("enable"), QStringLiteral("all"),
                             QStringLiteral("192.0.2.1"), QString()};
    const QStringList disable{QStringLiteral("disable"), QStringLiteral("all")};
    const QStringList add{QStringLiteral("--add"), QStringLiteral("/home/b/wg.conf"),
                          QStringLiteral("--port"), QStringLiteral("61976")};
    const QStringList remove{QStringLiteral("--remove"), QStringLiteral("/home/b/wg.conf")};
    QTest::newRow("nothing held") << "" << 1001u << "killswitch" << enable << true;
    QTest::newRow("the holder") << "killswitch=1000" << 1000u << "killswitch" << disable << true;
    QTest::newRow("another user's kill switch")
        << "killswitch=1000" << 1001u << "killswitch" << disable << false;
    QTest::newRow("root") << "killswitch=1000" << 0u << "killswitch" << disable << true;
    // One connection's protection is one whole: no part of it changes hands.
    QTest::newRow("dns beside another user's kill switch")
        << "killswitch=1000" << 1001u << "dns" << QStringList{QStringLiteral("reset")} << false;
    QTest::newRow("another user's dns")
        << "dns=1000" << 1001u << "dns" << QStringList{QStringLiteral("user")} << false;
    QTest::newRow("ipv6 on beside another user's ipv6")
        << "ipv6=1000" << 1001u << "network-tool"
        << QStringList{QStringLiteral("--ipv6"), QStringLiteral("enable")} << false;
    QTest::newRow("a tunnel beside another user's")
        << "tunnel=1000" << 1001u << "openvpn" << QStringList() << false;
    QTest::newRow("wireguard beside another user's tunnel")
        << "tunnel=1000" << 1001u << "wireguard-service" << add << false;
    // A removal reaches only the user's own tunnel.
    QTest::newRow("removal beside another user's tunnel")
        << "tunnel=1000" << 1001u << "wireguard-service" << remove << true;
    QTest::newRow("root's kill switch")
        << "killswitch=0" << 1001u << "killswitch" << enable << false;
}

void ToolPoliciesTest::decidesOwnership()
{
    QFETCH(QString, held);
    QFETCH(uint, uid);
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    QFETCH(bool, allowed);
    const MachineOwnership ownership = ownershipOf(held);
    QCOMPARE(ownership.allows(uid, MachineOwnership::claimOf(tool, arguments)), allowed);
}

void ToolPoliciesTest::keepsOwnershipAcrossRestarts()
{
    using Effect = MachineOwnership::Effect;
    const auto claim = MachineOwnership::claimOf;
    QCOMPARE(claim(QStringLiteral("dns"), {QStringLiteral("vpn")}).effect, Effect::Engage);
    QCOMPARE(claim(QStringLiteral("network-tool"), {QStringLiteral("--restore")}).effect,
             Effect::Release);
    QCOMPARE(
        claim(QStringLiteral("network-tool"), {QStringLiteral("--ipv6"), QStringLiteral("disable")})
            .effect,
        Effect::Engage);

    // Only the holder's release, or root's, frees a state; root acting for a holder takes
    // nothing.
    MachineOwnership ownership = ownershipOf(QStringLiteral("killswitch=1000 tunnel=1000"));
    ownership.release(1001, Resource::KillSwitch);
    QCOMPARE(ownership.holder(Resource::KillSwitch), qint64(1000));
    ownership.engage(0, Resource::Dns);
    QCOMPARE(ownership.holder(Resource::Dns), qint64(-1));
    ownership.engage(1000, Resource::Ipv6);
    QCOMPARE(ownership.heldBy(1000),
             (QList<Resource>{Resource::KillSwitch, Resource::Ipv6, Resource::Tunnel}));

    // The tunnel ends with the service's runs; the rest is written down, strictly read back.
    QCOMPARE(ownership.toText(), QByteArray("killswitch=1000\nipv6=1000\n"));
    const MachineOwnership read = MachineOwnership::fromText(
        ownership.toText() + "dns=abc\ndns=-1\ndns=01\ndns=4294967295\ntunnel=7\nx=5\n");
    QCOMPARE(read.toText(), ownership.toText());
    QCOMPARE(read.holder(Resource::Tunnel), qint64(-1));
    ownership.release(0, Resource::KillSwitch);
    ownership.release(1000, Resource::Ipv6);
    ownership.release(1000, Resource::Tunnel);
    QCOMPARE(ownership.holders(), QList<uid_t>());
}

void ToolPoliciesTest::limitsEachUser_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("ofUser");
    QTest::addColumn<int>("all");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("handshake") << "handshake" << 7 << 63 << true;
    QTest::newRow("handshakes of one user") << "handshake" << 8 << 8 << false;
    QTest::newRow("handshakes of all") << "handshake" << 0 << 64 << false;
    QTest::newRow("link") << "link" << 3 << 15 << true;
    QTest::newRow("links of one user") << "link" << 4 << 4 << false;
    QTest::newRow("links of all") << "link" << 0 << 16 << false;
    QTest::newRow("run") << "run" << 7 << 31 << true;
    QTest::newRow("runs of one user") << "run" << 8 << 8 << false;
    QTest::newRow("runs of all") << "run" << 1 << 32 << false;
}

void ToolPoliciesTest::limitsEachUser()
{
    QFETCH(QString, kind);
    QFETCH(int, ofUser);
    QFETCH(int, all);
    QFETCH(bool, allowed);
    const QString refusal =
        kind == QLatin1String("handshake") ? ServiceLimits::handshakeRefusal(ofUser, all)
        : kind == QLatin1String("link")    ? ServiceLimits::linkRefusal(ofUser, all)
                                           : ServiceLimits::runRefusal(ofUser, all);
    QCOMPARE(refusal.isEmpty(), allowed);
}

void ToolPoliciesTest::findsProcessesOfAUser()
{
    const QByteArray status = "Name:\tbash\nUmask:\t0022\nState:\tS (sleeping)\n"
                              "Uid:\t1000\t1000\t1000\t1000\nGid:\t1000\t1000\t1000\t1000\n";
    QVERIFY(ProcessStatus::hasUid(status, 1000));
    QVERIFY(!ProcessStatus::hasUid(status, 100));
    // A set-uid program still belongs to the user who started it.
    QVERIFY(ProcessStatus::hasUid("Uid:\t1001\t0\t0\t0\n", 1001));
    QVERIFY(!ProcessStatus::hasUid("Name:\t1000\nGid:\t1000\n", 1000));
    QVERIFY(!ProcessStatus::hasUid("Uid:\t10000\t10000\n", 1000));
}
