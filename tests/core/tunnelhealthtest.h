#pragma once

#include <QObject>

class TunnelHealthTest : public QObject
{
    Q_OBJECT

private slots:
    void verdictsOverTime_data();
    void verdictsOverTime();
    void awayFromTheClocks();
    void probeTargets();
};
