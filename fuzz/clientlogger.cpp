// The client's four logging calls, as app/logger.cpp writes them, without the rest of Logger: its
// log folder opens through QDesktopServices, which would bring Qt GUI into every target.
#include "app/logger.h"

#include <QDebug>

void Logger::debug(const QString& source, const QString& text)
{
    qDebug().noquote() << source + QStringLiteral(": ") + text;
}

void Logger::info(const QString& source, const QString& text)
{
    qInfo().noquote() << source + QStringLiteral(": ") + text;
}

void Logger::warning(const QString& source, const QString& text)
{
    qWarning().noquote() << source + QStringLiteral(": ") + text;
}

void Logger::critical(const QString& source, const QString& text)
{
    qCritical().noquote() << source + QStringLiteral(": ") + text;
}
