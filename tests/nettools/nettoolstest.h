#pragma once

#include <QObject>

// The root-run network tools: their rule and file texts, what they refuse, and what they do
// inside network namespaces of the test's own.
class NetToolsTest : public QObject
{
    Q_OBJECT

private slots:
    void killSwitchRuleset();
    void killSwitchLocalPrefixes();
    void killSwitchRefusesArguments_data();
    void killSwitchRefusesArguments();
    void dnsEntries();
    void dnsTexts();
    void networkToolArguments();
    void killSwitchInNamespace();
    void dnsInNamespace();
    void networkToolInNamespace();
};
