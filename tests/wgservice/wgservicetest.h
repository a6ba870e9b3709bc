#pragma once

#include <QObject>

// The tunnel program's pure parts: the configuration check, the report texts, the ring log.
class WgServiceTest : public QObject
{
    Q_OBJECT

private slots:
    void parsesTheClientsFile();
    void refusesValues_data();
    void refusesValues();
    void byteCountsReadBackByTheClient();
    void readsToolOutputs();
    void ringLogDecodesInTheClient();
    void ringLogWrapsAndRefusesLinks();
    void removeRefusesAnotherUsersInstance();
};
