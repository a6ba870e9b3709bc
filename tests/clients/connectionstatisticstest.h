#pragma once

#include <QObject>

class ConnectionStatisticsTest : public QObject
{
    Q_OBJECT

private slots:
    void parsesByteCounts_data();
    void parsesByteCounts();
    void unknownUnitIsZeroWithCriticalLine();
    void formatsByteCounts_data();
    void formatsByteCounts();
    void buildsFromTunnelReportTexts();
};
