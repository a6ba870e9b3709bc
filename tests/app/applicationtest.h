#pragma once

#include <QObject>
#include <QTemporaryDir>

class FakeBackend;

class ApplicationTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();
    void mainWindowLoadsCleanAndShowsTheServiceBand();
    void startMinimizedToTrayShowsNoWindow();
    void trayFollowsStateChanges();
    void languageSwitchInstallsTheCatalogue();
    void recommendedServersTakeOnePerCountry_data();
    void recommendedServersTakeOnePerCountry();
    void quitWhileConnectedWaitsForDisconnection();
    void skipInUpdatePromptKeepsRunning();
    void initFailuresEndWithCriticalBox_data();
    void initFailuresEndWithCriticalBox();

private:
    FakeBackend* m_backend = nullptr;
    QTemporaryDir m_folder;
};
