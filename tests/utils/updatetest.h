#pragma once

#include <QObject>

class UpdateTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void versionComesFromFirstVersionElement();
    void brokenDescriptionGivesEmptyVersion();
    void installedVersionIsReadOnce();
    void checkReportsTheNewVersion_data();
    void checkReportsTheNewVersion();
    void missingOrHangingToolReportsNothing();
    void updaterStartsDetached();
};
