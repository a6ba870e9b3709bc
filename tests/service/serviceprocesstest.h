#pragma once

#include <QObject>

class FakeService;

class ServiceProcessTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void startQuotesEveryElement();
    void commandBreakingElementsAreRefused();
    void parsesNotifications_data();
    void parsesNotifications();
    void startedWithCodeZeroRuns();
    void startedWithErrorCodeGivesErrorAndStateZero();
    void endReportCountsOnlyForOwnRunsUnlessItHasNoId();
    void runsInFlightAreTiedToTheirHandle();
    void startAnswersReachOnlyTheHandleThatAsked();
    void namesDifferingOnlyInCaseAreIgnored();

private:
    FakeService* m_service = nullptr;
};
