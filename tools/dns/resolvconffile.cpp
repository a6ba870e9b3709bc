#include "resolvconffile.h"

#include "resolvconftext.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

const char etc[] = "/etc";
const char path[] = "/etc/resolv.conf";
const char name[] = "resolv.conf";
const char temporary[] = ".resolv.conf.corvalink";
const int maxBytes = 64 * 1024;

QString systemError(const QString& what)
{
    return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errno)));
}

// Where new content goes in place (empty: by a rename in /etc), and whether /etc/resolv.conf is
// a link.
struct Place
{
    bool link = false;
    QString inPlace;
};

Place currentPlace()
{
    Place place;
    QString target;
    struct stat info = {};
    if (::lstat(path, &info) == 0 && S_ISLNK(info.st_mode)) {
        place.link = true;
        char canonical[PATH_MAX] = {};
        if (::realpath(path, canonical))
            target = QFile::decodeName(canonical);
    }
    QFile mountinfo(QStringLiteral("/proc/self/mountinfo"));
    if (mountinfo.open(QIODevice::ReadOnly))
        place.inPlace =
            ResolvConfText::inPlacePath(mountinfo.readAll(), QLatin1String(path), target);
    return place;
}

// Fills content and mode from a regular file that is a resolver file we may write back.
bool readContent(const QString& file, DnsData* data, QString* error)
{
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    struct stat info = {};
    const bool regular = fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    QByteArray content(maxBytes + 1, '\0');
    const ssize_t length = regular ? ::read(fd, content.data(), size_t(content.size())) : -1;
    if (fd >= 0)
        ::close(fd);
    content.truncate(int(qMax<ssize_t>(length, 0)));
    data->content = content;
    data->mode = info.st_mode & 0644;
    if (length >= 0 && ResolvConfText::isAcceptable(content))
        return true;
    *error = QStringLiteral("%1 is no plain resolver file").arg(file);
    return false;
}

bool writeAll(int fd, const QByteArray& content)
{
    return ::write(fd, content.constData(), size_t(content.size())) == content.size() &&
           ::fsync(fd) == 0;
}

// A rename cannot replace a mount point, and one beside a link would replace the link in an /etc
// shared with the host: a mounted file is written where it is.
bool writeInPlace(const QString& file, const QByteArray& content, QString* error)
{
    const int fd =
        ::open(QFile::encodeName(file).constData(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC);
    const bool ok = fd >= 0 && writeAll(fd, content);
    if (fd >= 0)
        ::close(fd);
    if (!ok)
        *error = systemError(QStringLiteral("cannot write %1").arg(file));
    return ok;
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
    if (::lstat(path, &info) != 0) {
        data->kind = DnsData::FileKind::Absent;
        return errno == ENOENT || (*error = systemError(QLatin1String(path)), false);
    }
    if (!S_ISLNK(info.st_mode)) {
        data->kind = DnsData::FileKind::File;
        return readContent(QLatin1String(path), data, error);
    }
    char target[4096] = {};
    const ssize_t length = ::readlink(path, target, sizeof target - 1);
    data->kind = DnsData::FileKind::Link;
    data->linkTarget = QString::fromLocal8Bit(target, int(qMax<ssize_t>(length, 0)));
    if (!DnsData::isLinkTarget(data->linkTarget)) {
        *error = QStringLiteral("/etc/resolv.conf links to an unexpected place");
        return false;
    }
    // A mounted target holds this namespace's own file: its content is what goes back.
    const Place place = currentPlace();
    return place.inPlace.isEmpty() || readContent(place.inPlace, data, error);
}

bool ResolvConfFile::write(const QByteArray& content, uint mode, QString* error)
{
    const QString inPlace = currentPlace().inPlace;
    if (!inPlace.isEmpty())
        return writeInPlace(inPlace, content, error);
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
    const Place place = currentPlace();
    switch (data.kind) {
    case DnsData::FileKind::File:
        return write(data.content, data.mode, error);
    case DnsData::FileKind::Link:
        // The link is the host's and stays; its mounted target is this namespace's file.
        if (place.link && !place.inPlace.isEmpty())
            return writeInPlace(place.inPlace, data.content, error);
        return replace(
            [&](int dir) {
                return ::symlinkat(data.linkTarget.toLocal8Bit().constData(), dir, temporary) == 0;
            },
            error);
    case DnsData::FileKind::Absent:
        break;
    }
    if (!place.inPlace.isEmpty()) {
        *error = QStringLiteral("/etc/resolv.conf is a mount here and stays");
        return false;
    }
    if (::unlink(path) == 0 || errno == ENOENT)
        return true;
    *error = systemError(QStringLiteral("cannot remove /etc/resolv.conf"));
    return false;
}
