#include "instancefile.h"

#include "tunnellink.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QThread>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const folders[] = {"/run/corvalink", "/run/corvalink/wireguard"};

bool privateFolders()
{
    for (const char* folder : folders) {
        mkdir(folder, 0700);
        struct stat info;
        if (lstat(folder, &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != geteuid() ||
            (info.st_mode & 0022) != 0)
            return false;
    }
    return true;
}

QByteArray readAll(int fd)
{
    QByteArray bytes;
    char buffer[512];
    ssize_t n = 0;
    lseek(fd, 0, SEEK_SET);
    while ((n = read(fd, buffer, sizeof buffer)) > 0 && bytes.size() < 4096)
        bytes.append(buffer, int(n));
    return bytes;
}

QString field(const QByteArray& state, const char* name)
{
    const QByteArray prefix = QByteArray(name) + '=';
    for (const QByteArray& line : state.split('\n')) {
        if (line.startsWith(prefix))
            return QString::fromLatin1(line.mid(prefix.size()));
    }
    return QString();
}

bool lockWithin(int fd, int timeoutMs)
{
    for (int waited = 0; waited <= timeoutMs; waited += 100) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        QThread::msleep(100);
    }
    return false;
}

} // namespace

InstanceFile::~InstanceFile()
{
    release();
}

uid_t InstanceFile::requestingUid()
{
    bool ok = false;
    const uint uid = qEnvironmentVariable("CORVALINK_USER_UID").toUInt(&ok);
    return ok ? uid_t(uid) : getuid();
}

QString InstanceFile::pathFor(const QString& configPath)
{
    const QByteArray name =
        QCryptographicHash::hash(QDir::cleanPath(configPath).toUtf8(), QCryptographicHash::Sha256)
            .toHex()
            .left(32);
    return QStringLiteral("/run/corvalink/wireguard/") + QString::fromLatin1(name) +
           QStringLiteral(".state");
}

QString InstanceFile::resolvConfCopyFor(const QString& configPath)
{
    QString path = pathFor(configPath);
    path.chop(int(sizeof ".state") - 1);
    return path + QStringLiteral(".resolv.conf");
}

bool InstanceFile::claim(const QString& configPath, QString* error, const LogSink& log)
{
    m_path = pathFor(configPath);
    if (!privateFolders()) {
        *error = QStringLiteral("the state folder is not private");
        return false;
    }
    m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC,
                  0600);
    if (m_fd < 0 || flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        *error = QStringLiteral("another instance runs this configuration");
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
        return false;
    }
    // A state we could lock belongs to a run that died; the client does not always remove it.
    const QByteArray state = readAll(m_fd);
    if (!state.isEmpty())
        removeLeftovers(state, configPath, log);
    record(QString(), QString());
    return true;
}

void InstanceFile::record(const QString& interface, const QString& endpointRoute)
{
    if (m_fd < 0)
        return;
    const QByteArray text =
        "pid=" + QByteArray::number(getpid()) + "\nuid=" + QByteArray::number(requestingUid()) +
        "\ninterface=" + interface.toLatin1() + "\nendpoint=" + endpointRoute.toLatin1() + '\n';
    if (ftruncate(m_fd, 0) == 0)
        (void)!pwrite(m_fd, text.constData(), size_t(text.size()), 0);
}

void InstanceFile::release()
{
    if (m_fd < 0)
        return;
    unlink(QFile::encodeName(m_path).constData());
    ::close(m_fd);
    m_fd = -1;
}

bool InstanceFile::stop(const QString& configPath, int timeoutMs, QString* error,
                        const LogSink& log)
{
    const QByteArray path = QFile::encodeName(pathFor(configPath));
    const int fd = ::open(path.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return true; // nothing runs for this configuration
    if (field(readAll(fd), "uid") != QString::number(requestingUid())) {
        ::close(fd);
        *error = QStringLiteral("the instance belongs to another user");
        return false;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const pid_t pid = pid_t(field(readAll(fd), "pid").toInt());
        // The lock proves the instance still runs, so the id is still its own.
        if (pid > 1)
            kill(pid, SIGTERM);
        if (!lockWithin(fd, timeoutMs)) {
            ::close(fd);
            *error = QStringLiteral("the instance did not end in time");
            return false;
        }
    }
    struct stat info;
    if (fstat(fd, &info) == 0 && info.st_nlink > 0) {
        // Still named: its owner ended without cleaning up.
        removeLeftovers(readAll(fd), configPath, log);
        unlink(path.constData());
    }
    ::close(fd);
    return true;
}

void InstanceFile::removeLeftovers(const QByteArray& state, const QString& configPath,
                                   const LogSink& log)
{
    TunnelLink::removeLeftovers(field(state, "interface"), field(state, "endpoint"),
                                resolvConfCopyFor(configPath), log);
}
