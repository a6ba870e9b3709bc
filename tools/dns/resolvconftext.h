#pragma once

#include <QByteArray>
#include <QStringList>

// The texts of /etc/resolv.conf the tool writes.
class ResolvConfText
{
public:
    // Our servers in a marked block first, the file's other lines after it.
    static QByteArray withServers(const QByteArray& current, const QStringList& servers);
    // Without our block and without the tunnel's own DNS addresses: the default of "reset".
    static QByteArray withoutTunnelServers(const QByteArray& current);
    // A text we may write back: bounded, no control characters, every "nameserver" an address.
    static bool isAcceptable(const QByteArray& text);
    // True when mountinfo lists the path as a mount point (a bind-mounted file).
    static bool isMountPoint(const QByteArray& mountinfo, const QString& path);
    // The file that new content for "path" goes into in place, or empty for a rename over "path":
    // "path" when it is a mount point, else linkTarget (the canonical target of a link at "path",
    // or empty) when that is one, as "ip netns exec" mounts over the target of a link.
    static QString inPlacePath(const QByteArray& mountinfo, const QString& path,
                               const QString& linkTarget);
};
