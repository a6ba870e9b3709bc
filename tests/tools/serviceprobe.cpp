// A service client in a process of its own, for tests that need one run as another user:
//   vpn-service-probe FRAME [WAIT_MS]
//   vpn-service-probe [--wait MS] [--frames N | --done] [--listen PORT] FRAME...
//   vpn-service-probe [--wait MS] --raw ADDRESS:PORT FRAME
//   vpn-service-probe [--wait MS] --flood COUNT
// The link modes connect to ws://127.0.0.1:6457, send the frames, print "frame: TEXT" per frame
// received and "closed" when the service closes the link, and ends after N frames when given
// --frames, or with --done once the link's first start request is answered: by a refusal, or by
// the end of its run (notifications held from earlier links come first and do not count);
// --listen holds a listener on
// 127.0.0.1:PORT meanwhile (a client's management or report port). --raw binds ADDRESS:PORT, writes
// the handshake and FRAME in one go, half-closes and prints "received N bytes". --flood holds COUNT
// plain connections and prints "connected N". Each exits 0 after WAIT_MS (default 1500), or on
// close; 2 when no link was made.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QWebSocket>
#include <QtEndian>

#include <sys/socket.h>

#include <cstdio>

namespace {

const quint16 servicePort = 6457;

// One masked text frame, as a client must send it.
QByteArray textFrame(const QByteArray& payload)
{
    QByteArray frame;
    frame += char(0x81);
    if (payload.size() < 126) {
        frame += char(0x80 | payload.size());
    } else {
        frame += char(0x80 | 126);
        frame += char(payload.size() >> 8);
        frame += char(payload.size() & 0xff);
    }
    const char mask[4] = {0x11, 0x22, 0x33, 0x44};
    frame += QByteArray(mask, 4);
    for (int i = 0; i < payload.size(); ++i)
        frame += char(payload.at(i) ^ mask[i % 4]);
    return frame;
}

int raw(const QString& local, const QString& frame, int waitMs)
{
    const int colon = local.lastIndexOf(QLatin1Char(':'));
    QTcpSocket socket;
    if (!socket.bind(QHostAddress(local.left(colon)), quint16(local.mid(colon + 1).toUInt())))
        return 2;
    socket.connectToHost(QHostAddress::LocalHost, servicePort);
    if (!socket.waitForConnected(3000))
        return 2;
    socket.write("GET / HTTP/1.1\r\nHost: 127.0.0.1:6457\r\nUpgrade: websocket\r\n"
                 "Connection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                 "Sec-WebSocket-Version: 13\r\n\r\n" +
                 textFrame(frame.toUtf8()));
    socket.waitForBytesWritten(1000);
    ::shutdown(int(socket.socketDescriptor()), SHUT_WR);
    qint64 received = 0;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < waitMs && socket.state() == QAbstractSocket::ConnectedState) {
        socket.waitForReadyRead(50);
        received += socket.readAll().size();
    }
    received += socket.readAll().size();
    std::printf("received %lld bytes\n", received);
    return 0;
}

int flood(int count, int waitMs)
{
    QList<QTcpSocket*> sockets;
    for (int i = 0; i < count; ++i) {
        auto* socket = new QTcpSocket;
        socket->connectToHost(QHostAddress::LocalHost, servicePort);
        sockets << socket;
    }
    int connected = 0;
    for (QTcpSocket* socket : qAsConst(sockets))
        connected += socket->waitForConnected(3000) ? 1 : 0;
    std::printf("connected %d\n", connected);
    std::fflush(stdout);
    QThread::msleep(ulong(waitMs));
    qDeleteAll(sockets);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    if (arguments.isEmpty())
        return 64;
    int waitMs = 1500;
    quint16 listenPort = 0;
    QString rawLocal;
    int floodCount = 0;
    int frameCount = 0;
    bool untilDone = false;
    if (!arguments.first().startsWith(QLatin1String("--"))) {
        waitMs = arguments.value(1, QStringLiteral("1500")).toInt();
        arguments = arguments.mid(0, 1);
    }
    while (!arguments.isEmpty() && arguments.first().startsWith(QLatin1String("--"))) {
        const QString option = arguments.takeFirst();
        const QString value = option == QLatin1String("--done") || arguments.isEmpty()
                                  ? QString()
                                  : arguments.takeFirst();
        if (option == QLatin1String("--wait"))
            waitMs = value.toInt();
        else if (option == QLatin1String("--listen"))
            listenPort = quint16(value.toUInt());
        else if (option == QLatin1String("--raw"))
            rawLocal = value;
        else if (option == QLatin1String("--flood"))
            floodCount = value.toInt();
        else if (option == QLatin1String("--frames"))
            frameCount = value.toInt();
        else if (option == QLatin1String("--done"))
            untilDone = true;
        else
            return 64;
    }
    if (floodCount > 0)
        return flood(floodCount, waitMs);
    if (!rawLocal.isEmpty())
        return arguments.isEmpty() ? 64 : raw(rawLocal, arguments.first(), waitMs);

    QTcpServer listener;
    if (listenPort != 0 && !listener.listen(QHostAddress::LocalHost, listenPort))
        return 3;
    QWebSocket socket;
    bool linked = false;
    QObject::connect(&socket, &QWebSocket::connected, [&] {
        linked = true;
        for (const QString& frame : qAsConst(arguments))
            socket.sendTextMessage(frame);
    });
    int received = 0;
    QString runId;
    QObject::connect(&socket, &QWebSocket::textMessageReceived, [&](const QString& frame) {
        std::printf("frame: %s\n", qPrintable(frame.trimmed()));
        std::fflush(stdout);
        if (++received == frameCount)
            app.exit(0);
        if (!untilDone)
            return;
        const QStringList fields = frame.trimmed().split(QLatin1Char(','));
        if (frame.startsWith(QLatin1String("started:")) && fields.size() == 4 &&
            fields.at(2) == QLatin1String("1")) {
            runId = fields.first().mid(8);
            if (fields.at(1) != QLatin1String("0"))
                app.exit(0);
        } else if (!runId.isEmpty() && frame.startsWith(QLatin1String("finished:") + runId + ',')) {
            app.exit(0);
        }
    });
    QObject::connect(&socket, &QWebSocket::disconnected, [&] {
        std::printf("closed\n");
        app.exit(linked ? 0 : 2);
    });
    QTimer::singleShot(waitMs, &app, [&] { app.exit(linked ? 0 : 2); });
    socket.open(QUrl(QStringLiteral("ws://127.0.0.1:6457")));
    return app.exec();
}
