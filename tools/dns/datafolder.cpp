#include "datafolder.h"

#include "wholefile.h"

#include <QStringList>

#include <fcntl.h>
#include <pwd.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// Acts with the user's file-system identity for as long as it lives.
class UserIdentity
{
public:
    explicit UserIdentity(uid_t uid)
    {
        const passwd* account = ::getpwuid(uid);
        ::setfsgid(account ? account->pw_gid : uid);
        ::setfsuid(uid);
    }
    ~UserIdentity()
    {
        ::setfsuid(0);
        ::setfsgid(0);
    }
    UserIdentity(const UserIdentity&) = delete;
    UserIdentity& operator=(const UserIdentity&) = delete;
};

QString systemError(const QString& what)
{
    return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errno)));
}

bool isPlainAbsolute(const QString& path)
{
    if (!path.startsWith(QLatin1Char('/')) || path.size() > 4096)
        return false;
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    }
    return !parts.isEmpty();
}

} // namespace

DataFolder::DataFolder(const QString& path, uid_t owner) : m_path(path), m_owner(owner) {}

DataFolder::~DataFolder()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool DataFolder::open(QString* error)
{
    if (!isPlainAbsolute(m_path)) {
        *error = QStringLiteral("the data folder is not an absolute plain path");
        return false;
    }
    UserIdentity identity(m_owner);
    int fd = ::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const QStringList parts = m_path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (int i = 0; i < parts.size() && fd >= 0; ++i) {
        const QByteArray name = parts.at(i).toLocal8Bit();
        if (i == parts.size() - 1)
            ::mkdirat(fd, name.constData(), 0700);
        const int next =
            ::openat(fd, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        ::close(fd);
        fd = next;
    }
    if (fd < 0) {
        *error = systemError(QStringLiteral("cannot open the data folder without following links"));
        return false;
    }
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || info.st_uid != m_owner) {
        ::close(fd);
        *error = QStringLiteral("the data folder does not belong to the user");
        return false;
    }
    m_fd = fd;
    return true;
}

bool DataFolder::write(const QString& name, const QByteArray& data, QString* error)
{
    UserIdentity identity(m_owner);
    const bool ok = WholeFile::replace(m_fd, name.toLocal8Bit(), data);
    if (!ok)
        *error = systemError(QStringLiteral("cannot write %1").arg(name));
    return ok;
}

void DataFolder::remove(const QString& name)
{
    UserIdentity identity(m_owner);
    ::unlinkat(m_fd, name.toLocal8Bit().constData(), 0);
}
