#include "credentialciphertest.h"
#include "settingstest.h"
#include "support/testenvironment.h"
#include "translationstest.h"

#include <QApplication>
#include <QtTest>

CORVALINK_TEST_MAIN(new CredentialCipherTest, new SettingsTest, new TranslationsTest)
