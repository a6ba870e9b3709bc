#include "wireguardtest.h"

#include "api/catalogue.h"
#include "clients/wireguardclient.h"
#include "clients/wireguardlogger.h"
#include "fakes/fakeservice.h"
#include "service/servicecontroller.h"
#include "support/foreignpeer.h"
#include "support/logcapture.h"
#include "utils/utils.h"

#include <QDateTime>
#include <QDir>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QtEndian>
#include <QtTest>

#include <algorithm>

namespace {

using State = ConnectionState::Id;

Account account(const QString& status = QStringLiteral("Active"))
{
    return Account(5, QStringLiteral("alice"), status, {}, {}, QStringLiteral("10.2.0.5"),
                   QStringLiteral("cHJpdmF0ZWtleXByaXZhdGVrZXlwcml2YXRla2V5MDA="));
}

ConnectionParameters parameters()
{
    ConnectionParameters p;
    p.server = QStringLiteral("198.51.100.7");
    p.protocol = 3;
    p.autoReconnect = true;
    return p;
}

QByteArray header(quint32 magic, qint32 count)
{
    QByteArray bytes(8, '\0');
    qToLittleEndian<quint32>(magic, reinterpret_cast<uchar*>(bytes.data()));
    qToLittleEndian<qint32>(count, reinterpret_cast<uchar*>(bytes.data()) + 4);
    return bytes;
}

QByteArray record(qint64 nanoseconds, const QByteArray& text)
{
    QByteArray bytes(520, '\0');
    qToLittleEndian<qint64>(nanoseconds, reinterpret_cast<uchar*>(bytes.data()));
    bytes.replace(8, qMin(text.size(), 512), text.left(512));
    return bytes;
}

QList<State> statesOf(const QSignalSpy& spy)
{
    QList<State> states;
    for (const QList<QVariant>& arguments : spy)
        states << arguments.at(0).value<State>();
    return states;
}

QString configFolder()
{
    return Utils::programDataPathChecked() + QStringLiteral("/config");
}

} // namespace

void WireGuardTest::initTestCase()
{
    ConnectionState::registerTypes();
    Catalogue::registerTypes();
    m_service = new FakeService;
    QVERIFY(m_service->listenWithController(true));
}

void WireGuardTest::cleanupTestCase()
{
    delete m_service;
}

void WireGuardTest::init()
{
    WireGuardClient::setCurrentAccount(account());
    WireGuardClient::resetConfigNameCounterForTesting();
    QDir(configFolder()).removeRecursively();
    m_lab = std::make_unique<TunnelLab>();
    QVERIFY(m_lab->linkWireGuard(TunnelLab::fakeWireGuard()));
    QVERIFY(m_lab->linkNetworkTool(QStringLiteral("/bin/true")));
    qunsetenv("FAKE_WG_SCRIPT");
}

void WireGuardTest::cleanup()
{
    QTRY_COMPARE_WITH_TIMEOUT(m_service->runningPrograms(QStringLiteral("wireguard-service")), 0,
                              10000);
    m_lab.reset();
}

void WireGuardTest::configurationTextOfAnAccount()
{
    const Account a = account();
    QCOMPARE(WireGuardClient::configText(a, QStringLiteral("vpn1"), QStringLiteral("172.16.0.1")),
             QStringLiteral(
                 "[Interface]\nPrivateKey = %1\nAddress = 10.2.0.5/32\nDNS = 172.16.0.1\n\n[Peer]\n"
                 "PublicKey = %2\nAllowedIPs = 0.0.0.0/0, ::/0\nEndpoint = vpn1:55888\n")
                 .arg(a.wgPrivateKey, Account::builtInWireGuardPublicKey()));

    WireGuardClient client;
    client.setConnectionParameters(parameters());
    QVERIFY(client.writeConfigFile());
    QCOMPARE(client.configFilePath(), configFolder() + QStringLiteral("/wg-corvalink.conf"));
    const QFileDevice::Permissions everyone =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
        QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
        QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    QCOMPARE(QFileInfo(client.configFilePath()).permissions() & everyone,
             QFileDevice::Permissions());
    QFile::setPermissions(client.configFilePath(), QFileDevice::ReadOwner);
    QFile file(client.configFilePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().endsWith("Endpoint = 198.51.100.7:55888\n"));
    QVERIFY(!client.isKillSwitchSupported());
}

void WireGuardTest::disabledAccountWritesEmptyFile()
{
    QCOMPARE(WireGuardClient::configText(account(QStringLiteral("Disabled")),
                                         QStringLiteral("vpn1"), QStringLiteral("172.16.0.1")),
             QString());
    WireGuardClient::setCurrentAccount(account(QStringLiteral("Disabled")));
    WireGuardClient client;
    client.setConnectionParameters(parameters());
    QVERIFY(client.writeConfigFile());
    QVERIFY(QFileInfo::exists(client.configFilePath()));
    QCOMPARE(QFileInfo(client.configFilePath()).size(), 0);
}

void WireGuardTest::numberedNamesWhenFileCannotGo()
{
    // A folder in the file's place cannot be removed as a file, not even by root.
    QVERIFY(QDir().mkpath(configFolder() + QStringLiteral("/wg-corvalink.conf")));
    QVERIFY(QDir().mkpath(configFolder() + QStringLiteral("/wg-corvalink1.conf")));
    WireGuardClient client;
    client.setConnectionParameters(parameters());
    QVERIFY(client.writeConfigFile());
    QCOMPARE(QFileInfo(client.configFilePath()).fileName(), QStringLiteral("wg-corvalink2.conf"));

    // The next run starts from the number last used.
    QFile::setPermissions(client.configFilePath(),
                          QFileDevice::WriteOwner | QFileDevice::ReadOwner);
    QVERIFY(QFile::remove(client.configFilePath()));
    QVERIFY(QDir().mkpath(client.configFilePath()));
    QVERIFY(client.writeConfigFile());
    QCOMPARE(QFileInfo(client.configFilePath()).fileName(), QStringLiteral("wg-corvalink3.conf"));
    // A freed lower number is not gone back to; the numbered file of the last run stays in place.
    QVERIFY(QDir(configFolder()).rmdir(QStringLiteral("wg-corvalink1.conf")));
    QVERIFY(client.writeConfigFile());
    QCOMPARE(QFileInfo(client.configFilePath()).fileName(), QStringLiteral("wg-corvalink4.conf"));
}

void WireGuardTest::driverListParsing()
{
    const QString output = QStringLiteral(
        "Module Name  Display Name           Description            Driver Type   Start Mode State "
        "  Status   "
        "Accept Stop Accept Pause Paged Pool(bytes) Code(bytes) BSS(bytes) Link Date              "
        "Path\r\n"
        "============ ====================== ====================== ============= ========== "
        "======= ======== "
        "=========== ============ ================= =========== ========== ====================== "
        "===========\r\n"
        "WireGuard    WireGuard              WireGuard Driver       Kernel        Manual     "
        "Running OK       "
        "TRUE        FALSE        0                 0           0          1/1/2023 1:00:00 AM    "
        "C:\\Windows\\system32\\drivers\\wireguard.sys\r\n");
    QVERIFY(WireGuardClient::driverListHasWireGuard(output));
    QVERIFY(!WireGuardClient::driverListHasWireGuard(
        QString(output).replace(QStringLiteral("wireguard.sys"), QStringLiteral("wg.sys"))));
    QVERIFY(!WireGuardClient::driverListHasWireGuard(QStringLiteral(
        "wireguard    x    C:\\drivers\\wireguard.sys\r\n"))); // the name test is case-sensitive
    QVERIFY(WireGuardClient::isWireGuardEnabled());
}

void WireGuardTest::ringLogDecoding()
{
    WireGuardLogger logger;
    QSignalSpy count(&logger, &WireGuardLogger::lineCount);
    QSignalSpy lines(&logger, &WireGuardLogger::lineReaded);
    const QByteArray full(512, 'x');
    logger.decode(header(0x0BADBABE, 2) + record(0, "abc") + record(1700000000123456789LL, full));
    QCOMPARE(count.count(), 1);
    QCOMPARE(count.first().first().toInt(), 2);
    QCOMPARE(lines.count(), 2);
    const QString epoch = QDateTime::fromSecsSinceEpoch(0).toLocalTime().toString(
        QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    QCOMPARE(lines.at(0).first().toString(), epoch + QStringLiteral(" abc"));
    const QString later = QDateTime::fromSecsSinceEpoch(1700000000)
                              .toLocalTime()
                              .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    QCOMPARE(lines.at(1).first().toString(),
             later + QLatin1Char(' ') + QString(512, QLatin1Char('x')));

    // Count 0: the header is reported and nothing else.
    QTest::ignoreMessage(QtInfoMsg, "WireGuardLogger: Using filename '', total lines: 0");
    logger.decode(header(0x0BADBABE, 0) + record(0, "ignored"));
    QCOMPARE(count.last().first().toInt(), 0);
    QCOMPARE(lines.count(), 2);

    // More announced than present: decoding stops at the last whole record.
    logger.decode(header(0x0BADBABE, 5) + record(0, "one") + record(0, "two") +
                  QByteArray(100, 'z'));
    QCOMPARE(lines.count(), 4);

    for (const QByteArray& bad :
         {header(0xDEADBEEF, 1) + record(0, "abc"), header(0x0BADBABE, -1), QByteArray(7, 'a')}) {
        const int before = count.count();
        QTest::ignoreMessage(QtCriticalMsg, "WireGuardLogger: Cannot read header!");
        logger.decode(bad);
        QCOMPARE(count.count(), before);
    }
    QCOMPARE(lines.count(), 4);
}

void WireGuardTest::ringLogFromFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.bin"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(header(0x0BADBABE, 1) + record(0, "first"));
    file.flush();

    WireGuardLogger logger;
    QSignalSpy lines(&logger, &WireGuardLogger::lineReaded);
    logger.open(path);
    logger.readNew();
    QCOMPARE(lines.count(), 1);
    logger.readNew();
    QCOMPARE(lines.count(), 1); // nothing new

    // Growth arrives as a new image that starts with its own header.
    {
        LogCapture log;
        file.write(header(0x0BADBABE, 1) + record(0, "second"));
        file.flush();
        QTRY_COMPARE(lines.count(), 2);
        QVERIFY(lines.last().first().toString().endsWith(QStringLiteral(" second")));
        QVERIFY(log.contains(QStringLiteral("WireGuardLogger: File '%1' changed").arg(path)));
    }

    QTest::ignoreMessage(QtCriticalMsg,
                         qPrintable(QStringLiteral("WireGuardLogger: Can't open file '%1'!")
                                        .arg(dir.filePath(QStringLiteral("missing.bin")))));
    logger.open(dir.filePath(QStringLiteral("missing.bin")));
    logger.readNew();
    QCOMPARE(lines.count(), 2);
}

void WireGuardTest::connectReportDisconnect()
{
    WireGuardClient client;
    QSignalSpy states(&client, &VpnClient::connectionStateChanged);
    QSignalSpy bytes(&client, &VpnClient::byteCountChanged);
    client.setConnectionParameters(parameters());
    LogCapture log;
    QVERIFY(client.connectToServer());
    QTRY_VERIFY_WITH_TIMEOUT(statesOf(states).contains(ConnectionState::Connected), 10000);
    QTRY_COMPARE(bytes.count(), 1);
    QCOMPARE(bytes.first().at(0).toULongLong(), quint64(2097152));
    QCOMPARE(bytes.first().at(1).toULongLong(), quint64(512));
    QVERIFY(log.waitFor(QStringLiteral("WireGuardLogger: Using filename '")));
    QVERIFY(log.contains(QStringLiteral(" Handshake completed")));
    QVERIFY(log.contains(QStringLiteral("WireGuardClient: [>STATE:CONNECTED]")));
    QVERIFY(!log.contains(QStringLiteral("[>BYTECOUNT")));
    QVERIFY(m_service->frames().contains(
        QStringLiteral("start: \"%1\" \"--add\" \"%2\" \"--port\" \"61976\"")
            .arg(client.executablePath(), client.configFilePath())));

    QVERIFY(client.disconnectFromServer());
    QVERIFY(log.contains(
        QStringLiteral("WireGuardClient: Send TERM signal, server state is opened: true")));
    QVERIFY(log.contains(QStringLiteral("WireGuardClient: Stopping Windows service")));
    QTRY_VERIFY_WITH_TIMEOUT(statesOf(states).contains(ConnectionState::Disconnected), 10000);
    QVERIFY(
        m_service->frames().contains(QStringLiteral("start: \"%1\" \"--remove\" \"%2\"")
                                         .arg(client.executablePath(), client.configFilePath())));
    QVERIFY(log.waitFor(QStringLiteral("WireGuardClient: Already in disconnected state")));
    // The first stop finds nothing running and leaves the fresh client's Disconnected as it is.
    QCOMPARE(statesOf(states),
             QList<State>({ConnectionState::Connecting, ConnectionState::Connected,
                           ConnectionState::Disconnecting, ConnectionState::Disconnected}));
}

void WireGuardTest::keyFileIsPrivateFromCreationAndGoesAfterRemove()
{
    // The file holds the account's private key.
    QFileDevice::Permissions atCreation;
    qint64 sizeAtCreation = -1;
    WireGuardClient::setKeyFileCreatedHookForTesting([&](const QString& path) {
        atCreation = QFileInfo(path).permissions();
        sizeAtCreation = QFileInfo(path).size();
    });
    const QFileDevice::Permissions ownerReadWrite = QFileDevice::ReadOwner |
                                                    QFileDevice::WriteOwner |
                                                    QFileDevice::ReadUser | QFileDevice::WriteUser;
    auto client = std::make_unique<WireGuardClient>();
    client->setConnectionParameters(parameters());
    QVERIFY(client->connectToServer());
    WireGuardClient::setKeyFileCreatedHookForTesting(nullptr);
    QCOMPARE(sizeAtCreation, qint64(0));
    QCOMPARE(atCreation, ownerReadWrite);
    QCOMPARE(QFileInfo(configFolder()).permissions() &
                 ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser),
             QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString keyFile = client->configFilePath();
    QTRY_VERIFY_WITH_TIMEOUT(client->connectionState() == ConnectionState::Connected, 10000);
    QVERIFY(QFileInfo::exists(keyFile));

    // Gone once the "--remove" run, which still reads it, has finished.
    client->disconnectFromServer();
    QTRY_VERIFY_WITH_TIMEOUT(m_service->runningPrograms(QStringLiteral("wireguard-service")) == 0,
                             10000);
    QTRY_VERIFY(!QFileInfo::exists(keyFile));
    QVERIFY(QFileInfo::exists(keyFile + QStringLiteral(".removed")));

    // And with the client that wrote it.
    QVERIFY(client->writeConfigFile());
    QVERIFY(QFileInfo::exists(client->configFilePath()));
    client.reset();
    QVERIFY(!QFileInfo::exists(keyFile));
}

void WireGuardTest::processEndPaths()
{
    qputenv("FAKE_WG_SCRIPT", ">STATE:CONNECTED");
    LogCapture log;
    auto client = std::make_unique<WireGuardClient>();
    QSignalSpy states(client.get(), &VpnClient::connectionStateChanged);
    client->setConnectionParameters(parameters());
    QVERIFY(client->connectToServer());
    QTRY_VERIFY_WITH_TIMEOUT(client->connectionState() == ConnectionState::Connected, 10000);
    // An end report while the tunnel program still runs changes nothing.
    const int before = states.count();
    m_service->notify(QStringLiteral("finished:0,0,wireguard-service"));
    QVERIFY(log.waitFor(QStringLiteral("WireGuardClient: Process in running state")));
    QCOMPARE(states.count(), before);
    QVERIFY(!log.contains(QStringLiteral("WireGuardClient: Process is finished")));

    // Destroyed while running: Disconnecting and the "--remove" run, never Reconnecting.
    m_service->clearFrames();
    client.reset();
    QCOMPARE(statesOf(states).mid(before), QList<State>({ConnectionState::Disconnecting}));
    QVERIFY(m_service->waitForFrames(1));
    QVERIFY(m_service->frames().first().contains(QStringLiteral("\"--remove\"")));
    // The next handle starts while the removal's reports may still be on their way: each start
    // answer is tied to its request, so the removal's is nobody's.
    QTRY_COMPARE_WITH_TIMEOUT(m_service->runningPrograms(QStringLiteral("wireguard-service")), 0,
                              10000);

    // A tunnel program that dies before it reports: Disconnected with "CrashExit", then
    // Reconnecting.
    m_lab.reset();
    m_lab = std::make_unique<TunnelLab>();
    QVERIFY(m_lab->linkWireGuard(QStringLiteral("/bin/false")));
    QVERIFY(m_lab->linkNetworkTool(QStringLiteral("/bin/true")));
    WireGuardClient crashing;
    QSignalSpy crashStates(&crashing, &VpnClient::connectionStateChanged);
    crashing.setConnectionParameters(parameters());
    QVERIFY(crashing.connectToServer());
    QTRY_VERIFY_WITH_TIMEOUT(statesOf(crashStates).contains(ConnectionState::Reconnecting), 10000);
    QVERIFY(log.contains(QStringLiteral("WireGuardClient: Process finished with code: 1")));
    const QList<State> all = statesOf(crashStates);
    QCOMPARE(all.mid(all.lastIndexOf(ConnectionState::Disconnected)),
             QList<State>({ConnectionState::Disconnected, ConnectionState::Reconnecting}));
    QCOMPARE(crashStates.at(all.lastIndexOf(ConnectionState::Disconnected)).at(1).toString(),
             QStringLiteral("CrashExit"));

    // A tunnel program the service cannot start ends the attempt as well.
    QVERIFY(m_lab->linkWireGuard(QStringLiteral("/etc/passwd")));
    WireGuardClient unstartable;
    QSignalSpy unstartableStates(&unstartable, &VpnClient::connectionStateChanged);
    unstartable.setConnectionParameters(parameters());
    QVERIFY(unstartable.connectToServer());
    QTRY_VERIFY_WITH_TIMEOUT(statesOf(unstartableStates).contains(ConnectionState::Disconnected),
                             10000);
    QVERIFY(log.contains(QStringLiteral("WireGuardClient: Process finished with code: 2")));
}

void WireGuardTest::reportLineHandling()
{
    // The traffic lines come in one write, so the batch has to stop at the three-part one. The
    // last write waits until the test has seen that stop.
    QTemporaryDir folder;
    const QString gate = folder.filePath(QStringLiteral("gate"));
    qputenv("FAKE_WG_SCRIPT", QStringLiteral(">STATE:ERROR:handshake failed|>STATE:CONNECTED|"
                                             ">STATE:ERROR~>BYTECOUNT:1 KiB, 2 KiB, 3 KiB~"
                                             ">BYTECOUNT:4 KiB, 8 KiB|wait:%1|>STATE:CONNECTED")
                                  .arg(gate)
                                  .toUtf8());
    WireGuardClient client;
    QSignalSpy states(&client, &VpnClient::connectionStateChanged);
    QSignalSpy bytes(&client, &VpnClient::byteCountChanged);
    client.setConnectionParameters(parameters());
    QVERIFY(client.connectToServer());
    QTRY_VERIFY_WITH_TIMEOUT(statesOf(states).count(ConnectionState::Error) == 2, 10000);
    for (const QList<QVariant>& change : states) {
        if (change.at(0).value<State>() != ConnectionState::Error)
            continue;
        // A bare ">STATE:ERROR" keeps the text of the one before.
        QCOMPARE(change.at(1).toString(), QStringLiteral("handshake failed"));
        QCOMPARE(change.at(2).toBool(), true);
    }
    // The three-part traffic line ends its batch; the next report goes on with the line after it.
    QCOMPARE(bytes.count(), 0);
    QFile opened(gate);
    QVERIFY(opened.open(QIODevice::WriteOnly));
    QTRY_COMPARE_WITH_TIMEOUT(bytes.count(), 1, 5000);
    QCOMPARE(bytes.first().at(0).toULongLong(), quint64(4096));
    QCOMPARE(bytes.first().at(1).toULongLong(), quint64(8192));
    client.disconnectFromServer();
    QTRY_VERIFY_WITH_TIMEOUT(client.connectionState() == ConnectionState::Disconnected, 10000);
}

void WireGuardTest::missingExecutableIsAnError()
{
    m_lab = std::make_unique<TunnelLab>();
    WireGuardClient client;
    QSignalSpy states(&client, &VpnClient::connectionStateChanged);
    client.setConnectionParameters(parameters());
    const QString message =
        QStringLiteral("Executable '%1' does not exists").arg(client.executablePath());
    QTest::ignoreMessage(QtCriticalMsg, qPrintable(QStringLiteral("WireGuardClient: ") + message));
    QVERIFY(!client.connectToServer());
    QCOMPARE(states.last().at(0).value<State>(), ConnectionState::Error);
    QCOMPARE(states.last().at(1).toString(), message);

    WireGuardClient empty;
    QTest::ignoreMessage(QtCriticalMsg, "WireGuardClient: Server name is empty!");
    QVERIFY(!empty.connectToServer());
}

void WireGuardTest::forgedReportOfAnotherUserChangesNothing()
{
    if (!ForeignPeer::canRun())
        QSKIP("Acting as another user needs root and setpriv");
    QTemporaryDir gates;
    const QString gate = gates.filePath(QStringLiteral("gate"));
    QVERIFY(m_lab->linkWireGuard(
        m_lab->gated(QStringLiteral("wireguard-service"), TunnelLab::fakeWireGuard(), gate)));
    WireGuardClient client;
    QSignalSpy states(&client, &VpnClient::connectionStateChanged);
    client.setConnectionParameters(parameters());
    LogCapture log;
    QVERIFY(client.connectToServer());

    ForeignPeer intruder;
    QVERIFY(intruder.start(
        {QStringLiteral("send"), QStringLiteral("61976"), QStringLiteral(">STATE:CONNECTED")}));
    QCOMPARE(intruder.waitForExit(), 0); // closed by the client
    QCOMPARE(intruder.output(), QByteArray());
    QVERIFY(log.contains(QStringLiteral("TcpServer: Refused peer from port ")));
    QTest::qWait(200);
    QCOMPARE(statesOf(states), QList<State>({ConnectionState::Connecting}));

    QFile opened(gate);
    QVERIFY(opened.open(QIODevice::WriteOnly));
    QTRY_VERIFY_WITH_TIMEOUT(statesOf(states).contains(ConnectionState::Connected), 10000);
    client.disconnectFromServer();
    QTRY_VERIFY_WITH_TIMEOUT(client.connectionState() == ConnectionState::Disconnected, 10000);
}
