// A service client in a process of its own, for tests that need one run as another user:
//   vpn-service-probe FRAME [WAIT_MS]
// connects to ws://127.0.0.1:6457, sends FRAME, prints "frame: TEXT" per frame received and
// "closed" when the service closes the link; exits 0 after WAIT_MS (default 1500) or on close,
// 2 when no link was made.
#include <QCoreApplication>
#include <QTimer>
#include <QWebSocket>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 2)
        return 64;
    QWebSocket socket;
    bool linked = false;
    QObject::connect(&socket, &QWebSocket::connected, [&] {
        linked = true;
        socket.sendTextMessage(arguments.at(1));
    });
    QObject::connect(&socket, &QWebSocket::textMessageReceived, [](const QString& frame) {
        std::printf("frame: %s\n", qPrintable(frame.trimmed()));
        std::fflush(stdout);
    });
    QObject::connect(&socket, &QWebSocket::disconnected, [&] {
        std::printf("closed\n");
        app.exit(linked ? 0 : 2);
    });
    QTimer::singleShot(arguments.value(2, QStringLiteral("1500")).toInt(), &app,
                       [&] { app.exit(linked ? 0 : 2); });
    socket.open(QUrl(QStringLiteral("ws://127.0.0.1:6457")));
    return app.exec();
}
