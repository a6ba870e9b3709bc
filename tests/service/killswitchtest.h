#pragma once

#include <QObject>

class FakeService;

class KillSwitchTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void enableThenDisableOnTheWire();
    void exitCodeZeroIsSuccess();
    void enabledFollowsTheLastCommand();

private:
    FakeService* m_service = nullptr;
};
