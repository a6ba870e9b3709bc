// A local peer in a process of its own, for tests that need one run by another user or as
// another program than the client:
//   send PORT TEXT      connects to 127.0.0.1:PORT, sends TEXT and a line end and prints what comes
//                       back; exits 0 when the other end closed, 1 when it stayed open for 5 s,
//                       2 when no connection was made
//   listen HOST PORT    listens and holds whatever connects until it is ended; 1 when it cannot
//   service PORT [N]    a WebSocket server on 127.0.0.1: prints "listening", then one
//                       "frame: TEXT" line per text frame it receives; with N, it answers the
//                       first frame of each link with one frame of N bytes
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QWebSocket>
#include <QWebSocketServer>

#include <cstdio>

namespace {

const int connectWaitMs = 10000;
const int openWaitMs = 5000;

void print(const QByteArray& text)
{
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
}

int sendLine(quint16 port, const QByteArray& text)
{
    QTcpSocket socket;
    QElapsedTimer waited;
    waited.start();
    // The listener may open a moment after this process starts.
    for (;;) {
        socket.connectToHost(QStringLiteral("127.0.0.1"), port);
        if (socket.waitForConnected(1000))
            break;
        socket.abort();
        if (waited.elapsed() > connectWaitMs)
            return 2;
        QThread::msleep(20);
    }
    // A listener that refuses us may have closed the connection already.
    socket.write(text + '\n');
    if (socket.state() == QAbstractSocket::ConnectedState)
        socket.waitForBytesWritten(1000);
    QByteArray received;
    QElapsedTimer open;
    open.start();
    while (socket.state() == QAbstractSocket::ConnectedState && open.elapsed() < openWaitMs) {
        socket.waitForReadyRead(100);
        received += socket.readAll();
    }
    received += socket.readAll();
    print(received);
    return socket.state() == QAbstractSocket::ConnectedState ? 1 : 0;
}

int listen(QCoreApplication& app, const QString& host, quint16 port)
{
    QTcpServer server;
    if (!server.listen(QHostAddress(host), port)) {
        std::fputs(qPrintable(server.errorString() + QLatin1Char('\n')), stderr);
        return 1;
    }
    print("listening\n");
    return app.exec();
}

int serve(QCoreApplication& app, quint16 port, int floodBytes)
{
    QWebSocketServer server(QStringLiteral("fake-peer"), QWebSocketServer::NonSecureMode);
    if (!server.listen(QHostAddress::LocalHost, port))
        return 1;
    QObject::connect(&server, &QWebSocketServer::newConnection, [&server, floodBytes] {
        while (QWebSocket* link = server.nextPendingConnection()) {
            QObject::connect(link, &QWebSocket::textMessageReceived,
                             [link, floodBytes](const QString& frame) {
                                 print("frame: " + frame.toUtf8() + '\n');
                                 if (floodBytes > 0 && !link->property("flooded").toBool()) {
                                     link->setProperty("flooded", true);
                                     link->sendTextMessage(QString(floodBytes, QLatin1Char('x')));
                                 }
                             });
        }
    });
    print("listening\n");
    return app.exec();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const QString mode = arguments.value(1);
    if (mode == QLatin1String("send") && arguments.size() == 4)
        return sendLine(quint16(arguments.at(2).toUInt()), arguments.at(3).toUtf8());
    if (mode == QLatin1String("listen") && arguments.size() == 4)
        return listen(app, arguments.at(2), quint16(arguments.at(3).toUInt()));
    if (mode == QLatin1String("service") && (arguments.size() == 3 || arguments.size() == 4))
        return serve(app, quint16(arguments.at(2).toUInt()), arguments.value(3).toInt());
    std::fputs("usage: fake-peer send PORT TEXT | listen HOST PORT | service PORT [N]\n", stderr);
    return 64;
}
