#pragma once

#include <QObject>

class StunnelTest : public QObject
{
    Q_OBJECT

private slots:
    void configurationPerPlatform();
    void writesConfigurationAndConfirmsPerChunk();
    void secondStartStopsTheFirst();
    void realStunnelAcceptsOurConfiguration();
};
