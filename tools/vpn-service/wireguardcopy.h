#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// Where the service keeps its root-owned copy of a user's WireGuard file: one folder per user
// and file, so that "--remove FILE" finds the instance that user's "--add FILE" started and no
// other user's.
class WireGuardCopy
{
public:
    static constexpr int maxBytes = 16 * 1024;

    static QString folderFor(const QString& runDir, uid_t uid, const QString& file);
    static QString pathFor(const QString& runDir, uid_t uid, const QString& file);
    // The ring log the client reads beside its own file.
    static QString userLogPath(const QString& file);
    // Empty when the text is a configuration wireguard-service accepts.
    static QString problem(const QByteArray& text);
};
