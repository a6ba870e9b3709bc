#pragma once

#include <QObject>
#include <QString>

#include <memory>

class SecurityLab;

// The real service among several users of one machine, attacked as a local user would: a borrowed
// port, a frame racing its link's close, a flood, one member against another's protection, a
// holder who logs out, and crafted DNS data.
class ServiceSecurityTest : public QObject
{
    Q_OBJECT

public:
    ServiceSecurityTest();
    ~ServiceSecurityTest() override;

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void borrowedPortFromAnotherLoopbackAddressIsRefused();
    void frameRacingItsLinksCloseNeverRunsForRoot();
    void floodOfANonMemberLeavesRoomForMembers();
    void anotherMembersProtectionIsRefused();
    void aTunnelBelongsToOneUser();
    void protectionHoldsThroughTheClientsRestart();
    void loggedOutHoldersProtectionIsLifted();
    void craftedDnsDataNeverReachesTheResolver();
    void dnsOfTwoMembersEndsAsItBegan();

private:
    QString newLog() const;
    // The tool run for the user through a link of its own, until its request is answered.
    QString tool(const QString& user, const QString& name, const QStringList& arguments) const;

    std::unique_ptr<SecurityLab> m_lab;
    int m_logMark = 0;
};
