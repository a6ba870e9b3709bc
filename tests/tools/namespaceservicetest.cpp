#include "namespaceservicetest.h"

#include "netnslab.h"
#include "service/killswitch.h"
#include "service/servicecontroller.h"
#include "servicelab.h"
#include "utils/utils.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const int waitMs = 15000;

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The passwd database as the namespace sees it: root's home moved into the test's folder, so
// the service's data folder for root is a throw-away one.
bool writePasswd(const QString& path, const QString& rootHome)
{
    QByteArray text;
    for (const QByteArray& line : fileBytes(QStringLiteral("/etc/passwd")).split('\n')) {
        QList<QByteArray> fields = line.split(':');
        if (fields.size() == 7 && fields.at(2) == "0")
            fields[5] = QFile::encodeName(rootHome);
        if (!line.isEmpty())
            text += fields.join(':') + '\n';
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

int runTool(ServiceProcess* tool, const QStringList& elements)
{
    QSignalSpy finished(tool, &ServiceProcess::finished);
    tool->start(elements);
    return finished.wait(waitMs) ? finished.first().at(0).toInt() : -1;
}

} // namespace

void NamespaceServiceTest::killSwitchAndDnsThroughTheService()
{
    if (!ServiceLab::isRoot())
        QSKIP("the service and its tools run as root");
    NetnsLab net;
    QString error;
    QVERIFY2(net.setUp(&error), qPrintable(error));
    const QByteArray hostDns = fileBytes(QStringLiteral("/etc/resolv.conf"));
    const QByteArray original = "search lan\nnameserver 192.0.2.53\noptions edns0 # kept\n";
    QVERIFY(net.writeResolvConf(original));
    QTemporaryDir home;
    QVERIFY(QDir().mkpath(home.filePath(QStringLiteral(".local/share"))));
    QVERIFY(writePasswd(QStringLiteral("/etc/netns/%1/passwd").arg(net.inner()), home.path()));

    ServiceLab lab;
    lab.useProgram(QStringLiteral("killswitch"), qEnvironmentVariable("CORVALINK_KILLSWITCH"));
    lab.useProgram(QStringLiteral("dns"), qEnvironmentVariable("CORVALINK_DNS_TOOL"));
    lab.useProgram(QStringLiteral("network-tool"), qEnvironmentVariable("CORVALINK_NETWORK_TOOL"));
    // Without systemd-resolved's folder the dns tool works on the namespace's resolv.conf.
    lab.setLauncher({QStringLiteral("ip"), QStringLiteral("netns"), QStringLiteral("exec"),
                     net.inner(), QStringLiteral("sh"), QStringLiteral("-c"),
                     QStringLiteral("if [ -d /run/systemd/resolve ]; then mount -t tmpfs tmpfs "
                                    "/run/systemd/resolve || exit 97; fi; exec \"$@\""),
                     QStringLiteral("sh")});
    QVERIFY(lab.start());
    QVERIFY(net.enterInner());
    Utils::setApplicationDirectoryForTesting(lab.installDir());
    auto controller = std::make_unique<ServiceController>(true);
    QSignalSpy connected(controller.get(), &ServiceController::connected);
    QVERIFY2(connected.wait(waitMs), qPrintable(lab.log()));

    KillSwitch killSwitch;
    QSignalSpy done(&killSwitch, &KillSwitch::killSwitchFinished);
    QVERIFY(killSwitch.enable(QStringLiteral("10.8.0.2"), QStringLiteral("10.203.7.2"), false));
    QVERIFY(done.wait(waitMs));
    QVERIFY2(done.last().at(0).toBool(), qPrintable(lab.log()));
    QVERIFY(net.run({"nft", "list", "tables"}).output.contains(QLatin1String("corvalink")));
    killSwitch.disable();
    QVERIFY(done.wait(waitMs));
    QVERIFY(done.last().at(0).toBool());
    QVERIFY(!net.run({"nft", "list", "tables"}).output.contains(QLatin1String("corvalink")));

    ServiceProcess dns(QStringLiteral("dns"));
    const QString tool = lab.toolPath(QStringLiteral("dns"));
    QCOMPARE(runTool(&dns, {tool, "vpn", "cvkv@10.203.7.2,fd00::53", "other@,"}), 0);
    QVERIFY(fileBytes(net.resolvConf()).contains("nameserver 10.203.7.2\n"));
    const QString saved = home.filePath(QStringLiteral(".local/share/Corvalink/dns.dat"));
    QVERIFY(QFile::exists(saved));
    QCOMPARE(runTool(&dns, {tool, "user", "cvkv@192.0.2.53:53#dns.lan,[fd00::53]:853#x"}), 0);
    QCOMPARE(fileBytes(net.resolvConf()), original);
    QVERIFY(!QFile::exists(saved));

    // Another network rewrote the file while the tunnel was up: whether the tunnel came back over
    // it or not, what goes back at the end is that network's, never the one left behind.
    const QByteArray moved = "search moved.test\nnameserver 198.51.100.53\n";
    for (const bool reconnected : {true, false}) {
        QVERIFY(net.writeResolvConf(original));
        QCOMPARE(runTool(&dns, {tool, "vpn", "cvkv@10.203.7.2"}), 0);
        QVERIFY(net.writeResolvConf(moved));
        if (reconnected) {
            QCOMPARE(runTool(&dns, {tool, "vpn", "cvkv@10.203.7.9"}), 0);
            QVERIFY(fileBytes(net.resolvConf()).contains("nameserver 10.203.7.9\n"));
            QVERIFY(!fileBytes(net.resolvConf()).contains("198.51.100.53"));
        }
        QCOMPARE(runTool(&dns, {tool, "user", "cvkv@192.0.2.53"}), 0);
        QCOMPARE(fileBytes(net.resolvConf()), moved);
        QVERIFY(!QFile::exists(saved));
    }

    controller.reset();
    net.leaveInner();
    Utils::setApplicationDirectoryForTesting(QString());
    QCOMPARE(fileBytes(QStringLiteral("/etc/resolv.conf")), hostDns);
}
