#include "bytecounttext.h"

QString ByteCountText::format(quint64 count)
{
    static const char* const units[] = {"KiB", "MiB", "GiB", "TiB"};
    if (count < 1024)
        return QString::number(count) + QStringLiteral(" B");
    double value = double(count) / 1024.0;
    int unit = 0;
    // Switch units on the rounded figure, so 1048575 bytes read "1.0 MiB", not "1024.0 KiB".
    while (unit < 3 && value >= 1023.95) {
        value /= 1024.0;
        ++unit;
    }
    return QString::number(value, 'f', 1) + QLatin1Char(' ') + QLatin1String(units[unit]);
}
