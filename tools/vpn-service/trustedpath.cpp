#include "trustedpath.h"

#include <QDir>
#include <QStringList>

#include <cerrno>
#include <sys/stat.h>

QString TrustedPath::entryProblem(const Entry& entry, bool last)
{
    if (S_ISLNK(entry.mode))
        return QStringLiteral("is a link");
    if (entry.uid != 0)
        return QStringLiteral("belongs to uid %1").arg(entry.uid);
    const bool stickyFolder = S_ISDIR(entry.mode) && (entry.mode & S_ISVTX);
    if ((entry.mode & S_IWOTH) && (last || !stickyFolder))
        return QStringLiteral("is writable by others");
    if ((entry.mode & S_IWGRP) && entry.gid != 0 && (last || !stickyFolder))
        return QStringLiteral("is writable by group %1").arg(entry.gid);
    return QString();
}

QString TrustedPath::problem(const QString& path, bool allowMissing)
{
    if (!path.startsWith(QLatin1Char('/')) || QDir::cleanPath(path) != path)
        return QStringLiteral("'%1' is not an absolute plain path").arg(path);
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = QStringLiteral("/");
    for (int i = -1; i < parts.size(); ++i) {
        if (i >= 0)
            current = (i == 0 ? QString() : current) + QLatin1Char('/') + parts.at(i);
        struct stat info = {};
        if (::lstat(QFile::encodeName(current).constData(), &info) != 0) {
            if (errno == ENOENT && allowMissing)
                return QString();
            return QStringLiteral("'%1' cannot be looked at").arg(current);
        }
        const QString problem =
            entryProblem({info.st_mode, info.st_uid, info.st_gid}, i == parts.size() - 1);
        if (!problem.isEmpty())
            return QStringLiteral("'%1' %2").arg(current, problem);
    }
    return QString();
}
