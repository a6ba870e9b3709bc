#pragma once

#include "dnsdata.h"

#include <QString>

// The /etc/resolv.conf a tunnel replaced, kept owner-only beside the instance's state so that
// it comes back byte for byte, also after a run that died.
class ResolvConfCopy
{
public:
    // Saves the file as it is now, which *found receives, with the text the tunnel is about to
    // write over it. An existing copy keeps its file, from before a run that died, unless the
    // network wrote its own since.
    static bool save(const QString& copyPath, const QByteArray& text, DnsData* found,
                     QString* error);
    // Puts the copy back, unless the network wrote its own file since the tunnel's, and deletes
    // it. Without a copy there is nothing to do and *restored stays false.
    static bool restore(const QString& copyPath, bool* restored, QString* error);
};
