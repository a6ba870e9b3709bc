#pragma once

#include <QHostAddress>
#include <QString>

// Who may speak on the local channels (the tunnel programs' report ports and the service link):
// only a peer whose socket belongs to the system or to the user the client runs as. Any other
// local user could otherwise read the credentials, forge states or pose as the service.
class LocalPeerTrust
{
public:
    enum Verdict
    {
        Accept,
        Refuse
    };

    // The pure rule; an empty owner is one that could not be told.
    static Verdict decide(const QString& owner, const QString& ownAccount,
                          const QString& systemAccount);
    // The rule for the peer of our connection: the socket whose own end is exactly our peer's
    // address and port and whose peer is exactly ours. The owner found (empty when unknown) is
    // handed back for the log.
    static Verdict checkPeer(const QHostAddress& ourAddress, quint16 ourPort,
                             const QHostAddress& peerAddress, quint16 peerPort,
                             QString* owner = nullptr);
    // For the log: the owner or "unknown".
    static QString ownerText(const QString& owner);
};
