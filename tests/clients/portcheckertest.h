#pragma once

#include <QObject>

class PortCheckerTest : public QObject
{
    Q_OBJECT

private slots:
    void listsPortsInTheLog();
    void firstSuccessStopsTheRace();
    void everySuccessIsReportedWithoutStopping();
    void noListenerEndsInTimeout();
};
