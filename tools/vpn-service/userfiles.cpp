#include "userfiles.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString openProblem(const QString& path, uid_t uid, int error)
{
    return QStringLiteral("'%1' cannot be opened as uid %2: %3")
        .arg(path)
        .arg(uid)
        .arg(QString::fromLocal8Bit(std::strerror(error)));
}

int openAsUser(const QString& path, int flags, uid_t uid, gid_t gid, int* error)
{
    // Per thread, and the service has one: the kernel checks this open as the user's.
    ::setfsgid(gid);
    ::setfsuid(uid);
    const int fd =
        ::open(QFile::encodeName(path).constData(), flags | O_NOFOLLOW | O_CLOEXEC, 0600);
    *error = errno;
    ::setfsuid(0);
    ::setfsgid(0);
    return fd;
}

// Blocking again for the caller, once the descriptor is known to be a regular file.
bool isRegularFile(int fd, struct stat* info)
{
    return ::fstat(fd, info) == 0 && S_ISREG(info->st_mode) &&
           ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0;
}

bool readAll(int fd, const QString& path, int maxBytes, QByteArray* text, QString* problem)
{
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *problem = QStringLiteral("'%1' cannot be read").arg(path);
        return false;
    }
    *text = file.read(qint64(maxBytes) + 1);
    if (text->size() > maxBytes) {
        *problem = QStringLiteral("'%1' is larger than %2 bytes").arg(path).arg(maxBytes);
        return false;
    }
    return true;
}

} // namespace

int UserFiles::open(const QString& path, int flags, uid_t uid, gid_t gid, QString* problem)
{
    // Non-blocking: a FIFO or a device must not hold the whole service in open().
    int error = 0;
    const int fd = openAsUser(path, flags | O_NONBLOCK | O_NOCTTY, uid, gid, &error);
    if (fd < 0) {
        *problem = openProblem(path, uid, error);
        return -1;
    }
    struct stat info = {};
    if (!isRegularFile(fd, &info)) {
        *problem = QStringLiteral("'%1' is not a regular file").arg(path);
        ::close(fd);
        return -1;
    }
    return fd;
}

bool UserFiles::read(const QString& path, uid_t uid, gid_t gid, int maxBytes, QByteArray* text,
                     QString* problem)
{
    const int fd = open(path, O_RDONLY, uid, gid, problem);
    return fd >= 0 && readAll(fd, path, maxBytes, text, problem);
}

bool UserFiles::readOwned(const QString& path, uid_t uid, gid_t gid, int maxBytes, QByteArray* text,
                          QString* problem)
{
    int error = 0;
    const int handle = openAsUser(path, O_PATH, uid, gid, &error);
    if (handle < 0) {
        *problem = openProblem(path, uid, error);
        return false;
    }
    struct stat named = {};
    const bool owned =
        ::fstat(handle, &named) == 0 && S_ISREG(named.st_mode) && (named.st_uid == uid || uid == 0);
    // The owner could make it readable at will, so root reads nothing the user could not.
    const QByteArray reopen = "/proc/self/fd/" + QByteArray::number(handle);
    const int fd =
        owned ? ::open(reopen.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC) : -1;
    ::close(handle);
    struct stat info = {};
    if (fd < 0 || !isRegularFile(fd, &info) || info.st_ino != named.st_ino ||
        info.st_dev != named.st_dev) {
        if (fd >= 0)
            ::close(fd);
        *problem = QStringLiteral("'%1' is not a regular file of uid %2").arg(path).arg(uid);
        return false;
    }
    return readAll(fd, path, maxBytes, text, problem);
}
