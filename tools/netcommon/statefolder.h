#pragma once

#include <QByteArray>
#include <QString>

// A folder of root's alone where the root-run tools keep what they must put back: only root can
// write it, so nothing a user wrote is ever read back from it. Never followed through a link.
class StateFolder
{
public:
    explicit StateFolder(const QByteArray& path);
    ~StateFolder();
    StateFolder(const StateFolder&) = delete;
    StateFolder& operator=(const StateFolder&) = delete;

    // The folder from CORVALINK_STATE_DIR, or fallback when that is unset.
    static QByteArray pathFromEnvironment(const char* fallback);

    // Makes the folder when it is missing; false when it is not an absolute plain path, a link,
    // not root's or writable by others.
    bool open(QString* error);
    // False when the file is missing, not a regular file of root's, or larger than maxBytes.
    bool read(const char* name, qint64 maxBytes, QByteArray* data) const;
    // Whole or not at all: a new file of root's (0600) renamed over the name.
    bool write(const char* name, const QByteArray& data) const;
    void remove(const char* name) const;
    // Holds an exclusive lock on the named file for as long as this object lives, so that runs
    // that read, change and write the same state take turns.
    bool lock(const char* name);

private:
    QByteArray m_path;
    int m_fd = -1;
    int m_lockFd = -1;
};
