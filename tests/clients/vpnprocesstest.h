#pragma once

#include <QObject>

class FakeService;

class VpnProcessTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void stopAndKillSendTheirCommands();
    void allKilledOnlyForOwnKillNotification();
    void notificationsStillDriveTheState();

private:
    FakeService* m_service = nullptr;
};
