#pragma once

#include <QObject>

class NetworkInterfacesTest : public QObject
{
    Q_OBJECT

private slots:
    void routePrintTapAdaptersInOrder();
    void routePrintAllButLoopback();
    void logsEveryAdapterOrTheirAbsence();
    void linuxSourceInNamespace_data();
    void linuxSourceInNamespace();
};
