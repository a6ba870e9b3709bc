#include "fakeopenvpn.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTcpSocket>
#include <QTextStream>

#include <csignal>
#include <unistd.h>

namespace {

QString argumentAfter(const QStringList& arguments, const QString& option, int offset = 1)
{
    const int index = arguments.indexOf(option);
    return index < 0 ? QString() : arguments.value(index + offset);
}

void endOnTerm(int)
{
    _exit(qEnvironmentVariableIntValue("FAKE_OPENVPN_EXIT_CODE"));
}

} // namespace

FakeOpenVpn::FakeOpenVpn(const QStringList& arguments) : m_arguments(arguments)
{
    m_scenario = qEnvironmentVariable("FAKE_OPENVPN_SCENARIO", QStringLiteral("udp"));
    m_exitCode = qEnvironmentVariableIntValue("FAKE_OPENVPN_EXIT_CODE");
    m_byteCountTimer.setInterval(1000);
    connect(&m_byteCountTimer, &QTimer::timeout, this, &FakeOpenVpn::sendByteCount);
}

int FakeOpenVpn::start()
{
    m_record.setFileName(qEnvironmentVariable("FAKE_OPENVPN_RECORD"));
    if (!m_record.fileName().isEmpty())
        m_record.open(QIODevice::Append);
    for (const QString& argument : m_arguments.mid(1))
        record(QStringLiteral("arg: ") + argument);

    const QString config = argumentAfter(m_arguments, QStringLiteral("--config"));
    QFile configFile(config);
    if (!configFile.open(QIODevice::ReadOnly)) {
        QTextStream(stderr) << "Options error: In [CMD-LINE]:1: Error opening configuration file: "
                            << config << "\n";
        return 1;
    }
    if (!m_record.fileName().isEmpty()) {
        QFile copy(m_record.fileName() + QStringLiteral(".config"));
        if (copy.open(QIODevice::WriteOnly))
            copy.write(configFile.readAll());
    }

    m_log.setFileName(argumentAfter(m_arguments, QStringLiteral("--log-append")));
    if (!m_log.fileName().isEmpty() && m_log.open(QIODevice::Append))
        m_log.write("OpenVPN 2.6.14 x86_64-pc-linux-gnu [SSL (OpenSSL)] [LZO] [LZ4] [EPOLL] "
                    "[PKCS11] [MH/PKTINFO] [AEAD] [DCO]\n");

    std::signal(SIGTERM, endOnTerm);
    const QString host = argumentAfter(m_arguments, QStringLiteral("--management"));
    const quint16 port =
        quint16(argumentAfter(m_arguments, QStringLiteral("--management"), 2).toUInt());
    m_socket = new QTcpSocket(this);
    connect(m_socket, &QTcpSocket::readyRead, this, [this] {
        while (m_socket->canReadLine())
            onLine(QString::fromUtf8(m_socket->readLine()).chopped(1));
    });
    connect(m_socket, &QTcpSocket::disconnected, this, [this] { finish(m_exitCode); });
    m_socket->connectToHost(host, port);
    if (!m_socket->waitForConnected(5000)) {
        QTextStream(stderr) << "MANAGEMENT: connect to " << host << ":" << port << " failed\n";
        return 1;
    }
    send(QStringLiteral(
        ">INFO:OpenVPN Management Interface Version 5 -- type 'help' for more info"));
    send(QStringLiteral(">PASSWORD:Need 'Auth' username/password"));
    return QCoreApplication::exec();
}

QString FakeOpenVpn::time() const
{
    return QString::number(QDateTime::currentSecsSinceEpoch());
}

void FakeOpenVpn::record(const QString& text)
{
    if (!m_record.isOpen())
        return;
    m_record.write(text.toUtf8() + '\n');
    m_record.flush();
}

void FakeOpenVpn::send(const QString& line)
{
    m_socket->write(line.toUtf8() + "\r\n");
    m_socket->flush();
}

void FakeOpenVpn::log(const QString& flags, const QString& text)
{
    send(QStringLiteral(">LOG:%1,%2,%3").arg(time(), flags, text));
    if (m_log.isOpen()) {
        m_log.write(text.toUtf8() + '\n');
        m_log.flush();
    }
}

void FakeOpenVpn::state(const QString& fields)
{
    const QString line = QStringLiteral(">STATE:%1,%2").arg(time(), fields);
    log(QString(), QStringLiteral("MANAGEMENT: ") + line);
    send(line);
}

void FakeOpenVpn::onLine(QString line)
{
    const bool crlf = line.endsWith(QLatin1Char('\r'));
    if (crlf)
        line.chop(1);
    record(QStringLiteral("recv: ") + line + (crlf ? QStringLiteral(" [CRLF]") : QString()));
    if (line == QLatin1String("state on")) {
        send(QStringLiteral("SUCCESS: real-time state notification set to ON"));
    } else if (line == QLatin1String("log on")) {
        send(QStringLiteral("SUCCESS: real-time log notification set to ON"));
    } else if (line.startsWith(QLatin1String("username 'Auth' "))) {
        log(QStringLiteral("D"), QStringLiteral("MANAGEMENT: CMD '%1'").arg(line));
        send(QStringLiteral("SUCCESS: 'Auth' username entered, but not yet verified"));
    } else if (line.startsWith(QLatin1String("password 'Auth' "))) {
        log(QStringLiteral("D"), QStringLiteral("MANAGEMENT: CMD 'password [...]'"));
        send(QStringLiteral("SUCCESS: 'Auth' password entered, but not yet verified"));
        QTimer::singleShot(50, this, &FakeOpenVpn::connectSequence);
    } else if (line == QLatin1String("bytecount 1")) {
        log(QStringLiteral("D"), QStringLiteral("MANAGEMENT: CMD 'bytecount 1'"));
        send(QStringLiteral("SUCCESS: bytecount interval changed"));
        m_byteCountTimer.start();
    } else if (line == QLatin1String("signal SIGTERM")) {
        log(QStringLiteral("D"), QStringLiteral("MANAGEMENT: CMD 'signal SIGTERM'"));
        send(QStringLiteral("SUCCESS: signal SIGTERM thrown"));
        exitSequence();
    } else {
        send(QStringLiteral("ERROR: unknown command, enter 'help' for more options"));
    }
}

void FakeOpenVpn::connectSequence()
{
    if (m_scenario == QLatin1String("crash")) {
        finish(m_exitCode);
        return;
    }
    const bool tcp = m_scenario == QLatin1String("tcp");
    log(QStringLiteral("I"),
        QStringLiteral(
            "TCP/UDP: Preserving recently used remote address: [AF_INET]10.99.0.1:1194"));
    if (tcp) {
        log(QStringLiteral("I"),
            QStringLiteral("Attempting to establish TCP connection with [AF_INET]10.99.0.1:1194"));
        state(QStringLiteral("TCP_CONNECT,,,,,,"));
        log(QStringLiteral("I"),
            QStringLiteral("TCP connection established with [AF_INET]10.99.0.1:1194"));
    } else {
        log(QStringLiteral("I"), QStringLiteral("UDPv4 link remote: [AF_INET]10.99.0.1:1194"));
    }
    state(QStringLiteral("WAIT,,,,,,"));
    state(QStringLiteral("AUTH,,,,,,"));
    log(QString(), QStringLiteral("VERIFY OK: depth=1, CN=Corvalink Lab Test CA"));
    log(QStringLiteral("I"),
        QStringLiteral("[server] Peer Connection Initiated with [AF_INET]10.99.0.1:1194"));
    if (m_scenario == QLatin1String("wrongpw")) {
        log(QString(), QStringLiteral("AUTH: Received control message: AUTH_FAILED"));
        send(QStringLiteral(">PASSWORD:Verification Failed: 'Auth'"));
        log(QStringLiteral("I"),
            QStringLiteral("SIGTERM[soft,auth-failure] received, process exiting"));
        state(QStringLiteral("EXITING,auth-failure,,,,,"));
        finish(0);
        return;
    }
    // FAKE_OPENVPN_PUSHED_DNS: the resolvers the server pushes, separated by commas.
    QString pushedDns;
    const QStringList resolvers =
        qEnvironmentVariable("FAKE_OPENVPN_PUSHED_DNS",
                             QStringLiteral("172.16.0.1,fd00:dead:beef:cafe::1"))
            .split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& resolver : resolvers)
        pushedDns += QStringLiteral("dhcp-option DNS %1,").arg(resolver);
    log(QString(), QStringLiteral("PUSH: Received control message: 'PUSH_REPLY,%1route-gateway "
                                  "10.8.0.1,topology subnet,ping 10,ping-restart 60,ifconfig "
                                  "10.8.0.2 255.255.255.0,peer-id 0,cipher AES-256-GCM,"
                                  "protocol-flags cc-exit tls-ekm dyn-tls-crypt,tun-mtu 1500'")
                       .arg(pushedDns));
    log(QStringLiteral("I"), QStringLiteral("TUN/TAP device tun0 opened"));
    state(QStringLiteral("ASSIGN_IP,,10.8.0.2,,,,"));
    log(QStringLiteral("I"), QStringLiteral("Initialization Sequence Completed"));
    state(tcp ? QStringLiteral("CONNECTED,SUCCESS,10.8.0.2,10.99.0.1,1194,10.99.0.2,49908")
              : QStringLiteral("CONNECTED,SUCCESS,10.8.0.2,10.99.0.1,1194,,"));
}

void FakeOpenVpn::sendByteCount()
{
    send(QStringLiteral(">BYTECOUNT:%1,%2").arg(m_in).arg(m_out));
    m_in += 1024;
    m_out += 512;
    if (++m_byteCounts == 1 && m_scenario == QLatin1String("drop"))
        finish(m_exitCode);
}

void FakeOpenVpn::exitSequence()
{
    m_byteCountTimer.stop();
    log(QString(), QStringLiteral("Closing TUN/TAP interface"));
    log(QStringLiteral("I"), QStringLiteral("SIGTERM[hard,] received, process exiting"));
    state(QStringLiteral("EXITING,SIGTERM,,,,,"));
    if (m_scenario != QLatin1String("linger"))
        finish(m_exitCode);
}

void FakeOpenVpn::finish(int code)
{
    record(QStringLiteral("exit: %1").arg(code));
    if (m_socket->state() == QAbstractSocket::ConnectedState)
        m_socket->waitForBytesWritten(1000);
    _exit(code);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    FakeOpenVpn fake(app.arguments());
    return fake.start();
}
