#include "platform/linux/socketdiag.h"
#include "platform/platform.h"
#include "platform/sockettable.h"

#include <QDir>
#include <QFile>

#include <climits>
#include <unistd.h>

namespace Platform {

namespace {

QByteArray linkTarget(const QString& path)
{
    char target[PATH_MAX];
    const ssize_t length = ::readlink(QFile::encodeName(path).constData(), target, sizeof(target));
    return length > 0 ? QByteArray(target, int(length)) : QByteArray();
}

} // namespace

QString peerSocketOwner(const QHostAddress& ourAddress, quint16 ourPort,
                        const QHostAddress& peerAddress, quint16 peerPort)
{
    const qint64 uid = SocketDiag::peerOwner(ourAddress, ourPort, peerAddress, peerPort);
    return uid < 0 ? QString() : QString::number(uid);
}

QString loopbackListenerOwner(quint16 port)
{
    const qint64 uid = SocketTable::listeningOwner(SocketDiag::tableRows(),
                                                   QHostAddress(QHostAddress::LocalHost), port);
    return uid < 0 ? QString() : QString::number(uid);
}

QString currentAccount()
{
    // Sockets carry the effective user of the process that made them.
    return QString::number(::geteuid());
}

QString systemAccount()
{
    return QStringLiteral("0");
}

bool processListensOn(qint64 processId, const QString& address, quint16 port)
{
    if (processId <= 0)
        return false;
    const QSet<quint64> listening =
        SocketTable::listeningInodes(SocketDiag::tableRows(), QHostAddress(address), port);
    if (listening.isEmpty())
        return false;
    const QDir descriptors(QStringLiteral("/proc/%1/fd").arg(processId));
    for (const QString& entry :
         descriptors.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        if (listening.contains(SocketTable::socketInode(linkTarget(descriptors.filePath(entry)))))
            return true;
    }
    return false;
}

} // namespace Platform
