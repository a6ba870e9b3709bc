#pragma once

#include "dnsdata.h"

#include <QString>

// The /etc/resolv.conf a tunnel replaced, kept owner-only beside the instance's state so that
// it comes back byte for byte, also after a run that died.
class ResolvConfCopy
{
public:
    // Saves the file as it is now, which *found receives. An existing copy stays: it holds the
    // file from before a run that died.
    static bool save(const QString& copyPath, DnsData* found, QString* error);
    // Puts the copy back and deletes it. Without a copy there is nothing to do and *restored
    // stays false.
    static bool restore(const QString& copyPath, bool* restored, QString* error);
};
