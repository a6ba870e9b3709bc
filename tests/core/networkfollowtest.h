#pragma once

#include <QObject>

class NetworkFollowTest : public QObject
{
    Q_OBJECT

private slots:
    void routeToTheServerIsReadAndJudged();
    void attemptsAreSpacedWhileTheNetworkFlaps();
};
