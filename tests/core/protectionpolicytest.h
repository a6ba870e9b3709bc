#pragma once

#include <QObject>

// Every row of the protection table: phase and facts before, the event, the whole decision; and
// what an attempt nobody watches is allowed, where it goes, and for how long.
class ProtectionPolicyTest : public QObject
{
    Q_OBJECT

private slots:
    void decisions_data();
    void decisions();
    void onlyUnwatchedAttemptsHaveADeadline_data();
    void onlyUnwatchedAttemptsHaveADeadline();
    void reconnectionsFallBackWithinTheCountry_data();
    void reconnectionsFallBackWithinTheCountry();
};
