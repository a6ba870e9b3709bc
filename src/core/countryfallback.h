#pragma once

#include <QString>
#include <QStringList>

// Where an automatic reconnection goes when the user chose a country rather than a server: back
// to the same server twice, and after two failures there, to the next of the country's servers
// as the last probe round ranked them. No new round: the kill switch holds the probes back.
class CountryFallback
{
public:
    static constexpr int failuresBeforeFallback = 2;

    // attempt counts the reconnections since the last Connected, this one included; ranking holds
    // the country's server addresses, fastest first. The current server when no other is due.
    static QString serverForAttempt(const QString& current, int attempt,
                                    const QStringList& ranking);
};
