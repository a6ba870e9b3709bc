#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// One usable network adapter and the DNS servers it currently has.
struct AdapterDns
{
    QStringList ipv4Dns;
    QStringList ipv6Dns;
    QString id;
    QString name;
    bool isVpn = false;
};

using AdapterDnsList = QVector<AdapterDns>;
