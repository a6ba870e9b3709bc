#include "networknamespace.h"

#include <QFile>
#include <QList>

bool NetworkNamespace::hasUnixListener(const QByteArray& path)
{
    QFile table(QStringLiteral("/proc/self/net/unix"));
    if (!table.open(QIODevice::ReadOnly))
        return false;
    const QByteArray pathColumn = ' ' + path;
    const QList<QByteArray> lines = table.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (line.endsWith(pathColumn))
            return true;
    }
    return false;
}

bool NetworkNamespace::hasResolved()
{
    return hasUnixListener(QByteArrayLiteral("/run/systemd/resolve/io.systemd.Resolve"));
}
