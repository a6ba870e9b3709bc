#include "userfiles.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

int UserFiles::open(const QString& path, int flags, uid_t uid, gid_t gid, QString* problem)
{
    // Per thread, and the service has one: the kernel checks this open as the user's.
    ::setfsgid(gid);
    ::setfsuid(uid);
    const int fd =
        ::open(QFile::encodeName(path).constData(), flags | O_NOFOLLOW | O_CLOEXEC, 0600);
    const int error = errno;
    ::setfsuid(0);
    ::setfsgid(0);
    if (fd < 0) {
        *problem = QStringLiteral("'%1' cannot be opened as uid %2: %3")
                       .arg(path)
                       .arg(uid)
                       .arg(QString::fromLocal8Bit(std::strerror(error)));
        return -1;
    }
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
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
    if (fd < 0)
        return false;
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
