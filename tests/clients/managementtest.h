#pragma once

#include <QObject>
#include <memory>

class FakeService;
class OpenVpnClient;
class QTcpSocket;
#include "support/tunnellab.h"

class ManagementTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void recognisesGreetingsFromVersionThree_data();
    void recognisesGreetingsFromVersionThree();
    void escapesBackslashAndQuote();
    void parsesPushReply();
    void parsesPushedAddressAfterTheOptionNameOnly();
    void parsesAssignedAddress();
    void parsesByteCounts();

    void greetingIsAnsweredWithStateOnThenLogOn();
    void credentialsFollowThePrompts();
    void wrongCredentialsGiveCriticalError();
    void byteCountEmitsAndIsNotLogged();
    void pushReplyOfOneFamilyIsReported();
    void assignedAddressIsTakenOnce();
    void assignLineIsNotConnectedState();
    void connectedStateAsksForByteCounts();
    void blankLineEndsTheBatch();
    void lineCutByTheNetworkIsReadWhole();
    void secondPeerIsRefused();

private:
    void send(const QByteArray& lines);
    QByteArray receive(int bytes);

    FakeService* m_service = nullptr;
    std::unique_ptr<TunnelLab> m_lab;
    OpenVpnClient* m_client = nullptr;
    QTcpSocket* m_peer = nullptr;
};
