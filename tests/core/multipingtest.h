#pragma once

#include <QObject>

class MultiPingTest : public QObject
{
    Q_OBJECT

private slots:
    void emptyListEmitsNothing();
    void hostNameIsNotResolvedAndRoundEndsWithFullList();
    void newRequestDropsRunningRound();
    void deletingWhileProbingIsSafe();
    void icmpErrorsMapToIpHelperStatuses();
    void roundThroughNamespaces_data();
    void roundThroughNamespaces();
};
