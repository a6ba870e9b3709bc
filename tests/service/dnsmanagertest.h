#pragma once

#include <QObject>

class DnsManagerTest : public QObject
{
    Q_OBJECT

private slots:
    void wmicOutputGivesUpperCaseBracedGuids();
    void kernelDebuggerAdapterIsNeverListed();
    void lowerCaseRegistryGuidMatchesWmicGuid();
    void adapterWithoutNameOrNotReportedIsSkipped();
    void familiesPairByPositionWithServersKeptAsWritten();
    void familyCountMismatchListsNothing();
    void familiesOfDifferentAdaptersAreNotPaired();
    void familyCountMismatchIsLoggedCritical();
    void tap0901ClassEntryMarksTunnelAdapter();
    void userEntryJoinsFamiliesWithoutBlankParts_data();
    void userEntryJoinsFamiliesWithoutBlankParts();
    void vpnEntriesCarryPushedAddressesForEveryAdapter();
    void pushedDnsWithQuoteNeverReachesTheTool();
    void userDnsGrammar_data();
    void userDnsGrammar();
    void tunnelDnsOnOrdinaryAdapterIsLeftBehind_data();
    void tunnelDnsOnOrdinaryAdapterIsLeftBehind();
    void tunnelAdapterIsIgnoredByLeftBehindCheck();
    void refreshAndLogWritesOneLinePerAdapter();
    void refreshReplacesThePreviousAdapters();
    void flushProcessFinishLogsItsStatus();
    void resolvConfNameserversSplitByFamily();
    void resolvectlServersPerLink();
    void linuxSourceAppliesResolvConfToEveryInterface();
};
