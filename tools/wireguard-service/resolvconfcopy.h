#pragma once

#include "dnsdata.h"

#include <QString>

// The /etc/resolv.conf a tunnel replaced, kept owner-only beside the instance's state so that
// it comes back byte for byte, also after a run that died.
class ResolvConfCopy
{
public:
    // Saves the file as it is now, which *found receives. An existing copy keeps its file, from
    // before a run that died, unless the network wrote its own since.
    static bool save(const QString& copyPath, DnsData* found, QString* error);
    // Records the text the tunnel wrote, once it is in place: a file that differs from it at the
    // end was written by the network and stays.
    static bool noteWritten(const QString& copyPath, const QByteArray& text);
    // Puts the copy back, unless the network wrote its own file since the tunnel's, and deletes
    // it. Without a copy there is nothing to do and *restored stays false.
    static bool restore(const QString& copyPath, bool* restored, QString* error);
};
