#pragma once

#include <QObject>

class FakeBackend;

class UiTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void mainWindowDisconnectedAndConnected();
    void roundButtonDecisions();
    void connectThroughTheScreens();
    void serverListTabsKeysAndSearch();
    void settingsWindowSectionsAndSaving();
    void everyTextIsReadable_data();
    void everyTextIsReadable();
    void thaiAndChineseHaveEveryGlyph_data();
    void thaiAndChineseHaveEveryGlyph();
    void themeEditor();

private:
    FakeBackend* m_backend = nullptr;
};
