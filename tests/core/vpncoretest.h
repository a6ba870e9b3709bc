#pragma once

#include "support/tunnellab.h"

#include <QObject>
#include <QTemporaryDir>

#include <memory>

class FakeService;
class VpnCore;

// The connection controller end to end: the fake service runs the fake tunnel programs and the
// tools, and the tests read on the wire what the controller asked for and in which order.
class VpnCoreTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void userDisconnectReleasesProtectionEvenAfterCrashExit();
    void automaticTcpPortIsSearchedFirst();
    void failedPortSearchShowsNoPortsAndCancelledSearchNeverStartsTunnel();
    void crashesReconnectUnderHeldProtectionAndFourthGivesUp();
    void unansweredWireGuardHandshakesAreFailedReconnections();
    void dropWithoutReconnectionHoldsProtectionUntilTheUserLetsGo();
    void serverSwitchSurvivesTheOldRunsLateEndReport();
    void preconditionsReportTheirErrorAndStartNothing_data();
    void preconditionsReportTheirErrorAndStartNothing();
    void onlineTimeAndTrafficFollowTheConnection();
    void currentIpFollowsTheConnectionState();
    void startupRepairUndoesWhatAnEarlierRunLeft_data();
    void startupRepairUndoesWhatAnEarlierRunLeft();
    void serverChoiceByCountryAndAutoConnection();
    void anotherUsersProtectionEndsTheAttempt();
    void pushedResolverOfEitherFamilyIsForced();

private:
    std::unique_ptr<VpnCore> makeCore();
    QStringList commands() const;
    QString recordedConfig() const;

    FakeService* m_service = nullptr;
    std::unique_ptr<TunnelLab> m_lab;
    QTemporaryDir m_records;
    int m_run = 0;
};
