// Both ends of the prober's namespace tests.
// "probe ADDRESS..." runs one MultiPing round and prints "sorted ADDRESS VALUE" per
// requestFinished, "round ENTRY..." per lastRequestFinished and "elapsed MS" after each round.
// "respond ADDRESS=DELAY..." answers echo requests to each address after its delay in
// milliseconds, from a raw socket bound to that address, and prints "ready" once listening.
#include "core/multiping.h"
#include "platform/icmpecho.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTimer>
#include <QtEndian>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace {

int probe(const QStringList& addresses)
{
    MultiPing ping;
    QElapsedTimer clock;
    QTextStream out(stdout);
    QObject::connect(&ping, &MultiPing::requestFinished, [&](const QString& address, quint16 ms) {
        out << "sorted " << address << ' ' << ms << Qt::endl;
    });
    QObject::connect(&ping, &MultiPing::lastRequestFinished, [&](const QStringList& results) {
        out << "round " << results.join(QLatin1Char(' ')) << "\nelapsed " << clock.elapsed()
            << Qt::endl;
        // Lingers so that a second round would show.
        QTimer::singleShot(300, qApp, &QCoreApplication::quit);
    });
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(2); });
    clock.start();
    ping.sendRequest(addresses);
    return QCoreApplication::exec();
}

void answer(int socket, int delayMs)
{
    char buffer[2048];
    sockaddr_in from{};
    socklen_t fromLength = sizeof from;
    ssize_t length;
    while ((length = ::recvfrom(socket, buffer, sizeof buffer, MSG_DONTWAIT,
                                reinterpret_cast<sockaddr*>(&from), &fromLength)) > 0) {
        const int header = (uchar(buffer[0]) & 0x0f) * 4;
        if (length < header + 8 || buffer[header] != 8)
            continue;
        QByteArray reply(buffer + header, int(length) - header);
        reply[0] = 0;
        qToBigEndian(quint16(0), reply.data() + 2);
        qToBigEndian(IcmpEcho::checksum(reply), reply.data() + 2);
        QTimer::singleShot(delayMs, qApp, [socket, reply, from] {
            ::sendto(socket, reply.constData(), size_t(reply.size()), 0,
                     reinterpret_cast<const sockaddr*>(&from), sizeof from);
        });
    }
}

int respond(const QStringList& delayedAddresses)
{
    for (const QString& delayed : delayedAddresses) {
        const QString address = delayed.section(QLatin1Char('='), 0, 0);
        const int delayMs = delayed.section(QLatin1Char('='), 1).toInt();
        const int socket = ::socket(AF_INET, SOCK_RAW | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        if (socket < 0 ||
            ::inet_pton(AF_INET, address.toLatin1().constData(), &local.sin_addr) != 1 ||
            ::bind(socket, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0)
            return 1;
        auto* notifier = new QSocketNotifier(socket, QSocketNotifier::Read, qApp);
        QObject::connect(notifier, &QSocketNotifier::activated, qApp,
                         [socket, delayMs] { answer(socket, delayMs); });
    }
    QTextStream(stdout) << "ready" << Qt::endl;
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(2);
    const QString mode = app.arguments().value(1);
    if (mode == QLatin1String("probe"))
        return probe(arguments);
    if (mode == QLatin1String("respond"))
        return respond(arguments);
    return 1;
}
