#pragma once

#include "dnsdata.h"

#include <QString>

// /etc/resolv.conf: read as it is (file, link or absent) and written without following links,
// in place when it is a bind mount (as inside "ip netns exec"), else by an atomic rename.
class ResolvConfFile
{
public:
    // Fills kind, content, mode and link target.
    static bool read(DnsData* data, QString* error);
    static bool write(const QByteArray& content, uint mode, QString* error);
    // Puts back what read() found.
    static bool restore(const DnsData& data, QString* error);
};
