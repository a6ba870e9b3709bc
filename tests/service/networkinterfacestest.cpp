#include "networkinterfacestest.h"

#include "service/openvpnnetworkinterfaces.h"
#include "support/logcapture.h"

#include <QProcess>
#include <QtTest>

namespace {

// In the documented shape of "route print", lines ending with CR LF.
const QString routePrint = QStringLiteral(
    "===========================================================================\r\n"
    "Interface List\r\n"
    " 14...00 ff 3c 9d 8a 1b ......TAP-Windows Adapter V9\r\n"
    " 22...00 ff 51 07 ce 4a ......TAP-Windows Adapter V9 #2\r\n"
    "  8...00 12 3f a7 17 ba ......Intel(R) Ethernet Connection I219-V\r\n"
    // Shaped like an adapter line, so that only the loopback rule leaves it out.
    "  1...00 00 00 00 00 00 ......Software Loopback Interface 1\r\n"
    "  x...00 ff 11 22 33 44 ......TAP-Windows Adapter V9 #3\r\n"
    "===========================================================================\r\n"
    "IPv4 Route Table\r\n"
    "          0.0.0.0          0.0.0.0      192.168.1.1   192.168.1.100     25\r\n");

bool runIp(const QStringList& arguments)
{
    QProcess ip;
    ip.start(QStringLiteral("ip"), arguments);
    return ip.waitForFinished(10000) && ip.exitStatus() == QProcess::NormalExit &&
           ip.exitCode() == 0;
}

} // namespace

void NetworkInterfacesTest::routePrintTapAdaptersInOrder()
{
    const NetworkInterfaces found =
        OpenVpnNetworkInterfaces::parseRoutePrint(routePrint.split(QLatin1Char('\n')), true);
    QCOMPARE(found.size(), 2);
    QCOMPARE(found[0].index, 14);
    QCOMPARE(found[0].name, QStringLiteral("TAP-Windows Adapter V9"));
    QCOMPARE(found[1].index, 22);
    QCOMPARE(found[1].name, QStringLiteral("TAP-Windows Adapter V9 #2"));
}

void NetworkInterfacesTest::routePrintAllButLoopback()
{
    const NetworkInterfaces found =
        OpenVpnNetworkInterfaces::parseRoutePrint(routePrint.split(QLatin1Char('\n')), false);
    QCOMPARE(found.size(), 3);
    QCOMPARE(found[2].index, 8);
    QCOMPARE(found[2].name, QStringLiteral("Intel(R) Ethernet Connection I219-V"));
}

void NetworkInterfacesTest::logsEveryAdapterOrTheirAbsence()
{
    OpenVpnNetworkInterfaces adapters;
    QCOMPARE(adapters.objectName(), QStringLiteral("NetworkInterfaces"));
    QTest::ignoreMessage(QtCriticalMsg, "NetworkInterfaces: No VPN interfaces found");
    adapters.logInterfaces();

    adapters.detect(false);
    LogCapture log;
    adapters.logInterfaces();
    if (adapters.isEmpty()) {
        QVERIFY(log.contains(QStringLiteral("NetworkInterfaces: No network interfaces found")));
    } else {
        const NetworkInterface first = adapters.interfaces().first();
        QVERIFY(log.contains(
            QStringLiteral("NetworkInterfaces: Detected network interface, id: %1, name: '%2'")
                .arg(first.index)
                .arg(first.name)));
    }
}

void NetworkInterfacesTest::linuxSourceInNamespace_data()
{
    QTest::addColumn<bool>("withTunDevice");
    QTest::newRow("no tun device yet: the driver") << false;
    QTest::newRow("a tun device") << true;
}

void NetworkInterfacesTest::linuxSourceInNamespace()
{
    QFETCH(bool, withTunDevice);
    if (!QFile::exists(QStringLiteral("/dev/net/tun")))
        QSKIP("this machine has no TUN driver");
    const QString ns = QStringLiteral("corvalink-test-%1").arg(QCoreApplication::applicationPid());
    if (!runIp({QStringLiteral("netns"), QStringLiteral("add"), ns}))
        QSKIP("network namespaces need root");
    struct Cleanup
    {
        QString ns;
        ~Cleanup() { runIp({QStringLiteral("netns"), QStringLiteral("delete"), ns}); }
    } cleanup{ns};
    if (withTunDevice)
        QVERIFY(
            runIp({QStringLiteral("netns"), QStringLiteral("exec"), ns, QStringLiteral("ip"),
                   QStringLiteral("tuntap"), QStringLiteral("add"), QStringLiteral("dev"),
                   QStringLiteral("corvatun0"), QStringLiteral("mode"), QStringLiteral("tun")}));

    QProcess probe;
    probe.start(QStringLiteral("ip"), {QStringLiteral("netns"), QStringLiteral("exec"), ns,
                                       qEnvironmentVariable("CORVALINK_ADAPTER_PROBE")});
    QVERIFY(probe.waitForFinished(10000));
    const QString output = QString::fromUtf8(probe.readAllStandardOutput()).trimmed();
    QCOMPARE(probe.exitCode(), 0);
    if (withTunDevice)
        QVERIFY2(output.contains(QRegularExpression(QStringLiteral("^corvatun0 [1-9]\\d*$"))),
                 qPrintable(output));
    else
        QCOMPARE(output, QStringLiteral("TUN driver (/dev/net/tun) 0"));
}
