#pragma once

#include <QString>

#include <sys/types.h>

// Whether a file the service runs or reads could have been put there by someone other than
// root: every component from "/" down is looked at without following links.
class TrustedPath
{
public:
    struct Entry
    {
        mode_t mode = 0;
        uid_t uid = 0;
        gid_t gid = 0;
    };

    // The rule for one component; empty when it is trusted. An ancestor may be a root-owned
    // sticky folder such as /tmp: others can add entries there but not replace root's.
    static QString entryProblem(const Entry& entry, bool last);
    // Empty when path is absolute, plain and every component trusted. With allowMissing a
    // component that does not exist ends the walk without complaint.
    static QString problem(const QString& path, bool allowMissing = false);
};
