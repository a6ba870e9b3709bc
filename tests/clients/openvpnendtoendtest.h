#pragma once

#include <QObject>
#include <QTemporaryDir>

#include <memory>

class FakeService;
#include "support/tunnellab.h"

class OpenVpnEndToEndTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void udpAndTcpReachConnected_data();
    void udpAndTcpReachConnected();
    void wrongPasswordEndsInErrorWithoutReconnecting();
    void crashExitAfterUserDisconnectDoesNotReconnect();
    void unexpectedExitReconnects();
    void missingEndReportIsSettledAfterTimeout();
    void destroyingRunningClientNeverReconnects();
    void stealthStartsOpenVpnOnlyAfterStunnel();
    void stealthRefusesAListenerThatIsNotStunnels();
    void managementPeerOfAnotherUserIsRefused();
    void overlongManagementLineEndsTheAttempt();
    void takenManagementPortStartsNothing();
    void failedStartEndsTheAttempt();
    void missingExecutableIsAnError();
    void serverAddressThatBreaksLinesIsRefused();

private:
    QString record() const;
    QString recordPath() const;

    FakeService* m_service = nullptr;
    std::unique_ptr<TunnelLab> m_lab;
    QTemporaryDir m_records;
    int m_run = 0;
};
