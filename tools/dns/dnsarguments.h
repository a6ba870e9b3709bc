#pragma once

#include "dnsentry.h"

#include <QList>
#include <QStringList>

// "vpn ENTRY…", "user ENTRY…" or "reset".
class DnsArguments
{
public:
    enum class Mode
    {
        Vpn,
        User,
        Reset
    };

    bool parse(const QStringList& arguments, QString* error);
    // Every server of every entry, each once, in order.
    QStringList allServers() const;

    Mode mode = Mode::Reset;
    QList<DnsEntry> entries;
};
