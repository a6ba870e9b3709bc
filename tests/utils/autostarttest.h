#pragma once

#include <QObject>

class AutoStartTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void enableWritesQuotedExecutablePath();
    void disableRemovesEntry();
    void disablingWithoutEntryReportsSuccess();
    void differentExecValueIsNotRegistered_data();
    void differentExecValueIsNotRegistered();
    void windows11RuleUsesBuildNumber_data();
    void windows11RuleUsesBuildNumber();
    void osNameIsThePrettyProductName();
};
