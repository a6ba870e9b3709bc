#pragma once

#include "labcontrol.h"

#include <QObject>

class Application;
class QQuickWindow;
class Scenario;
class VpnCore;

// The real client with its windows, driven from its window in the lab: real tunnels to the lab's
// provider, the real service, the real kill switch and DNS. Every case runs under the leak
// monitor; with LAB_LONG set, the cases run for every protocol they apply to.
class LabTest : public QObject
{
    Q_OBJECT

public:
    LabTest();

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void eachProtocolCarriesTraffic_data();
    void eachProtocolCarriesTraffic();
    void serverWithoutResolversLeavesNoDnsOutside();
    void serverSwitchKeepsProtection_data();
    void serverSwitchKeepsProtection();
    void unexpectedDropKeepsTheKillSwitch_data();
    void unexpectedDropKeepsTheKillSwitch();
    void killedOpenVpnReconnectsWithTheKillSwitchHeld_data();
    void killedOpenVpnReconnectsWithTheKillSwitchHeld();
    void restartedServiceReconnectsWithTheKillSwitchHeld_data();
    void restartedServiceReconnectsWithTheKillSwitchHeld();
    void purgedPackageLiftsProtection();
    void killedClientIsRepairedAtTheNextStart();
    void uplinkChangeIsFollowed_data();
    void uplinkChangeIsFollowed();
    void killSwitchDialogOpenAcrossAReconnectionKeepsProtection();
    void countrySearchThenDropReconnectsToAServer();
    void silentServerIsNoticedAndRejoined_data();
    void silentServerIsNoticedAndRejoined();
    void stoppedClientCatchesUp_data();
    void stoppedClientCatchesUp();
    void deadServerOfTheChosenCountryGivesWayToTheNext_data();
    void deadServerOfTheChosenCountryGivesWayToTheNext();
    void idleTunnelIsKept_data();
    void idleTunnelIsKept();
    void resourcesWhileConnected_data();
    void resourcesWhileConnected();

private:
    // Starts the window and connects from it: how each fault begins. The scenario watches from
    // before the click.
    QQuickWindow* connectFromTheWindow(Application& app, Scenario& scenario, bool killSwitch,
                                       const QString& country = QString());
    // A user's disconnect: the rules go with it.
    bool disconnectFromTheWindow(Application& app, QQuickWindow* window, Scenario& scenario);
    bool killSwitchPresent() const;

    LabControl m_control;
};
