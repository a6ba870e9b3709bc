#include "localpeertrust.h"

#include "platform/platform.h"

LocalPeerTrust::Verdict LocalPeerTrust::decide(const QString& owner, const QString& ownAccount,
                                               const QString& systemAccount)
{
    if (owner.isEmpty())
        return Refuse;
    return owner == systemAccount || owner == ownAccount ? Accept : Refuse;
}

LocalPeerTrust::Verdict LocalPeerTrust::checkPeer(const QHostAddress& ourAddress, quint16 ourPort,
                                                  const QHostAddress& peerAddress, quint16 peerPort,
                                                  QString* owner)
{
    const QString found = Platform::peerSocketOwner(ourAddress, ourPort, peerAddress, peerPort);
    if (owner)
        *owner = found;
    return decide(found, Platform::currentAccount(), Platform::systemAccount());
}

QString LocalPeerTrust::ownerText(const QString& owner)
{
    return owner.isEmpty() ? QStringLiteral("unknown") : owner;
}
