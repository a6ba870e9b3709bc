#pragma once

#include <QMetaType>
#include <QString>

// The account record of the backend, with its WireGuard key material.
struct Account
{
    Account() = default;
    Account(quint64 id, const QString& username, const QString& status, const QString& updated,
            const QString& created, const QString& wgIp, const QString& wgPrivateKey);

    bool isValid() const;
    // The VPN servers' WireGuard key, fixed at build time.
    static QString builtInWireGuardPublicKey();

    quint64 id = 0;
    QString username;
    QString status;
    QString updated;
    QString created;
    QString wgIp;
    QString wgPrivateKey;
    QString wgPublicKey;
};

Q_DECLARE_METATYPE(Account)
