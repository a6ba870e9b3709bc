#pragma once

#include <QString>
#include <QStringList>

// One "interface@server,server…" argument of the tool.
class DnsEntry
{
public:
    // For "vpn" every server is an IP literal; for "user" the forms systemd-resolved writes
    // ("1.1.1.1:853#name", "[2606:4700::1111]:853#name", "fe80::1%eth0") are allowed too.
    static bool parse(const QString& text, bool userForms, DnsEntry* entry, QString* error);
    // 4 or 6 for a server in systemd-resolved's forms, 0 otherwise.
    static int serverFamily(const QString& server);
    // The address alone, for a resolv.conf "nameserver" line.
    static QString bareAddress(const QString& server);

    QString link;
    QStringList servers;
};
