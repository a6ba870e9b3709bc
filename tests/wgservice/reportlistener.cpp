// "wgservice-report-listener PORT": accepts report connections on 127.0.0.1:PORT, one after
// another, and prints every received line; prints "listening" once ready.
#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, quint16(app.arguments().value(1).toUInt())))
        return 1;
    std::printf("listening\n");
    std::fflush(stdout);
    QObject::connect(&server, &QTcpServer::newConnection, [&server] {
        QTcpSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
            while (socket->canReadLine())
                std::printf("%s", socket->readLine().constData());
            std::fflush(stdout);
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, [socket] {
            std::printf("closed\n");
            std::fflush(stdout);
            socket->deleteLater();
        });
    });
    return app.exec();
}
