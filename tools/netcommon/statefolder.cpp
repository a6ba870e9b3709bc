#include "statefolder.h"

#include "wholefile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isPlainAbsolute(const QByteArray& path)
{
    return path.startsWith('/') && !path.contains("/..") && !path.contains("/./") &&
           !path.endsWith("/.");
}

} // namespace

StateFolder::StateFolder(const QByteArray& path) : m_path(path) {}

StateFolder::~StateFolder()
{
    if (m_lockFd >= 0)
        ::close(m_lockFd);
    if (m_fd >= 0)
        ::close(m_fd);
}

QByteArray StateFolder::pathFromEnvironment(const char* fallback)
{
    return qEnvironmentVariableIsSet("CORVALINK_STATE_DIR") ? qgetenv("CORVALINK_STATE_DIR")
                                                            : QByteArray(fallback);
}

bool StateFolder::open(QString* error)
{
    if (!isPlainAbsolute(m_path)) {
        *error = QStringLiteral("the state folder is not an absolute plain path");
        return false;
    }
    ::mkdir(m_path.constData(), 0700);
    m_fd = ::open(m_path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat info = {};
    if (m_fd < 0 || ::fstat(m_fd, &info) != 0 || info.st_uid != 0 ||
        (info.st_mode & (S_IWGRP | S_IWOTH))) {
        *error = QStringLiteral("the state folder is missing, a link or not root's alone");
        return false;
    }
    return true;
}

bool StateFolder::read(const char* name, qint64 maxBytes, QByteArray* data) const
{
    const int fd = ::openat(m_fd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat info = {};
    const bool ours = fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                      info.st_uid == 0 && info.st_size <= maxBytes;
    QByteArray text(int(ours ? info.st_size : 0), '\0');
    const bool whole = ours && ::read(fd, text.data(), size_t(text.size())) == text.size();
    if (fd >= 0)
        ::close(fd);
    if (whole)
        *data = text;
    return whole;
}

bool StateFolder::write(const char* name, const QByteArray& data) const
{
    return WholeFile::replace(m_fd, QByteArray(name), data);
}

void StateFolder::remove(const char* name) const
{
    ::unlinkat(m_fd, name, 0);
}

bool StateFolder::lock(const char* name)
{
    const int fd = ::openat(m_fd, name, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    struct stat info = {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != 0 ||
        ::flock(fd, LOCK_EX) != 0) {
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    if (m_lockFd >= 0)
        ::close(m_lockFd);
    m_lockFd = fd;
    return true;
}
