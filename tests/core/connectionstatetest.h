#pragma once

#include <QObject>

class ConnectionStateTest : public QObject
{
    Q_OBJECT

private slots:
    void logNames_data();
    void logNames();
    void displayTexts_data();
    void displayTexts();
    void registeredForSignalsAndQml();
};
