// Stands in for the WireGuard tunnel program. "--add FILE --port N": writes a ring log "log.bin"
// beside FILE, connects to 127.0.0.1:N and plays FAKE_WG_SCRIPT (writes separated by "|", the
// lines of one write by "~"; "exit:N" ends the program with code N, "sleep:N" waits N ms,
// "wait:FILE" until FILE exists), then
// stays until a "--remove FILE" run marks the file
// as removed, says ">STATE:DISCONNECTED" and ends. Every run appends its arguments to the file
// named by FAKE_WG_RECORD.
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTcpSocket>
#include <QThread>
#include <QtEndian>

namespace {

QString argumentAfter(const QStringList& arguments, const QString& option)
{
    const int index = arguments.indexOf(option);
    return index < 0 ? QString() : arguments.value(index + 1);
}

void record(const QStringList& arguments)
{
    QFile file(qEnvironmentVariable("FAKE_WG_RECORD"));
    if (!file.fileName().isEmpty() && file.open(QIODevice::Append))
        file.write(arguments.mid(1).join(QLatin1Char(' ')).toUtf8() + '\n');
}

QByteArray ringRecord(qint64 nanoseconds, const QByteArray& text)
{
    QByteArray bytes(520, '\0');
    qToLittleEndian<qint64>(nanoseconds, reinterpret_cast<uchar*>(bytes.data()));
    bytes.replace(8, text.size(), text);
    return bytes;
}

void writeRingLog(const QString& configPath)
{
    QFile file(QFileInfo(configPath).absolutePath() + QStringLiteral("/log.bin"));
    if (!file.open(QIODevice::WriteOnly))
        return;
    QByteArray header(8, '\0');
    qToLittleEndian<quint32>(0x0BADBABE, reinterpret_cast<uchar*>(header.data()));
    qToLittleEndian<qint32>(2, reinterpret_cast<uchar*>(header.data()) + 4);
    const qint64 now = QDateTime::currentMSecsSinceEpoch() * 1000000;
    file.write(header + ringRecord(now, "Starting WireGuard tunnel") +
               ringRecord(now, "Handshake completed"));
}

// The client closes its report listener once the run is over for it: what is still unsent then
// has nobody to go to.
void sendReport(QTcpSocket& report, const QByteArray& bytes)
{
    if (report.state() != QAbstractSocket::ConnectedState)
        return;
    report.write(bytes);
    report.waitForBytesWritten(1000);
}

QString removedMarker(const QString& configPath)
{
    return configPath + QStringLiteral(".removed");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    record(arguments);

    const QString removed = argumentAfter(arguments, QStringLiteral("--remove"));
    if (!removed.isEmpty()) {
        QFile marker(removedMarker(removed));
        return marker.open(QIODevice::WriteOnly) ? 0 : 1;
    }

    const QString config = argumentAfter(arguments, QStringLiteral("--add"));
    const quint16 port = quint16(argumentAfter(arguments, QStringLiteral("--port")).toUInt());
    if (config.isEmpty() || port == 0)
        return 2;
    QFile::remove(removedMarker(config));
    writeRingLog(config);

    QTcpSocket report;
    report.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!report.waitForConnected(5000))
        return 3;
    const QString script = qEnvironmentVariable(
        "FAKE_WG_SCRIPT", QStringLiteral(">STATE:CONNECTED|>BYTECOUNT:2.0 MiB, 512 B"));
    for (const QString& line : script.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1String("exit:")))
            return line.mid(5).toInt();
        if (line.startsWith(QLatin1String("sleep:"))) {
            QThread::msleep(line.mid(6).toULong());
            continue;
        }
        if (line.startsWith(QLatin1String("wait:"))) {
            while (!QFile::exists(line.mid(5)))
                QThread::msleep(10);
            continue;
        }
        sendReport(report,
                   QString(line).replace(QLatin1Char('~'), QLatin1Char('\n')).toUtf8() + '\n');
        QThread::msleep(50);
    }
    while (!QFile::exists(removedMarker(config)) &&
           report.state() == QAbstractSocket::ConnectedState) {
        report.waitForReadyRead(100);
    }
    sendReport(report, ">STATE:DISCONNECTED\n");
    report.disconnectFromHost();
    return 0;
}
