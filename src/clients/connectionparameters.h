#pragma once

#include <QString>
#include <QtGlobal>

// What the controller hands a tunnel client for one connection attempt.
struct ConnectionParameters
{
    QString username;
    QString password;
    QString server;
    qint32 protocol = 0;
    quint16 port = 0;
    bool autoReconnect = false;
    bool ipv6Enabled = false;
};
