#pragma once

#include <QObject>

class FakeService;

class VpnClientTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void repeatedStateIsSilent();
    void stateChangeCarriesSameTextTwiceAndBanner();
    void signalsHaveTheStringSignatures();
    void statisticsAreStoredAndEmitted();
    void insertsAdditionalDataLines();
    void namesProtocols_data();
    void namesProtocols();
    void writesPreparedConfigFromTemplate();
    void missingTemplateIsCritical();
    void destroyingClientDeletesConfigFile();
    void ipv6SettingStartsNetworkTool();
    void tunnelLogIsTheVpnSibling();
    void findsRunningTunnelProgram();

private:
    FakeService* m_service = nullptr;
};
