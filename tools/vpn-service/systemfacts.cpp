#include "systemfacts.h"

#include "platform/linux/socketdiag.h"
#include "platform/sockettable.h"
#include "processstatus.h"

#include <QDir>
#include <QFile>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace {

const int maxGroups = 1024;
const qint64 maxStatusBytes = 4096;

bool accountOf(uid_t uid, QByteArray* name, gid_t* gid, QByteArray* home = nullptr)
{
    std::vector<char> buffer(16384);
    struct passwd entry = {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return false;
    *name = QByteArray(found->pw_name);
    *gid = found->pw_gid;
    if (home)
        *home = QByteArray(found->pw_dir ? found->pw_dir : "");
    return true;
}

} // namespace

qint64 SystemFacts::listenerOwner(quint16 port)
{
    const QVector<SocketTable::Row> rows = SocketDiag::tableRows();
    return SocketTable::listeningOwner(rows, QHostAddress(QHostAddress::LocalHost), port);
}

qint64 SystemFacts::peerOwner(const QHostAddress& ourAddress, quint16 ourPort,
                              const QHostAddress& peerAddress, quint16 peerPort)
{
    return SocketDiag::peerOwner(ourAddress, ourPort, peerAddress, peerPort);
}

bool SystemFacts::hasProcessOf(uid_t uid)
{
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool isPid = false;
        entry.toUInt(&isPid);
        if (!isPid)
            continue;
        QFile status(QStringLiteral("/proc/%1/status").arg(entry));
        if (status.open(QIODevice::ReadOnly) &&
            ProcessStatus::hasUid(status.read(maxStatusBytes), uid))
            return true;
    }
    return false;
}

QVector<gid_t> SystemFacts::groupsOf(uid_t uid)
{
    QByteArray name;
    gid_t primary = 0;
    if (!accountOf(uid, &name, &primary))
        return {};
    std::vector<gid_t> groups(maxGroups);
    int count = maxGroups;
    if (::getgrouplist(name.constData(), primary, groups.data(), &count) < 0)
        return {};
    return QVector<gid_t>(groups.begin(), groups.begin() + count);
}

qint64 SystemFacts::primaryGroup(uid_t uid)
{
    QByteArray name;
    gid_t primary = 0;
    return accountOf(uid, &name, &primary) ? qint64(primary) : -1;
}

qint64 SystemFacts::groupId(const QString& name)
{
    std::vector<char> buffer(16384);
    struct group entry = {};
    struct group* found = nullptr;
    if (::getgrnam_r(name.toLocal8Bit().constData(), &entry, buffer.data(), buffer.size(),
                     &found) != 0 ||
        !found)
        return -1;
    return found->gr_gid;
}

QString SystemFacts::homeOf(uid_t uid)
{
    QByteArray name;
    gid_t gid = 0;
    QByteArray home;
    return accountOf(uid, &name, &gid, &home) ? QFile::decodeName(home) : QString();
}
