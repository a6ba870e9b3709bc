#include "resolvconffile.h"

#include "resolvconftext.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

const char etc[] = "/etc";
const char name[] = "resolv.conf";
const char temporary[] = ".resolv.conf.corvalink";
const int maxBytes = 64 * 1024;

QString systemError(const QString& what)
{
    return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errno)));
}

bool isBindMount()
{
    QFile mountinfo(QStringLiteral("/proc/self/mountinfo"));
    return mountinfo.open(QIODevice::ReadOnly) &&
           ResolvConfText::isMountPoint(mountinfo.readAll(), QStringLiteral("/etc/resolv.conf"));
}

bool writeAll(int fd, const QByteArray& content)
{
    return ::write(fd, content.constData(), size_t(content.size())) == content.size() &&
           ::fsync(fd) == 0;
}

// Replaces the name in /etc with what "make" created under the temporary name.
template <typename Make> bool replace(Make make, QString* error)
{
    const int dir = ::open(etc, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    bool ok = dir >= 0;
    if (ok) {
        ::unlinkat(dir, temporary, 0);
        ok = make(dir) && ::renameat(dir, temporary, dir, name) == 0;
        if (!ok)
            *error = systemError(QStringLiteral("cannot replace /etc/resolv.conf"));
        ::unlinkat(dir, temporary, 0);
        ::close(dir);
    } else {
        *error = systemError(QStringLiteral("cannot open /etc"));
    }
    return ok;
}

} // namespace

bool ResolvConfFile::read(DnsData* data, QString* error)
{
    struct stat info = {};
    if (::lstat("/etc/resolv.conf", &info) != 0) {
        data->kind = DnsData::FileKind::Absent;
        return errno == ENOENT || (*error = systemError(QStringLiteral("/etc/resolv.conf")), false);
    }
    if (S_ISLNK(info.st_mode)) {
        char target[4096] = {};
        const ssize_t length = ::readlink("/etc/resolv.conf", target, sizeof target - 1);
        data->kind = DnsData::FileKind::Link;
        data->linkTarget = QString::fromLocal8Bit(target, int(qMax<ssize_t>(length, 0)));
        if (DnsData::isLinkTarget(data->linkTarget))
            return true;
        *error = QStringLiteral("/etc/resolv.conf links to an unexpected place");
        return false;
    }
    const int fd = ::open("/etc/resolv.conf", O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    QByteArray content(maxBytes + 1, '\0');
    const ssize_t length = fd >= 0 ? ::read(fd, content.data(), size_t(content.size())) : -1;
    if (fd >= 0)
        ::close(fd);
    content.truncate(int(qMax<ssize_t>(length, 0)));
    data->kind = DnsData::FileKind::File;
    data->content = content;
    data->mode = info.st_mode & 0644;
    if (S_ISREG(info.st_mode) && length >= 0 && ResolvConfText::isAcceptable(content))
        return true;
    *error = QStringLiteral("/etc/resolv.conf is no plain resolver file");
    return false;
}

bool ResolvConfFile::write(const QByteArray& content, uint mode, QString* error)
{
    if (isBindMount()) {
        // A rename cannot replace a mount point; its file is written where it is.
        const int fd = ::open("/etc/resolv.conf", O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC);
        const bool ok = fd >= 0 && writeAll(fd, content);
        if (fd >= 0)
            ::close(fd);
        if (!ok)
            *error = systemError(QStringLiteral("cannot write /etc/resolv.conf"));
        return ok;
    }
    return replace(
        [&](int dir) {
            const int fd = ::openat(
                dir, temporary, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode & 0644);
            const bool ok = fd >= 0 && ::fchmod(fd, mode & 0644) == 0 && writeAll(fd, content);
            if (fd >= 0)
                ::close(fd);
            return ok;
        },
        error);
}

bool ResolvConfFile::restore(const DnsData& data, QString* error)
{
    switch (data.kind) {
    case DnsData::FileKind::File:
        return write(data.content, data.mode, error);
    case DnsData::FileKind::Link:
        return replace(
            [&](int dir) {
                return ::symlinkat(data.linkTarget.toLocal8Bit().constData(), dir, temporary) == 0;
            },
            error);
    case DnsData::FileKind::Absent:
        break;
    }
    if (::unlink("/etc/resolv.conf") == 0 || errno == ENOENT)
        return true;
    *error = systemError(QStringLiteral("cannot remove /etc/resolv.conf"));
    return false;
}
