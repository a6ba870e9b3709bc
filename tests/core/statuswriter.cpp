// Sets one protection flag, says so, and waits to be killed: a client that dies right after.
#include "core/status.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QThread>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Status status;
    const QString flag = app.arguments().value(1);
    if (flag == QLatin1String("killswitch"))
        status.setKillswitchActivated(true);
    else if (flag == QLatin1String("dns"))
        status.setDnsActivated(true);
    QTextStream(stdout) << "set" << Qt::endl;
    for (;;)
        QThread::sleep(1);
}
