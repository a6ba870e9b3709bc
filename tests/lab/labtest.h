#pragma once

#include "labcontrol.h"

#include <QObject>

// The real client with its windows, driven from its window in the lab: real tunnels to the lab's
// provider, the real service, the real kill switch and DNS.
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
    void unexpectedDropKeepsTheKillSwitch();
    void killedOpenVpnReconnectsWithTheKillSwitchHeld();
    void restartedServiceReconnectsWithTheKillSwitchHeld();
    void killedClientIsRepairedAtTheNextStart();

private:
    LabControl m_control;
};
