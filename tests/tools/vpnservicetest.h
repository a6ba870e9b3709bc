#pragma once

#include <QObject>

// The client's own service link and process handles against the real vpn-service.
class VpnServiceTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void startReportsIdsInEventOrder();
    void stopAndKillReachTheRun();
    void droppedClientGetsWhatItMissed();
};
