#include "resolvedlinks.h"

#include "networknamespace.h"
#include "systemcommand.h"

#include <QFileInfo>

namespace {

bool resolvectl(const QStringList& arguments, QByteArray* output, QString* error)
{
    const CommandResult result = SystemCommand::run(QStringLiteral("resolvectl"), arguments);
    if (result.finished && result.exitCode == 0) {
        if (output)
            *output = result.output;
        return true;
    }
    *error = QStringLiteral("resolvectl %1 failed: %2")
                 .arg(arguments.first(), QString::fromUtf8(result.errors).trimmed());
    return false;
}

// resolvectl takes one empty word for "none".
QStringList orEmpty(const QStringList& values)
{
    return values.isEmpty() ? QStringList{QString()} : values;
}

} // namespace

bool ResolvedLinks::available()
{
    return NetworkNamespace::hasResolved() &&
           !SystemCommand::find(QStringLiteral("resolvectl")).isEmpty();
}

bool ResolvedLinks::read(const QString& link, DnsData::LinkSettings* settings, QString* error)
{
    QByteArray servers;
    QByteArray domains;
    if (!resolvectl({QStringLiteral("dns"), link}, &servers, error) ||
        !resolvectl({QStringLiteral("domain"), link}, &domains, error))
        return false;
    settings->servers = values(servers);
    settings->domains = values(domains);
    return true;
}

bool ResolvedLinks::apply(const QString& link, const DnsData::LinkSettings& settings,
                          QString* error)
{
    return resolvectl(QStringList{QStringLiteral("dns"), link} + orEmpty(settings.servers), nullptr,
                      error) &&
           resolvectl(QStringList{QStringLiteral("domain"), link} + orEmpty(settings.domains),
                      nullptr, error);
}

bool ResolvedLinks::revert(const QString& link, QString* error)
{
    return resolvectl({QStringLiteral("revert"), link}, nullptr, error);
}

QStringList ResolvedLinks::values(const QByteArray& output)
{
    const QString text = QString::fromUtf8(output).trimmed();
    const int colon = text.indexOf(QLatin1String("):"));
    if (!text.startsWith(QLatin1String("Link ")) || colon < 0)
        return {};
    return text.mid(colon + 2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}
