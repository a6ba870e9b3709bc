#pragma once

#include "dnsdata.h"

#include <QString>

// /etc/resolv.conf: read as it is (file, link or absent) and written without following links,
// in place when it or a link's target is a bind mount (as inside "ip netns exec"), else by an
// atomic rename.
class ResolvConfFile
{
public:
    // Fills kind, content, mode and link target; a link's content only when its target is mounted.
    static bool read(DnsData* data, QString* error);
    static bool write(const QByteArray& content, uint mode, QString* error);
    // Puts back what read() found.
    static bool restore(const DnsData& data, QString* error);
};
