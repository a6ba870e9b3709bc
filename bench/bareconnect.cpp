// The bare programs' connect time, watched the way the client watches its own: a monotonic clock
// from the first program started to the tunnel being up, OpenVPN's state read from its management
// channel as it happens, stunnel's listener and WireGuard's handshake looked for every 10 ms.
// Runs as root in the lab's client side; prints the milliseconds.
//   bare_connect openvpn CONFIG ACCOUNT_FILE [STUNNEL_CONFIG STUNNEL_PORT]
//   bare_connect wireguard INTERFACE PRIVATE_KEY PEER_KEY ENDPOINT ADDRESS PEER_ADDRESS
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <cstdio>

namespace {

const int pollMs = 10;
const int giveUpMs = 30000;

bool run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(5000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

bool listening(quint16 port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    return socket.waitForConnected(pollMs);
}

bool waitForListener(quint16 port, const QElapsedTimer& clock)
{
    while (!listening(port)) {
        if (clock.elapsed() > giveUpMs)
            return false;
        QThread::msleep(pollMs);
    }
    return true;
}

// OpenVPN with the client's own management dialogue: the password asked for on the channel.
int openVpn(const QStringList& arguments)
{
    const QString config = arguments.value(0);
    QFile accountFile(arguments.value(1));
    if (!accountFile.open(QIODevice::ReadOnly))
        return 2;
    const QList<QByteArray> account = accountFile.readAll().split('\n');
    const QString stunnelConfig = arguments.value(2);
    const quint16 stunnelPort = quint16(arguments.value(3).toUInt());

    QTcpServer management;
    if (!management.listen(QHostAddress::LocalHost))
        return 2;
    QProcess stunnel;
    QProcess openvpn;
    QElapsedTimer clock;
    clock.start();
    if (!stunnelConfig.isEmpty()) {
        stunnel.start(QStringLiteral("stunnel4"), {stunnelConfig});
        if (!waitForListener(stunnelPort, clock))
            return 1;
    }
    openvpn.start(QStringLiteral("/usr/sbin/openvpn"),
                  {QStringLiteral("--config"), config, QStringLiteral("--management"),
                   QStringLiteral("127.0.0.1"), QString::number(management.serverPort()),
                   QStringLiteral("--management-query-passwords"),
                   QStringLiteral("--management-client")});

    qint64 connectedMs = -1;
    QTcpSocket* channel = nullptr;
    QObject::connect(&management, &QTcpServer::newConnection, [&] {
        channel = management.nextPendingConnection();
        QObject::connect(channel, &QTcpSocket::readyRead, [&] {
            while (channel->canReadLine()) {
                const QByteArray line = channel->readLine().trimmed();
                if (line.startsWith(">INFO:"))
                    channel->write("state on\n");
                else if (line.startsWith(">PASSWORD:Need 'Auth'"))
                    channel->write("username 'Auth' " + account.value(0) + "\npassword 'Auth' " +
                                   account.value(1) + "\n");
                else if (line.startsWith(">STATE:") && line.contains(",CONNECTED,")) {
                    connectedMs = clock.elapsed();
                    QCoreApplication::quit();
                }
            }
        });
    });
    QTimer::singleShot(giveUpMs, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();

    if (channel) {
        channel->write("signal SIGTERM\n");
        channel->flush();
    }
    openvpn.waitForFinished(5000);
    stunnel.terminate();
    stunnel.waitForFinished(5000);
    if (connectedMs < 0)
        return 1;
    std::printf("%lld\n", connectedMs);
    return 0;
}

bool handshakeDone(const QString& interface)
{
    QProcess wg;
    wg.start(QStringLiteral("wg"),
             {QStringLiteral("show"), interface, QStringLiteral("latest-handshakes")});
    if (!wg.waitForFinished(5000))
        return false;
    const QList<QByteArray> fields = wg.readAllStandardOutput().simplified().split(' ');
    return fields.size() >= 2 && fields.at(1) != "0";
}

// wireguard-go and wg with the client's settings, the handshake looked for as the service does.
int wireGuard(const QStringList& arguments)
{
    const QString interface = arguments.value(0);
    QElapsedTimer clock;
    clock.start();
    bool up = run(QStringLiteral("wireguard-go"), {interface});
    up = up &&
         run(QStringLiteral("wg"),
             {QStringLiteral("set"), interface, QStringLiteral("private-key"), arguments.value(1),
              QStringLiteral("peer"), arguments.value(2), QStringLiteral("endpoint"),
              arguments.value(3), QStringLiteral("allowed-ips"), QStringLiteral("0.0.0.0/0"),
              QStringLiteral("persistent-keepalive"), QStringLiteral("25")});
    up = up && run(QStringLiteral("ip"), {QStringLiteral("address"), QStringLiteral("add"),
                                          arguments.value(4), QStringLiteral("dev"), interface});
    up = up && run(QStringLiteral("ip"), {QStringLiteral("link"), QStringLiteral("set"), interface,
                                          QStringLiteral("up")});
    up = up && run(QStringLiteral("ip"), {QStringLiteral("route"), QStringLiteral("add"),
                                          arguments.value(5), QStringLiteral("dev"), interface});
    qint64 connectedMs = -1;
    while (up && clock.elapsed() < giveUpMs) {
        if (handshakeDone(interface)) {
            connectedMs = clock.elapsed();
            break;
        }
        QThread::msleep(pollMs);
    }
    run(QStringLiteral("ip"), {QStringLiteral("link"), QStringLiteral("del"), interface});
    if (connectedMs < 0)
        return 1;
    std::printf("%lld\n", connectedMs);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString mode = app.arguments().value(1);
    const QStringList arguments = app.arguments().mid(2);
    if (mode == QLatin1String("openvpn") && arguments.size() >= 2)
        return openVpn(arguments);
    if (mode == QLatin1String("wireguard") && arguments.size() == 6)
        return wireGuard(arguments);
    std::fprintf(stderr, "usage: bare_connect openvpn CONFIG ACCOUNT_FILE [STUNNEL_CONFIG PORT]\n"
                         "       bare_connect wireguard INTERFACE KEY PEER_KEY ENDPOINT ADDRESS "
                         "PEER_ADDRESS\n");
    return 2;
}
