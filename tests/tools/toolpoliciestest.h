#pragma once

#include <QObject>

// The service's decisions as pure functions, one table each.
class ToolPoliciesTest : public QObject
{
    Q_OBJECT

private slots:
    void parsesCommands_data();
    void parsesCommands();
    void checksArguments_data();
    void checksArguments();
    void namesPrograms_data();
    void namesPrograms();
    void checksOpenVpnConfig_data();
    void checksOpenVpnConfig();
    void decidesPeers_data();
    void decidesPeers();
    void judgesPathEntries_data();
    void judgesPathEntries();
    void buildsToolEnvironments();
    void noticesHeldForALaterLinkLoseTheirRequest();
    void decidesOwnership_data();
    void decidesOwnership();
    void keepsOwnershipAcrossRestarts();
    void limitsEachUser_data();
    void limitsEachUser();
    void findsProcessesOfAUser();
};
