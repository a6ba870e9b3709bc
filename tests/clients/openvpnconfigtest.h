#pragma once

#include <QObject>

class OpenVpnConfigTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void additionalLines_data();
    void additionalLines();
    void templatesCarryKeyAndAuthority();
    void udpConfigurationFillsRemote();
    void tcpConfigurationWithIpv6AndDebug();
    void stealthRemoteStaysLocal();
    void unknownProtocolHasNoTemplate();
    void launchArgumentsInOrder();

private:
    class ServiceController* m_controller = nullptr;
};
