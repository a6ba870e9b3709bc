#include "connectionstatistics.h"

#include "app/logger.h"

#include <QObject>

#include <cmath>
#include <limits>

namespace {

struct Unit
{
    const char* suffix;
    float factor;
};

const Unit parsedUnits[] = {{" B", 1.0f},
                            {" KiB", 1024.0f},
                            {" MiB", 1048576.0f},
                            {" GiB", 1073741824.0f},
                            {" TiB", 1099511627776.0f}};

const quint64 kibi = 1024;
const quint64 mebi = kibi * 1024;
const quint64 gibi = mebi * 1024;
const quint64 tebi = gibi * 1024;

quint64 toByteCount(float value)
{
    // A negative, endless or oversized figure has no byte count; casting it would be undefined.
    if (!std::isfinite(value) || value <= 0.0f)
        return 0;
    if (value >= 18446744073709551615.0f)
        return std::numeric_limits<quint64>::max();
    return quint64(value);
}

QString scaled(quint64 count, quint64 unit, const QString& name)
{
    return QString::number(double(count) / double(unit), 'f', 1) + name;
}

} // namespace

ConnectionStatistics::ConnectionStatistics(quint64 received, quint64 sent)
    : m_received(received), m_sent(sent)
{
}

ConnectionStatistics::ConnectionStatistics(const QString& receivedText, const QString& sentText)
    : m_received(parseByteCount(receivedText)), m_sent(parseByteCount(sentText))
{
}

quint64 ConnectionStatistics::parseByteCount(const QString& text)
{
    for (const Unit& unit : parsedUnits) {
        const QString suffix = QString::fromLatin1(unit.suffix);
        if (!text.endsWith(suffix))
            continue;
        const float number = QString(text).remove(suffix).toFloat();
        return toByteCount(number * unit.factor);
    }
    Logger::critical(QStringLiteral("ConnectionStatistics"),
                     QStringLiteral("Parse error, %1").arg(text));
    return 0;
}

QString ConnectionStatistics::formatByteCount(quint64 count)
{
    if (count == 0)
        return QStringLiteral("0");
    if (count < kibi)
        return QString::number(count) + QObject::tr("B");
    if (count < mebi)
        return scaled(count, kibi, QObject::tr("KiB"));
    if (count < gibi)
        return scaled(count, mebi, QObject::tr("MiB"));
    if (count < tebi)
        return scaled(count, gibi, QObject::tr("GiB"));
    return scaled(count, tebi, QObject::tr("TiB"));
}
