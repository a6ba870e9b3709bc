#include "nettoolstest.h"

#include "dnsarguments.h"
#include "dnsdata.h"
#include "ipv6state.h"
#include "killswitcharguments.h"
#include "killswitchrules.h"
#include "netnslab.h"
#include "resolvconftext.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

#define REQUIRE_ROOT_LAB(lab)                                                                      \
    if (::geteuid() != 0)                                                                          \
        QSKIP("needs root for network namespaces");                                                \
    NetnsLab lab;                                                                                  \
    {                                                                                              \
        QString setUpError;                                                                        \
        QVERIFY2(lab.setUp(&setUpError), qPrintable(setUpError));                                  \
    }

} // namespace

void NetToolsTest::killSwitchRuleset()
{
    const QString plain = KillSwitchRules::enableRuleset(QStringLiteral("203.0.113.5"), {0}, {});
    QVERIFY(plain.startsWith(QLatin1String(
        "add table inet corvalink\ndelete table inet corvalink\ntable inet corvalink {\n")));
    QVERIFY(plain.contains(QLatin1String("\t\tip daddr 203.0.113.5 meta skuid 0 accept\n")));
    QVERIFY(plain.contains(
        QLatin1String("\t\tip saddr 203.0.113.5 ct state established,related accept\n")));
    QVERIFY(plain.contains(QLatin1String("\t\toifname \"wg*\" accept\n")));
    QVERIFY(!plain.contains(QLatin1String("daddr {")));
    QCOMPARE(plain.count(QLatin1String("policy drop;")), 3);

    const QString withUser = KillSwitchRules::enableRuleset(
        QStringLiteral("2001:db8::5"), {0, 4242},
        {QStringLiteral("10.203.7.0/24"), QStringLiteral("fe80::/10")});
    QVERIFY(withUser.contains(
        QLatin1String("\t\tip6 daddr 2001:db8::5 meta skuid { 0, 4242 } accept\n")));
    QVERIFY(withUser.contains(QLatin1String("\t\tip daddr { 10.203.7.0/24 } accept\n")));
    QVERIFY(withUser.contains(QLatin1String("\t\tip6 saddr { fe80::/10 } accept\n")));
    QCOMPARE(KillSwitchRules::disableRuleset(),
             QStringLiteral("add table inet corvalink\ndelete table inet corvalink\n"));
}

void NetToolsTest::killSwitchLocalPrefixes()
{
    const QByteArray routes =
        R"([{"dst":"default","gateway":"192.168.1.1","dev":"eth0"},
            {"dst":"192.168.1.0/24","dev":"eth0","protocol":"kernel","scope":"link"},
            {"dst":"10.8.0.0/24","dev":"tun0","scope":"link"},
            {"dst":"10.9.9.9/16","dev":"eth1"},
            {"type":"blackhole","dst":"10.66.0.0/16"},
            {"dst":"1.2.3.4;flush","dev":"eth0"}])";
    const QStringList connected = KillSwitchRules::connectedPrefixes(routes);
    QCOMPARE(connected, QStringList({"192.168.1.0/24", "10.9.0.0/16"}));
    const QStringList local = KillSwitchRules::localPrefixes(connected);
    QVERIFY(local.contains(QLatin1String("192.168.1.0/24")));
    QVERIFY(local.contains(QLatin1String("fe80::/10")));
    QVERIFY(!local.contains(QLatin1String("10.0.0.0/8")));
    // Without known subnets the private ranges stand in; covered prefixes are left out.
    const QStringList fallback = KillSwitchRules::localPrefixes({});
    QVERIFY(fallback.contains(QLatin1String("10.0.0.0/8")));
    QVERIFY(!KillSwitchRules::localPrefixes({"169.254.1.0/24"})
                 .contains(QLatin1String("169.254.1.0/24")));
}

void NetToolsTest::killSwitchRefusesArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("address");
    QTest::newRow("ipv4") << QStringList{"enable", "all", "203.0.113.5", ""} << "203.0.113.5";
    QTest::newRow("ipv6") << QStringList{"enable", "all", "2001:DB8::5", "local"} << "2001:db8::5";
    QTest::newRow("disable") << QStringList{"disable", "all"} << "";
    QTest::newRow("host name") << QStringList{"enable", "all", "vpn.example.com", ""} << "-";
    QTest::newRow("leading zero") << QStringList{"enable", "all", "010.1.1.1", ""} << "-";
    QTest::newRow("prefix") << QStringList{"enable", "all", "10.1.1.0/24", ""} << "-";
    QTest::newRow("zone") << QStringList{"enable", "all", "fe80::1%eth0", ""} << "-";
    QTest::newRow("quote") << QStringList{"enable", "all", "10.1.1.1\"", ""} << "-";
    QTest::newRow("fifth word") << QStringList{"enable", "all", "10.1.1.1", "lan"} << "-";
    QTest::newRow("dns blocked") << QStringList{"enable", "all", "10.1.1.1", "", "block-dns"}
                                 << "10.1.1.1";
    QTest::newRow("sixth word") << QStringList{"enable", "all", "10.1.1.1", "", "dns"} << "-";
    QTest::newRow("seventh") << QStringList{"enable", "all", "10.1.1.1", "", "block-dns", "x"}
                             << "-";
    QTest::newRow("missing") << QStringList{"enable", "all", "10.1.1.1"} << "-";
    QTest::newRow("extra") << QStringList{"disable", "all", "x"} << "-";
}

void NetToolsTest::killSwitchRefusesArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, address);
    KillSwitchArguments parsed;
    QString error;
    QCOMPARE(parsed.parse(arguments, &error), address != QLatin1String("-"));
    if (address != QLatin1String("-"))
        QCOMPARE(parsed.serverAddress, address);
    else
        QVERIFY(!error.isEmpty());
}

void NetToolsTest::dnsEntries()
{
    DnsArguments vpn;
    QString error;
    QVERIFY(vpn.parse({"vpn", "eth0@10.8.0.1,FD00:0::1", "wg0@,"}, &error));
    QCOMPARE(vpn.entries.at(1).servers, QStringList());
    // In one spelling, as the system shows them back.
    QCOMPARE(vpn.allServers(), QStringList({"10.8.0.1", "fd00::1"}));

    DnsArguments user;
    QVERIFY(user.parse({"user", "eth0@1.1.1.1:853#cloudflare-dns.com,2606:4700::1111",
                        "eth1@[2606:4700::1111]:853#one.one,fe80::1%eth1"},
                       &error));
    QCOMPARE(DnsEntry::bareAddress(QStringLiteral("[2606:4700::1111]:853#one.one")),
             QStringLiteral("2606:4700::1111"));
    // Resolved's forms are for putting the user's settings back only.
    for (const QStringList& bad : QList<QStringList>{{"vpn", "eth0@1.1.1.1:853"},
                                                     {"vpn", "eth0@host.example"},
                                                     {"user", "eth0@1.1.1.1:0"},
                                                     {"user", "eth0@1.1.1.1%eth0"},
                                                     {"user", "../x@1.1.1.1"},
                                                     {"user", "-f@1.1.1.1"},
                                                     {"user", "eth0@1.1.1.1\n"},
                                                     {"vpn", "eth0"},
                                                     {"reset", "eth0@1.1.1.1"},
                                                     {"vpn"}}) {
        DnsArguments parsed;
        QVERIFY2(!parsed.parse(bad, &error), qPrintable(bad.join(QLatin1Char(' '))));
    }
}

void NetToolsTest::dnsTexts()
{
    const QByteArray original = "search lan\nnameserver 192.0.2.53\noptions edns0\n";
    const QByteArray tunnel = ResolvConfText::withServers(
        original, {QStringLiteral("172.16.0.1"), QStringLiteral("fd00::1")});
    QCOMPARE(tunnel, QByteArray("# corvalink: tunnel DNS begin\nnameserver 172.16.0.1\n"
                                "nameserver fd00::1\n# corvalink: tunnel DNS end\n"
                                "search lan\noptions edns0\n"));
    QCOMPARE(ResolvConfText::withoutTunnelServers(tunnel),
             QByteArray("search lan\noptions edns0\n"));
    QVERIFY(!ResolvConfText::isAcceptable("nameserver evil;rm\n"));
    QVERIFY(ResolvConfText::isMountPoint(
        "36 25 0:32 /etc/netns/x/resolv.conf /etc/resolv.conf rw - ext4 /dev/x rw\n",
        QStringLiteral("/etc/resolv.conf")));

    // "ip netns exec" mounts over a link's target: that file is written, never /etc's name.
    const QString etcFile = QStringLiteral("/etc/resolv.conf");
    const QString stub = QStringLiteral("/run/systemd/resolve/stub-resolv.conf");
    const QByteArray common = "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                              "25 22 0:23 / /run rw - tmpfs tmpfs rw\n";
    const QByteArray targetMounted =
        common + "36 25 8:1 /etc/netns/x/resolv.conf " + stub.toLatin1() + " rw - ext4 /dev/x rw\n";
    QCOMPARE(ResolvConfText::inPlacePath(targetMounted, etcFile, stub), stub);
    QCOMPARE(ResolvConfText::inPlacePath(targetMounted, etcFile, QString()), QString());
    const QByteArray fileMounted =
        common + "36 22 8:1 /etc/netns/x/resolv.conf /etc/resolv.conf rw - ext4 /dev/x rw\n";
    QCOMPARE(ResolvConfText::inPlacePath(fileMounted, etcFile, stub), etcFile);
    QCOMPARE(ResolvConfText::inPlacePath(fileMounted, etcFile, QString()), etcFile);
    // The mounted /run or a source path naming the target is no mount of the target itself.
    const QByteArray otherMount =
        common + "36 22 8:1 " + stub.toLatin1() + " /srv/copy rw - ext4 /dev/x rw\n";
    QCOMPARE(ResolvConfText::inPlacePath(otherMount, etcFile, stub), QString());
    const QByteArray escaped =
        common + "36 25 8:1 / /run/my\\040dir\\134x/resolv.conf rw - ext4 /dev/x rw\n";
    const QString spaced = QStringLiteral("/run/my dir\\x/resolv.conf");
    QCOMPARE(ResolvConfText::inPlacePath(escaped, etcFile, spaced), spaced);
    const QString literal = QStringLiteral("/run/my\\040dir\\134x/resolv.conf");
    QCOMPARE(ResolvConfText::inPlacePath(escaped, etcFile, literal), QString());

    DnsData saved;
    saved.content = original;
    saved.kind = DnsData::FileKind::File;
    saved.links.insert(QStringLiteral("eth0"), {{"1.1.1.1#one.one"}, {"~.", "lan"}});
    DnsData back;
    QVERIFY(DnsData::fromJson(saved.toJson(), &back));
    QCOMPARE(back.content, original);
    QCOMPARE(back.links.value(QStringLiteral("eth0")).domains, QStringList({"~.", "lan"}));
    // A file from before the tool kept what it wrote: nothing counts as rewritten.
    QVERIFY(back.written.isEmpty() && back.applied.isEmpty());
    QVERIFY(!DnsData::rewrittenSince(back.written, "nameserver 198.51.100.1\n"));
    QVERIFY(!DnsData::rewrittenSince(back.applied, QStringLiteral("eth0"), {{"9.9.9.9"}, {}}));
    // What the tool wrote comes back; anything else there now is the network's.
    saved.written = "nameserver 10.8.0.1\n";
    saved.applied.insert(QStringLiteral("eth0"), {{"10.8.0.1"}, {"~."}});
    QVERIFY(DnsData::fromJson(saved.toJson(), &back));
    QVERIFY(!DnsData::rewrittenSince(back.written, "nameserver 10.8.0.1\n"));
    QVERIFY(DnsData::rewrittenSince(back.written, "nameserver 198.51.100.1\n"));
    QVERIFY(!DnsData::rewrittenSince(back.applied, QStringLiteral("eth0"), {{"10.8.0.1"}, {"~."}}));
    QVERIFY(
        DnsData::rewrittenSince(back.applied, QStringLiteral("eth0"), {{"192.0.2.1"}, {"lan"}}));
    QVERIFY(!DnsData::rewrittenSince(back.applied, QStringLiteral("wlan0"), {{"192.0.2.1"}, {}}));
    // dns.dat lies in the user's folder: a link anywhere but /run is refused.
    saved.kind = DnsData::FileKind::Link;
    saved.linkTarget = QStringLiteral("/etc/shadow");
    QVERIFY(!DnsData::fromJson(saved.toJson(), &back));
    QVERIFY(DnsData::isLinkTarget(QStringLiteral("../run/systemd/resolve/stub-resolv.conf")));
    QVERIFY(!DnsData::isLinkTarget(QStringLiteral("/run/../etc/shadow")));
}

void NetToolsTest::networkToolArguments()
{
    Ipv6State::Action action = Ipv6State::Action::Restore;
    QString error;
    QVERIFY(Ipv6State::parseArguments({"--ipv6", "disable"}, &action, &error));
    QCOMPARE(action, Ipv6State::Action::Disable);
    QVERIFY(!Ipv6State::parseArguments({"--ipv6", "off"}, &action, &error));
    QVERIFY(!Ipv6State::parseArguments({"--restore", "x"}, &action, &error));
    QMap<QString, int> values;
    QVERIFY(Ipv6State::fromText(Ipv6State::toText({{"all", 0}, {"default", 1}}), &values));
    QCOMPARE(values.value(QStringLiteral("default")), 1);
    QVERIFY(!Ipv6State::fromText("lo=1\n", &values));
}

void NetToolsTest::killSwitchInNamespace()
{
    REQUIRE_ROOT_LAB(lab)
    const QByteArray hostDns = fileBytes(QStringLiteral("/etc/resolv.conf"));
    const QString tool = qEnvironmentVariable("CORVALINK_KILLSWITCH");
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("CORVALINK_USER_UID"), QStringLiteral("4242"));
    QVERIFY(lab.reaches(65534, QStringLiteral("10.203.7.3")));

    LabResult result = lab.runTool(tool, {"enable", "all", "10.203.7.2", ""}, environment);
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    QVERIFY(lab.reaches(0, QStringLiteral("10.203.7.2")));
    QVERIFY(lab.reaches(4242, QStringLiteral("10.203.7.2")));
    QVERIFY(!lab.reaches(65534, QStringLiteral("10.203.7.2")));
    QVERIFY(!lab.reaches(0, QStringLiteral("10.203.7.3")));

    // Enabling again replaces the rules: the connected subnet now passes.
    result = lab.runTool(tool, {"enable", "all", "10.203.7.2", "local"}, environment);
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    QVERIFY(lab.reaches(65534, QStringLiteral("10.203.7.3")));
    QVERIFY(lab.reaches(65534, QStringLiteral("10.203.7.3"), 53));
    QCOMPARE(lab.run({"nft", "list", "tables"}).output.count(QLatin1String("corvalink")), 1);

    // Without a resolver of the tunnel's, no DNS leaves but through it: not even to the local
    // network; the server itself stays reachable on port 53.
    result = lab.runTool(tool, {"enable", "all", "10.203.7.2", "local", "block-dns"}, environment);
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    QVERIFY(lab.reaches(65534, QStringLiteral("10.203.7.3")));
    QVERIFY(!lab.reaches(65534, QStringLiteral("10.203.7.3"), 53));
    QVERIFY(!lab.reaches(65534, QStringLiteral("10.203.7.3"), 853));
    QVERIFY(lab.reaches(0, QStringLiteral("10.203.7.2"), 53));

    QCOMPARE(lab.runTool(tool, {"enable", "all", "vpn.example.com", ""}).exitCode, 1);
    QCOMPARE(lab.runTool(tool, {"disable", "all"}).exitCode, 0);
    QVERIFY(!lab.run({"nft", "list", "tables"}).output.contains(QLatin1String("corvalink")));
    QVERIFY(lab.reaches(65534, QStringLiteral("10.203.7.3")));
    QCOMPARE(fileBytes(QStringLiteral("/etc/resolv.conf")), hostDns);
}

void NetToolsTest::dnsInNamespace()
{
    REQUIRE_ROOT_LAB(lab)
    const QByteArray hostDns = fileBytes(QStringLiteral("/etc/resolv.conf"));
    const QByteArray original = "search lan\nnameserver 192.0.2.53\noptions edns0 # kept\n";
    QVERIFY(lab.writeResolvConf(original));
    QTemporaryDir data;
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("CORVALINK_DATA_DIR"),
                       data.filePath(QStringLiteral("Corvalink")));
    const QString tool = qEnvironmentVariable("CORVALINK_DNS_TOOL");

    LabResult result =
        lab.runTool(tool, {"vpn", "cvkv@10.203.7.2,fd00::53", "other@,"}, environment);
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    QVERIFY(fileBytes(lab.resolvConf())
                .startsWith("# corvalink: tunnel DNS begin\nnameserver 10.203.7.2\n"));
    QVERIFY(QFile::exists(data.filePath(QStringLiteral("Corvalink/dns.dat"))));
    // A second "vpn" keeps the user's settings, not the tunnel's.
    QCOMPARE(lab.runTool(tool, {"vpn", "cvkv@10.203.7.3,"}, environment).exitCode, 0);
    QCOMPARE(lab.runTool(tool, {"vpn", "cvkv@1.1.1.1\"x"}, environment).exitCode, 1);

    result = lab.runTool(tool, {"user", "cvkv@192.0.2.53"}, environment);
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    QCOMPARE(fileBytes(lab.resolvConf()), original);
    QVERIFY(!QFile::exists(data.filePath(QStringLiteral("Corvalink/dns.dat"))));
    QCOMPARE(fileBytes(QStringLiteral("/etc/resolv.conf")), hostDns);
}

void NetToolsTest::networkToolInNamespace()
{
    REQUIRE_ROOT_LAB(lab)
    QTemporaryDir state;
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("CORVALINK_STATE_DIR"), state.path());
    const QString tool = qEnvironmentVariable("CORVALINK_NETWORK_TOOL");
    const QStringList read{"cat", "/proc/sys/net/ipv6/conf/all/disable_ipv6",
                           "/proc/sys/net/ipv6/conf/default/disable_ipv6"};
    const QString before = lab.run(read).output;
    const QString host = NetnsLab::runHost(read).output;
    QCOMPARE(before, QStringLiteral("0\n0\n"));

    QCOMPARE(lab.runTool(tool, {"--ipv6", "disable"}, environment).exitCode, 0);
    QCOMPARE(lab.run(read).output, QStringLiteral("1\n1\n"));
    QCOMPARE(lab.runTool(tool, {"--ipv6", "disable"}, environment).exitCode, 0);
    QCOMPARE(lab.runTool(tool, {"--restore"}, environment).exitCode, 0);
    QCOMPARE(lab.run(read).output, before);
    QCOMPARE(NetnsLab::runHost(read).output, host);
}
