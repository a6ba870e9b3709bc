#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// Files named by a user are opened with that user's file-system identity and never through a
// final link: root's rights must not reach a file the user could not open.
class UserFiles
{
public:
    // A descriptor, or -1 with the reason in *problem.
    static int open(const QString& path, int flags, uid_t uid, gid_t gid, QString* problem);
    // The whole file, at most maxBytes; false with the reason when it is larger or unreadable.
    static bool read(const QString& path, uid_t uid, gid_t gid, int maxBytes, QByteArray* text,
                     QString* problem);
    // Like read(), for a file the user owns but may have left without read permission (the
    // client's WireGuard key file is mode 0): the path is resolved as the user, the file must be
    // theirs, and only then does root read it.
    static bool readOwned(const QString& path, uid_t uid, gid_t gid, int maxBytes, QByteArray* text,
                          QString* problem);
};
