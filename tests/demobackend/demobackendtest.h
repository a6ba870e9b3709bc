#pragma once

#include <QObject>

class QProcess;
class QTemporaryDir;

class DemoBackendTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void catalogueArrivesParsed();
    void geoIpNamesCallerAndMappedCountry();
    void accountNeedsRightCredentials();

private:
    QProcess* m_backend = nullptr;
    QTemporaryDir* m_folder = nullptr;
};
