#include "resolvconfcopy.h"

#include "resolvconffile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// A resolv.conf of at most 64 KiB, in base64 inside JSON.
const int maxCopyBytes = 128 * 1024;

QString systemError(const QString& what)
{
    return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errno)));
}

bool readCopy(const QString& copyPath, DnsData* data)
{
    const int fd = ::open(QFile::encodeName(copyPath).constData(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    QByteArray json;
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid() &&
              info.st_size <= maxCopyBytes;
    if (ok) {
        json.resize(int(info.st_size));
        ok = ::read(fd, json.data(), size_t(json.size())) == json.size();
    }
    ::close(fd);
    return ok && DnsData::fromJson(json, data) && data->backend == DnsData::Backend::ResolvConf;
}

// Whole or not at all: a new file beside the copy, then renamed over it.
bool writeCopy(const QString& copyPath, const QByteArray& json)
{
    const QByteArray path = QFile::encodeName(copyPath);
    const QByteArray next = path + ".new";
    ::unlink(next.constData());
    const int fd =
        ::open(next.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    bool ok = ::write(fd, json.constData(), size_t(json.size())) == json.size() && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok && ::rename(next.constData(), path.constData()) == 0;
    if (!ok)
        ::unlink(next.constData());
    return ok;
}

} // namespace

bool ResolvConfCopy::save(const QString& copyPath, DnsData* found, QString* error)
{
    if (!ResolvConfFile::read(found, error))
        return false;
    found->backend = DnsData::Backend::ResolvConf;
    DnsData copy = *found;
    DnsData earlier;
    // A copy from a run that died holds the user's file, unless the network wrote its own since.
    if (readCopy(copyPath, &earlier) && !DnsData::rewrittenSince(earlier.written, found->content))
        copy = earlier;
    if (writeCopy(copyPath, copy.toJson()))
        return true;
    *error = systemError(QStringLiteral("cannot save /etc/resolv.conf"));
    return false;
}

bool ResolvConfCopy::noteWritten(const QString& copyPath, const QByteArray& text)
{
    DnsData copy;
    if (!readCopy(copyPath, &copy))
        return false;
    copy.written = text;
    return writeCopy(copyPath, copy.toJson());
}

bool ResolvConfCopy::restore(const QString& copyPath, bool* restored, QString* error)
{
    *restored = false;
    const QByteArray path = QFile::encodeName(copyPath);
    struct stat info;
    if (::lstat(path.constData(), &info) != 0) {
        if (errno == ENOENT)
            return true;
        *error = systemError(QStringLiteral("cannot read the saved /etc/resolv.conf"));
        return false;
    }
    DnsData data;
    if (!readCopy(copyPath, &data)) {
        // Nothing in it can be trusted to be the user's file, and keeping it helps no later run.
        ::unlink(path.constData());
        *error = QStringLiteral("the saved /etc/resolv.conf is unusable, dropped");
        return false;
    }
    DnsData current;
    if (!ResolvConfFile::read(&current, error))
        return false;
    if (DnsData::rewrittenSince(data.written, current.content)) {
        // The network wrote its own since the tunnel's: that is the user's file now.
        ::unlink(path.constData());
        return true;
    }
    // A copy that could not go back stays for the next run to try again.
    if (!ResolvConfFile::restore(data, error))
        return false;
    // Gone once back, so that no later run puts it over a newer file.
    ::unlink(path.constData());
    *restored = true;
    return true;
}
