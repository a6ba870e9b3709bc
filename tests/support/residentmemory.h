#pragma once

#include <QtGlobal>

// This process's resident memory (VmRSS), for bounds on what hostile input may make it hold.
class ResidentMemory
{
public:
    // In KiB; -1 when it cannot be read.
    static qint64 kib();
    // False under the sanitizers, whose quarantine and shadow memory would count as ours.
    static constexpr bool boundsHold()
    {
#ifdef CORVALINK_SANITIZE
        return false;
#else
        return true;
#endif
    }
};
