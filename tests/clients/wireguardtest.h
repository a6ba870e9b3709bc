#pragma once

#include "support/tunnellab.h"

#include <QObject>
#include <QTemporaryDir>

#include <memory>

class FakeService;

class WireGuardTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void configurationTextOfAnAccount();
    void disabledAccountWritesEmptyFile();
    void numberedNamesWhenFileCannotGo();
    void driverListParsing();
    void ringLogDecoding();
    void ringLogFromFile();
    void connectReportDisconnect();
    void keyFileIsPrivateFromCreationAndGoesAfterRemove();
    void processEndPaths();
    void reportLineHandling();
    void forgedReportOfAnotherUserChangesNothing();
    void missingExecutableIsAnError();

private:
    FakeService* m_service = nullptr;
    std::unique_ptr<TunnelLab> m_lab;
};
