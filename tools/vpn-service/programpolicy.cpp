#include "programpolicy.h"

#include <QDir>

QStringList ProgramPolicy::names()
{
    return {QStringLiteral("openvpn"), QStringLiteral("wireguard-service"),
            QStringLiteral("network-tool"), QStringLiteral("killswitch"), QStringLiteral("dns")};
}

QString ProgramPolicy::relativePath(const QString& name)
{
    if (name == QLatin1String("openvpn"))
        return QStringLiteral("openvpn/bin/openvpn");
    if (name == QLatin1String("wireguard-service"))
        return QStringLiteral("wireguard/bin/wireguard-service");
    return names().contains(name) ? name : QString();
}

QString ProgramPolicy::nameFor(const QString& requestedPath, const QString& installDir,
                               QString* problem)
{
    const QStringList segments = requestedPath.split(QLatin1Char('/'));
    if (segments.contains(QStringLiteral("..")) || segments.contains(QStringLiteral(".")))
        *problem = QStringLiteral("the path holds '..' or '.'");
    else if (!requestedPath.startsWith(installDir + QLatin1Char('/')))
        *problem = QStringLiteral("the path is outside the installation folder");
    else if (QDir::cleanPath(requestedPath) != requestedPath)
        *problem = QStringLiteral("the path is not in its plain form");
    if (!problem->isEmpty())
        return QString();
    for (const QString& name : names()) {
        if (requestedPath == installDir + QLatin1Char('/') + relativePath(name))
            return name;
    }
    *problem = QStringLiteral("not a program of the service");
    return QString();
}
