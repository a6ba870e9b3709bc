#pragma once

#include <QObject>

class StatusTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void emptyStoreGivesBothFlagsOff();
    void flagsAreStoredInProtectionGroup();
    void unchangedValueWritesNothing();
    void flagSurvivesKilledProcess_data();
    void flagSurvivesKilledProcess();
    void clearEmptiesStoreButKeepsFlags();
};
