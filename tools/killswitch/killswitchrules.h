#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <sys/types.h>

// The nftables input of the tool, as text.
class KillSwitchRules
{
public:
    static QString tableName();
    // Replaces our table in one transaction. serverAddress is canonical; uids may reach it
    // outside the tunnel; localPrefixes (canonical, may be empty) are let through, but for DNS
    // when blockDns.
    static QString enableRuleset(const QString& serverAddress, const QList<uid_t>& uids,
                                 const QStringList& localPrefixes, bool blockDns = false);
    // Removes our table, and only ours; no error when it is missing.
    static QString disableRuleset();
    // The directly connected subnets of "ip -j route" output, canonical, tunnel devices left out.
    static QStringList connectedPrefixes(const QByteArray& routesJson);
    // Link-local and discovery ranges plus the connected subnets (private ranges when none are
    // known), without prefixes that another one covers.
    static QStringList localPrefixes(const QStringList& connected);
};
