#include "servicenotice.h"

#include <QStringList>

namespace {

const QString startedPrefix = QStringLiteral("started:");

} // namespace

QString ServiceNotice::started(qint64 id, int code, quint64 request, const QString& name)
{
    if (request == 0)
        return QStringLiteral("started:%1,%2,%3").arg(id).arg(code).arg(name);
    return QStringLiteral("started:%1,%2,%3,%4").arg(id).arg(code).arg(request).arg(name);
}

QString ServiceNotice::finished(qint64 id, int code, const QString& name)
{
    return QStringLiteral("finished:%1,%2,%3").arg(id).arg(code).arg(name);
}

QString ServiceNotice::forLaterLink(const QString& text)
{
    if (!text.startsWith(startedPrefix))
        return text;
    QStringList fields = text.mid(startedPrefix.size()).split(QLatin1Char(','));
    if (fields.size() != 4)
        return text;
    fields.removeAt(2);
    return startedPrefix + fields.join(QLatin1Char(','));
}
