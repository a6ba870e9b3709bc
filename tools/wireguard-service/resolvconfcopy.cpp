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

bool readCopy(int fd, QByteArray* json)
{
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != geteuid() ||
        info.st_size > maxCopyBytes)
        return false;
    json->resize(int(info.st_size));
    return ::read(fd, json->data(), size_t(json->size())) == json->size();
}

} // namespace

bool ResolvConfCopy::save(const QString& copyPath, DnsData* found, QString* error)
{
    if (!ResolvConfFile::read(found, error))
        return false;
    found->backend = DnsData::Backend::ResolvConf;
    const QByteArray path = QFile::encodeName(copyPath);
    const int fd =
        ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno == EEXIST)
            return true;
        *error = systemError(QStringLiteral("cannot save /etc/resolv.conf"));
        return false;
    }
    const QByteArray json = found->toJson();
    const bool ok =
        ::write(fd, json.constData(), size_t(json.size())) == json.size() && ::fsync(fd) == 0;
    if (!ok) {
        *error = systemError(QStringLiteral("cannot save /etc/resolv.conf"));
        ::unlink(path.constData());
    }
    ::close(fd);
    return ok;
}

bool ResolvConfCopy::restore(const QString& copyPath, bool* restored, QString* error)
{
    *restored = false;
    const QByteArray path = QFile::encodeName(copyPath);
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return true;
        *error = systemError(QStringLiteral("cannot read the saved /etc/resolv.conf"));
        return false;
    }
    QByteArray json;
    DnsData data;
    const bool readable = readCopy(fd, &json) && DnsData::fromJson(json, &data) &&
                          data.backend == DnsData::Backend::ResolvConf;
    ::close(fd);
    if (!readable) {
        // Nothing in it can be trusted to be the user's file, and keeping it helps no later run.
        ::unlink(path.constData());
        *error = QStringLiteral("the saved /etc/resolv.conf is unusable, dropped");
        return false;
    }
    // A copy that could not go back stays for the next run to try again.
    if (!ResolvConfFile::restore(data, error))
        return false;
    // Gone once back, so that no later run puts it over a newer file.
    ::unlink(path.constData());
    *restored = true;
    return true;
}
