#include "wgtunneltest.h"

#include "clients/connectionstatistics.h"
#include "clients/wireguardlogger.h"
#include "instancefile.h"
#include "namespacelab.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString wgTool = QStringLiteral("/usr/bin/wg");
const QString wireGuardGo = QStringLiteral("/usr/bin/wireguard-go");

// Reads the process's output until it holds needle; everything read is kept in seen.
bool waitFor(QProcess* process, QByteArray* seen, const QByteArray& needle, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!seen->contains(needle) && timer.elapsed() < timeoutMs) {
        process->waitForReadyRead(200);
        seen->append(process->readAll());
    }
    return seen->contains(needle);
}

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Waits until the file holds content, keeping the process's output in seen.
bool waitForContent(const QString& path, const QByteArray& content, QProcess* process,
                    QByteArray* seen)
{
    QElapsedTimer timer;
    timer.start();
    while (fileContent(path) != content && timer.elapsed() < 10000) {
        process->waitForReadyRead(100);
        seen->append(process->readAll());
    }
    return fileContent(path) == content;
}

bool keyPair(QString* privateKey, QString* publicKey)
{
    QProcess generate;
    generate.start(wgTool, {QStringLiteral("genkey")});
    if (!generate.waitForFinished(5000))
        return false;
    *privateKey = QString::fromLatin1(generate.readAll()).trimmed();
    QProcess derive;
    derive.start(wgTool, {QStringLiteral("pubkey")});
    derive.write(privateKey->toLatin1() + '\n');
    derive.closeWriteChannel();
    if (!derive.waitForFinished(5000))
        return false;
    *publicKey = QString::fromLatin1(derive.readAll()).trimmed();
    return privateKey->size() == 44 && publicKey->size() == 44;
}

bool processRuns(const QByteArray& commandLine)
{
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& pid : pids) {
        QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (file.open(QIODevice::ReadOnly) && file.readAll() == commandLine)
            return true;
    }
    return false;
}

// In place, as a network manager's rewrite of a bind-mounted file shows inside the namespace.
bool overwrite(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size();
}

} // namespace

void WgTunnelTest::init()
{
    if (geteuid() != 0)
        QSKIP("network namespaces need root");
    if (!QFile::exists(QStringLiteral("/dev/net/tun")))
        QSKIP("no /dev/net/tun");
    if (!QFile::exists(wgTool) || !QFile::exists(wireGuardGo))
        QSKIP("wireguard-tools or wireguard-go missing");
}

void WgTunnelTest::tunnelComesUpAndGoesAway()
{
    NamespaceLab lab;
    QString output;
    QVERIFY2(lab.setUp(&output), qPrintable(output));
    QString clientPrivate, clientPublic, peerPrivate, peerPublic;
    QVERIFY(keyPair(&clientPrivate, &clientPublic));
    QVERIFY(keyPair(&peerPrivate, &peerPublic));

    // The peer: wireguard-go in the second namespace, tunnel address 10.204.9.1.
    const QString peerIf = QStringLiteral("wgcvp%1").arg(getpid() % 100000);
    QProcess* peer = lab.start(lab.peer(), {wireGuardGo, QStringLiteral("-f"), peerIf});
    QElapsedTimer timer;
    timer.start();
    while (!QFile::exists(QStringLiteral("/var/run/wireguard/%1.sock").arg(peerIf)) &&
           timer.elapsed() < 5000)
        QTest::qWait(50);
    QVERIFY2(peer->state() == QProcess::Running, peer->readAll().constData());
    QVERIFY2(
        NamespaceLab::run(lab.peer(),
                          {wgTool, QStringLiteral("set"), peerIf, QStringLiteral("listen-port"),
                           QStringLiteral("55888"), QStringLiteral("private-key"),
                           QStringLiteral("/dev/stdin"), QStringLiteral("peer"), clientPublic,
                           QStringLiteral("allowed-ips"), QStringLiteral("10.204.9.2/32")},
                          &output, peerPrivate.toLatin1() + '\n'),
        qPrintable(output));
    QVERIFY2(NamespaceLab::ip({QStringLiteral("-n"), lab.peer(), QStringLiteral("address"),
                               QStringLiteral("add"), QStringLiteral("10.204.9.1/24"),
                               QStringLiteral("dev"), peerIf},
                              &output),
             qPrintable(output));
    QVERIFY2(NamespaceLab::ip({QStringLiteral("-n"), lab.peer(), QStringLiteral("link"),
                               QStringLiteral("set"), peerIf, QStringLiteral("up")},
                              &output),
             qPrintable(output));

    QProcess* listener =
        lab.start(lab.client(),
                  {qEnvironmentVariable("CORVALINK_WG_REPORT_LISTENER"), QStringLiteral("61976")});
    QByteArray reports;
    QVERIFY2(waitFor(listener, &reports, "listening\n", 5000), reports.constData());

    QTemporaryDir folder;
    const QString config = folder.filePath(QStringLiteral("wg-corvalink.conf"));
    QFile file(config);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Interface]\nPrivateKey = " + clientPrivate.toLatin1() +
               "\nAddress = 10.204.9.2/32\nDNS = 172.16.0.1\n\n[Peer]\nPublicKey = " +
               peerPublic.toLatin1() +
               "\nAllowedIPs = 0.0.0.0/0, ::/0\nEndpoint = 10.204.1.1:55888\n\n");
    file.close();

    const QString service = qEnvironmentVariable("CORVALINK_WIREGUARD_SERVICE");
    QProcess other;
    other.start(service, {QStringLiteral("--add"), config, QStringLiteral("--port"),
                          QStringLiteral("1194")});
    QVERIFY(other.waitForFinished(5000));
    QCOMPARE(other.exitCode(), 2); // only the client's report port

    QProcess* tunnel = lab.start(lab.client(), {service, QStringLiteral("--add"), config,
                                                QStringLiteral("--port"), QStringLiteral("61976")});
    QVERIFY2(waitFor(listener, &reports, ">STATE:CONNECTED\n", 20000),
             (reports + tunnel->readAll()).constData());
    QVERIFY2(NamespaceLab::run(lab.client(),
                               {QStringLiteral("/usr/bin/ping"), QStringLiteral("-c"),
                                QStringLiteral("1"), QStringLiteral("-W"), QStringLiteral("3"),
                                QStringLiteral("10.204.9.1")},
                               &output),
             qPrintable(output));
    // Wait for a count taken after the ping.
    reports.clear();
    QVERIFY(waitFor(listener, &reports, ">BYTECOUNT:", 5000));
    QVERIFY(waitFor(listener, &reports, "\n", 2000));
    const QByteArray line = reports.mid(reports.indexOf(">BYTECOUNT:") + 11).split('\n').first();
    const QList<QByteArray> texts = line.split(',');
    QCOMPARE(texts.size(), 2);
    QVERIFY2(ConnectionStatistics(QString::fromLatin1(texts.at(0)),
                                  QString::fromLatin1(texts.at(1).mid(1)))
                     .received() > 0,
             line.constData());

    QVERIFY(
        NamespaceLab::ip({QStringLiteral("-n"), lab.client(), QStringLiteral("route")}, &output));
    QVERIFY2(output.contains(QLatin1String("0.0.0.0/1 dev wgcl")), qPrintable(output));
    // The endpoint itself stays off the tunnel.
    QVERIFY2(output.contains(QLatin1String("10.204.1.1 dev cvc")), qPrintable(output));
    const QString interface =
        output.mid(output.indexOf(QLatin1String("dev wgcl")) + 4).section(QLatin1Char(' '), 0, 0);

    QFile ringLog(folder.filePath(QStringLiteral("log.bin")));
    QVERIFY(ringLog.open(QIODevice::ReadOnly));
    WireGuardLogger logger;
    QSignalSpy lines(&logger, &WireGuardLogger::lineReaded);
    logger.decode(ringLog.readAll());
    QVERIFY(lines.count() >= 2);
    QVERIFY(lines.last().at(0).toString().endsWith(QLatin1String(" Handshake completed")));

    // Removal finds the instance by the path alone: the file may be gone already.
    QVERIFY(QFile::remove(config));
    QVERIFY2(
        NamespaceLab::run(lab.client(), {service, QStringLiteral("--remove"), config}, &output),
        qPrintable(output));
    QVERIFY(tunnel->waitForFinished(5000));
    QCOMPARE(tunnel->exitCode(), 0);
    QVERIFY2(waitFor(listener, &reports, ">STATE:DISCONNECTED\n", 2000), reports.constData());
    QVERIFY(NamespaceLab::ip(
        {QStringLiteral("-n"), lab.client(), QStringLiteral("-d"), QStringLiteral("link")},
        &output));
    QVERIFY2(!output.contains(QLatin1String("wgcl")), qPrintable(output));
    QVERIFY(
        NamespaceLab::ip({QStringLiteral("-n"), lab.client(), QStringLiteral("route")}, &output));
    QCOMPARE(output.trimmed().split(QLatin1Char('\n')).size(), 2); // default and the veth subnet
    QVERIFY(NamespaceLab::ip(
        {QStringLiteral("-n"), lab.client(), QStringLiteral("-6"), QStringLiteral("route")},
        &output));
    QVERIFY2(!output.contains(QLatin1String("::/1")), qPrintable(output));
    QVERIFY(!QFile::exists(QStringLiteral("/var/run/wireguard/%1.sock").arg(interface)));
    const QByteArray daemonLine =
        wireGuardGo.toLatin1() + '\0' + "-f" + '\0' + interface.toLatin1() + '\0';
    QVERIFY(!processRuns(daemonLine));
}

void WgTunnelTest::resolvConfFollowsTheTunnel()
{
    NamespaceLab lab;
    QString output;
    QVERIFY2(lab.setUp(&output), qPrintable(output));
    // No peer answers: the tunnel sets its DNS before the handshake.
    QString clientPrivate, clientPublic, peerPrivate, peerPublic;
    QVERIFY(keyPair(&clientPrivate, &clientPublic));
    QVERIFY(keyPair(&peerPrivate, &peerPublic));
    QProcess* listener =
        lab.start(lab.client(),
                  {qEnvironmentVariable("CORVALINK_WG_REPORT_LISTENER"), QStringLiteral("61976")});
    QByteArray reports;
    QVERIFY2(waitFor(listener, &reports, "listening\n", 5000), reports.constData());

    QTemporaryDir folder;
    const QString config = folder.filePath(QStringLiteral("wg-corvalink.conf"));
    QFile file(config);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Interface]\nPrivateKey = " + clientPrivate.toLatin1() +
               "\nAddress = 10.204.9.2/32\nDNS = 172.16.0.1, 2001:db8::53\n\n[Peer]\n"
               "PublicKey = " +
               peerPublic.toLatin1() +
               "\nAllowedIPs = 0.0.0.0/0, ::/0\nEndpoint = 10.204.1.1:55888\n\n");
    file.close();
    const QString service = qEnvironmentVariable("CORVALINK_WIREGUARD_SERVICE");
    const QStringList add = {service, QStringLiteral("--add"), config, QStringLiteral("--port"),
                             QStringLiteral("61976")};
    const QStringList remove = {service, QStringLiteral("--remove"), config};
    const QString resolvConf = lab.resolvConf();
    const QByteArray original = NamespaceLab::originalResolvConf();
    const QByteArray tunnelDns = "nameserver 172.16.0.1\nnameserver 2001:db8::53\n";
    const QString copy = InstanceFile::resolvConfCopyFor(config);

    // Up and removed: the tunnel's servers while it runs, the very same bytes after.
    QProcess* tunnel = lab.start(lab.client(), add);
    QByteArray seen;
    QVERIFY2(waitForContent(resolvConf, tunnelDns, tunnel, &seen), seen.constData());
    struct stat info;
    QVERIFY(stat(QFile::encodeName(copy).constData(), &info) == 0);
    QCOMPARE(info.st_mode & 07777, 0600u);
    QVERIFY2(NamespaceLab::run(lab.client(), remove, &output), qPrintable(output));
    QVERIFY(tunnel->waitForFinished(5000));
    QCOMPARE(tunnel->exitCode(), 0);
    seen.append(tunnel->readAll());
    QVERIFY2(seen.contains("DNS set in /etc/resolv.conf\n") &&
                 seen.contains("DNS put back in /etc/resolv.conf\n"),
             seen.constData());
    QCOMPARE(fileContent(resolvConf), original);
    QVERIFY(!QFile::exists(copy));

    // A run that dies keeps the tunnel's DNS; the next start puts the file back before it saves
    // it again, so the removal after yet another death still finds the original.
    tunnel = lab.start(lab.client(), add);
    seen.clear();
    QVERIFY2(waitForContent(resolvConf, tunnelDns, tunnel, &seen), seen.constData());
    tunnel->kill();
    QVERIFY(tunnel->waitForFinished(5000));
    QCOMPARE(fileContent(resolvConf), tunnelDns);
    tunnel = lab.start(lab.client(), add);
    seen.clear();
    QVERIFY2(waitFor(tunnel, &seen, "waiting for the handshake\n", 10000), seen.constData());
    const int putBack = seen.indexOf("DNS put back in /etc/resolv.conf\n");
    QVERIFY2(putBack >= 0 && putBack < seen.indexOf("DNS set in /etc/resolv.conf\n"),
             seen.constData());
    QCOMPARE(fileContent(resolvConf), tunnelDns);
    tunnel->kill();
    QVERIFY(tunnel->waitForFinished(5000));
    QVERIFY2(NamespaceLab::run(lab.client(), remove, &output), qPrintable(output));
    QVERIFY2(output.contains(QLatin1String("DNS put back in /etc/resolv.conf")),
             qPrintable(output));
    QCOMPARE(fileContent(resolvConf), original);
    QVERIFY(!QFile::exists(copy));
    QVERIFY(
        NamespaceLab::ip({QStringLiteral("-n"), lab.client(), QStringLiteral("link")}, &output));
    QVERIFY2(!output.contains(QLatin1String("wgcl")), qPrintable(output));

    // Put back once only: a later change of the file stays.
    const QByteArray changed = "nameserver 192.0.2.54\n";
    QVERIFY(overwrite(resolvConf, changed));
    QVERIFY2(NamespaceLab::run(lab.client(), remove, &output), qPrintable(output));
    QCOMPARE(fileContent(resolvConf), changed);

    // Another network wrote its own file while the tunnel ran: that one stays at the end.
    tunnel = lab.start(lab.client(), add);
    seen.clear();
    QVERIFY2(waitForContent(resolvConf, tunnelDns, tunnel, &seen), seen.constData());
    const QByteArray moved = "search moved.test\nnameserver 192.0.2.55\n";
    QVERIFY(overwrite(resolvConf, moved));
    QVERIFY2(NamespaceLab::run(lab.client(), remove, &output), qPrintable(output));
    QVERIFY(tunnel->waitForFinished(5000));
    QCOMPARE(fileContent(resolvConf), moved);
    QVERIFY(!QFile::exists(copy));
}
