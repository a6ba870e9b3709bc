#pragma once

#include "dnsdata.h"

#include <QString>
#include <QStringList>

// Per-link DNS settings of systemd-resolved, through resolvectl.
class ResolvedLinks
{
public:
    // Checked without asking resolved, so that nothing starts it through bus activation; only
    // in the initial network namespace, whose links resolved knows.
    static bool available();
    static bool read(const QString& link, DnsData::LinkSettings* settings, QString* error);
    static bool apply(const QString& link, const DnsData::LinkSettings& settings, QString* error);
    // Drops what was set at run time on that link.
    static bool revert(const QString& link, QString* error);
    // The values of a "resolvectl dns|domain LINK" line: the words after "Link N (name):".
    static QStringList values(const QByteArray& output);
};
