#pragma once

#include "fuzzsupport.h"

#include <QCoreApplication>
#include <QStringList>

namespace fuzz {

// The client's code expects an application object (QObject trees, QSettings, the network
// manager). Its log lines are dropped: one or more per input would bury libFuzzer's own output.
inline void startClient()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "corvalink-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

// The complete lines of a stream as TcpServer::readLine hands them to the tunnel clients,
// simplified as the clients do; a last line without its end is still waiting for it and is not
// read.
inline QStringList streamLines(const QByteArray& stream)
{
    QStringList lines;
    int start = 0;
    for (int end = stream.indexOf('\n'); end >= 0; end = stream.indexOf('\n', start)) {
        lines << QString::fromUtf8(stream.mid(start, end + 1 - start)).simplified();
        start = end + 1;
    }
    return lines;
}

} // namespace fuzz
