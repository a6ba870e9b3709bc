#pragma once

#include <QObject>

class SettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void emptyStoreGivesDefaults();
    void portIndexesOutOfRangeLoadAsZero();
    void portQueries();
    void languageTableAndIndex();
    void currentServerIdMustBeAnIdentifier_data();
    void currentServerIdMustBeAnIdentifier();
    void favouritesKeepFirstPlace();
    void recentServersKeepLastThree();
    void credentialsAreSimplifiedAndEnciphered();
    void storeIsReadBackByFreshObject();
    void themeditorUrlIsTheFolder();
    void mtuGoesToEveryAdapterWithAnIndex();
    void launchOnStartupFollowsAutoStart();
    void qmlPropertiesAndSignalsInOrder();
};
