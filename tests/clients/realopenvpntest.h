#pragma once

#include <QObject>

class FakeService;

// Debian's own openvpn and stunnel run against our configuration and management channel; no
// tunnel comes up, nothing leaves this machine.
class RealOpenVpnTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void realOpenVpnTalksToOurManagement_data();
    void realOpenVpnTalksToOurManagement();

private:
    FakeService* m_service = nullptr;
};
