#pragma once

#include <QObject>

// Every row of the protection table: phase and facts before, the event, the whole decision.
class ProtectionPolicyTest : public QObject
{
    Q_OBJECT

private slots:
    void decisions_data();
    void decisions();
};
