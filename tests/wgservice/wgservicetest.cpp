#include "wgservicetest.h"

#include "bytecounttext.h"
#include "clients/connectionstatistics.h"
#include "clients/wireguardlogger.h"
#include "commandoutput.h"
#include "instancefile.h"
#include "ringlog.h"
#include "tunnellink.h"
#include "wireguardconfig.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

const QByteArray privateKey = "yAnz5TF+lXXJte14tji3zlMNq+hd2rYUIgJBgB3fBmk=";
const QByteArray publicKey = "xTIBA5rboUvnH4htodjb6e697QjLERt1NAB4mZqp8Dg=";

QByteArray clientText(const QByteArray& endpoint = "10.204.1.1")
{
    return "[Interface]\nPrivateKey = " + privateKey +
           "\nAddress = 10.2.0.5/32\nDNS = 172.16.0.1\n\n[Peer]\nPublicKey = " + publicKey +
           "\nAllowedIPs = 0.0.0.0/0, ::/0\nEndpoint = " + endpoint + ":55888\n\n";
}

} // namespace

void WgServiceTest::parsesTheClientsFile()
{
    WireGuardConfig config;
    QString error;
    QVERIFY2(WireGuardConfig::parse(clientText(), &config, &error), qPrintable(error));
    QCOMPARE(config.privateKey, privateKey);
    QCOMPARE(config.addresses, QStringList{QStringLiteral("10.2.0.5/32")});
    QCOMPARE(config.dns, QStringList{QStringLiteral("172.16.0.1")});
    QCOMPARE(config.publicKey, QString::fromLatin1(publicKey));
    QCOMPARE(config.allowedIps, QStringList({QStringLiteral("0.0.0.0/0"), QStringLiteral("::/0")}));
    QCOMPARE(config.endpointHost, QStringLiteral("10.204.1.1"));
    QCOMPARE(config.endpointPort, quint16(55888));
    QCOMPARE(TunnelLink::tunnelRoutes(config.allowedIps),
             QStringList({QStringLiteral("0.0.0.0/1"), QStringLiteral("128.0.0.0/1"),
                          QStringLiteral("::/1"), QStringLiteral("8000::/1")}));
}

void WgServiceTest::refusesValues_data()
{
    QTest::addColumn<QByteArray>("text");
    const QByteArray good = clientText();
    auto replaced = [&good](const char* from, const QByteArray& to) {
        return QByteArray(good).replace(from, to);
    };
    QTest::newRow("key with a line break")
        << replaced(privateKey.constData(), privateKey.left(20) + "\n" + privateKey.mid(20));
    QTest::newRow("non-canonical key")
        << replaced(privateKey.constData(), privateKey.left(42) + "n=");
    QTest::newRow("PostUp") << replaced("[Peer]", "PostUp = /bin/sh -c id\n[Peer]");
    QTest::newRow("host name endpoint") << clientText("vpn1.example.com");
    QTest::newRow("IPv6 endpoint") << clientText("[::1]");
    QTest::newRow("leading zero") << clientText("10.204.01.1");
    QTest::newRow("bad prefix") << replaced("10.2.0.5/32", "10.2.0.5/33");
    QTest::newRow("prefix with sign") << replaced("::/0", "::/+0");
    QTest::newRow("quote in DNS") << replaced("172.16.0.1", "\"172.16.0.1\"");
    QTest::newRow("repeated key") << replaced("DNS", "Address = 10.2.0.6/32\nDNS");
    QTest::newRow("unknown section") << replaced("[Peer]", "[Peer2]");
    QTest::newRow("carriage return") << replaced("\n", "\r\n");
    QTest::newRow("missing endpoint") << replaced("Endpoint", "#Endpoint");
}

void WgServiceTest::refusesValues()
{
    QFETCH(QByteArray, text);
    WireGuardConfig config;
    QString error;
    QVERIFY(!WireGuardConfig::parse(text, &config, &error));
    QVERIFY(!error.isEmpty());
}

void WgServiceTest::byteCountsReadBackByTheClient()
{
    QCOMPARE(ByteCountText::format(2097152), QStringLiteral("2.0 MiB"));
    QCOMPARE(ByteCountText::format(512), QStringLiteral("512 B"));
    QCOMPARE(ByteCountText::format(1048575), QStringLiteral("1.0 MiB"));
    const ConnectionStatistics statistics(ByteCountText::format(2097152), ByteCountText::format(0));
    QCOMPARE(statistics.received(), quint64(2097152));
    QCOMPARE(statistics.sent(), quint64(0));
    QCOMPARE(ConnectionStatistics::parseByteCount(ByteCountText::format(1536)), quint64(1536));
}

void WgServiceTest::readsToolOutputs()
{
    QString gateway;
    QString device;
    QVERIFY(CommandOutput::routeGet(
        "10.204.1.1 via 192.168.1.1 dev eth0 src 192.168.1.7 uid 0 \n    cache \n", &gateway,
        &device));
    QCOMPARE(gateway, QStringLiteral("192.168.1.1"));
    QCOMPARE(device, QStringLiteral("eth0"));
    QVERIFY(
        CommandOutput::routeGet("10.204.1.1 dev veth0 src 10.204.1.2 uid 0\n", &gateway, &device));
    QVERIFY(gateway.isEmpty());
    QVERIFY(!CommandOutput::routeGet("10.204.1.1 dev ../x src", &gateway, &device));
    QVERIFY(!CommandOutput::hasHandshake(QString::fromLatin1(publicKey) + "\t0\n"));
    QVERIFY(CommandOutput::hasHandshake(QString::fromLatin1(publicKey) + "\t1700000000\n"));
    quint64 received = 0;
    quint64 sent = 0;
    QVERIFY(CommandOutput::transfer(QString::fromLatin1(publicKey) + "\t2048\t512\n", &received,
                                    &sent));
    QCOMPARE(received, quint64(2048));
    QCOMPARE(sent, quint64(512));
}

void WgServiceTest::ringLogDecodesInTheClient()
{
    QTemporaryDir folder;
    RingLog log;
    QString error;
    QVERIFY2(log.open(folder.path(), &error), qPrintable(error));
    log.append(QStringLiteral("Starting WireGuard tunnel"));
    log.append(QString(600, QChar(0x00e9))); // cut inside the record, at a character boundary
    log.close();
    QFile file(folder.filePath(QStringLiteral("log.bin")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    // Full size at once, as a mapped ring: a reader never meets a tail without its header.
    QCOMPARE(file.size(), qint64(8 + RingLog::capacity * 520));
    WireGuardLogger logger;
    QSignalSpy lines(&logger, &WireGuardLogger::lineReaded);
    logger.decode(file.readAll());
    QCOMPARE(lines.count(), 2);
    QVERIFY(lines.at(0).at(0).toString().endsWith(QLatin1String(" Starting WireGuard tunnel")));
    QVERIFY(lines.at(1).at(0).toString().endsWith(QString(255, QChar(0x00e9))));
}

void WgServiceTest::ringLogWrapsAndRefusesLinks()
{
    QTemporaryDir folder;
    RingLog log;
    QString error;
    QVERIFY(log.open(folder.path(), &error));
    for (int i = 0; i < RingLog::capacity + 3; ++i)
        log.append(QStringLiteral("line %1").arg(i));
    log.close();
    QFile file(folder.filePath(QStringLiteral("log.bin")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), 8 + RingLog::capacity * 520);
    QCOMPARE(bytes.left(8), RingLog::header(RingLog::capacity));
    // The 257th line took the first slot again.
    QCOMPARE(bytes.mid(8 + 8, 8), QByteArray("line 256"));
    file.close();

    QFile target(folder.filePath(QStringLiteral("target")));
    QVERIFY(target.open(QIODevice::WriteOnly));
    target.write("keep");
    target.close();
    QVERIFY(QFile::remove(file.fileName()));
    QVERIFY(QFile::link(target.fileName(), file.fileName()));
    QVERIFY(!log.open(folder.path(), &error));
    QVERIFY(QFile::remove(file.fileName()));
    // A second name of another file is refused as well, before anything is cut.
    QVERIFY(::link(QFile::encodeName(target.fileName()).constData(),
                   QFile::encodeName(file.fileName()).constData()) == 0);
    QVERIFY(!log.open(folder.path(), &error));
    QVERIFY(target.open(QIODevice::ReadOnly));
    QCOMPARE(target.readAll(), QByteArray("keep"));
}

void WgServiceTest::removeRefusesAnotherUsersInstance()
{
    if (geteuid() != 0)
        QSKIP("the state folder is root's");
    const QString config = QStringLiteral("/nonexistent/wg-%1.conf").arg(getpid());
    qputenv("CORVALINK_USER_UID", "61001");
    InstanceFile instance;
    QString error;
    QVERIFY2(instance.claim(config, &error), qPrintable(error));
    qputenv("CORVALINK_USER_UID", "61002");
    QVERIFY(!InstanceFile::stop(config, 100, &error));
    QVERIFY(QFile::exists(InstanceFile::pathFor(config)));
    instance.release();
    qunsetenv("CORVALINK_USER_UID");
}
