#pragma once

#include <QString>
#include <QVector>

// One tunnel-capable network adapter: its description and interface index.
struct NetworkInterface
{
    QString name;
    qint32 index = 0;
};

using NetworkInterfaces = QVector<NetworkInterface>;
