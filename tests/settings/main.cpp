#include "credentialciphertest.h"
#include "settingstest.h"
#include "support/testenvironment.h"

#include <QApplication>
#include <QtTest>

CORVALINK_TEST_MAIN(new CredentialCipherTest, new SettingsTest)
