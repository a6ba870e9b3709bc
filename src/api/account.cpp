#include "account.h"

namespace {

// The lab server's public key (tests/lab/wireguard); a provider build puts its servers' key here.
const char wireGuardServerPublicKey[] = CORVALINK_WIREGUARD_SERVER_KEY;

} // namespace

Account::Account(quint64 id, const QString& username, const QString& status, const QString& updated,
                 const QString& created, const QString& wgIp, const QString& wgPrivateKey)
    : id(id), username(username), status(status), updated(updated), created(created), wgIp(wgIp),
      wgPrivateKey(wgPrivateKey), wgPublicKey(builtInWireGuardPublicKey())
{
}

bool Account::isValid() const
{
    return id != 0 && status != QLatin1String("Disabled");
}

QString Account::builtInWireGuardPublicKey()
{
    return QString::fromLatin1(wireGuardServerPublicKey);
}
