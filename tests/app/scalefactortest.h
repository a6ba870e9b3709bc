#pragma once

#include <QObject>

class ScaleFactorTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void choosesFactorForScreen_data();
    void choosesFactorForScreen();
    void lastEntryNeverQualifies();
    void givenScaleFactorIsKeptAndPolicyIsFloor();
    void userRoundingPolicyIsNeverReplaced();
    void writesFactorWithoutTrailingZeros();
};
