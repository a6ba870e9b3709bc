#include "countryfallback.h"

QString CountryFallback::serverForAttempt(const QString& current, int attempt,
                                          const QStringList& ranking)
{
    if (attempt <= failuresBeforeFallback || ranking.isEmpty())
        return current;
    // The next after the current one, round to the best: a country's worst server falls back
    // to its best, which may have been the one left before.
    const int at = ranking.indexOf(current);
    for (int step = 1; step <= ranking.size(); ++step) {
        const QString& candidate = ranking.at((at + step) % ranking.size());
        if (candidate != current)
            return candidate;
    }
    return current;
}
