#pragma once

#include <QByteArray>
#include <QMap>
#include <QStringList>

// The user's DNS settings as the tool found them before its first change, with what the tool
// itself put in place last: the content of "dns.dat". The file lies in the user's folder, so
// reading it checks every value again.
class DnsData
{
public:
    enum class Backend
    {
        ResolvConf,
        Resolved
    };
    enum class FileKind
    {
        Absent,
        File,
        Link
    };

    struct LinkSettings
    {
        QStringList servers;
        QStringList domains;
    };

    QByteArray toJson() const;
    static bool fromJson(const QByteArray& json, DnsData* data);
    // "~." or a search or routing domain.
    static bool isDomain(const QString& text);
    // Where /etc/resolv.conf may point: a file under /run.
    static bool isLinkTarget(const QString& target);
    // True when what the tool put in place last is known and is no longer there: the network (a
    // DHCP client, another Wi-Fi) wrote its own since, and those are the user's settings now.
    static bool rewrittenSince(const QByteArray& written, const QByteArray& current);
    static bool rewrittenSince(const QMap<QString, LinkSettings>& applied, const QString& link,
                               const LinkSettings& current);

    Backend backend = Backend::ResolvConf;
    FileKind kind = FileKind::Absent;
    QByteArray content;
    uint mode = 0644;
    QString linkTarget;
    QMap<QString, LinkSettings> links;
    // What the tool wrote to resolv.conf, or set on each link, last; empty in older files.
    QByteArray written;
    QMap<QString, LinkSettings> applied;
};
