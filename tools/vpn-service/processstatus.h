#pragma once

#include <QByteArray>

#include <sys/types.h>

// The text of /proc/PID/status.
class ProcessStatus
{
public:
    // Whether its "Uid:" line names uid as the real, effective, saved or file-system user.
    static bool hasUid(const QByteArray& status, uid_t uid);
};
