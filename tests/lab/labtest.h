#pragma once

#include "labcontrol.h"

#include <QObject>

class Application;
class QQuickWindow;

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
    // Starts the window and connects from it, the kill switch up: how each fault begins.
    QQuickWindow* connectFromTheWindow(Application& app);
    // A user's disconnect: the rules go with it.
    bool disconnectFromTheWindow(Application& app, QQuickWindow* window);

    LabControl m_control;
};
