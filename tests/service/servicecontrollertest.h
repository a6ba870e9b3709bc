#pragma once

#include <QObject>

class ServiceControllerTest : public QObject
{
    Q_OBJECT

private slots:
    void heldCommandsFollowInitInOrder();
    void reconnectionSendsNoSecondInitAndDeliversOnce();
    void initialStatusOnFirstConnection();
    void initialStatusOnFirstSocketError();
    void initialStatusAfterTimeout();
    void emptyCommandIsRefusedAndNotHeld();
    void terminatorIsDroppedAndSingleCharacterFrameIgnored();
    void forceQuitStopsReopeningAndReporting();
    void withoutAutoConnectNothingHappens();
    void startCommandsAreShortenedInTheLogOnly();

    void peerOwnerDecision_data();
    void peerOwnerDecision();
    void socketTableRows();
    void serviceOfAnotherUserIsRefused();
    void oversizedFrameClosesTheLink();
    void heldCommandsAreBounded();
};
