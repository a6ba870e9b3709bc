#pragma once

#include <QObject>

class ChildProcessTest : public QObject
{
    Q_OBJECT

private slots:
    void reportsSuccessOnlyForCleanExitZero_data();
    void reportsSuccessOnlyForCleanExitZero();
    void crashWithExitCodeZeroIsNoSuccess();
    void failedStartIsLogged();
    void runAndReadLinesKeepsEmptyLines();
};
