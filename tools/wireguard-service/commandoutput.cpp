#include "commandoutput.h"

#include "wireguardconfig.h"

#include <QRegularExpression>
#include <QStringList>

bool CommandOutput::hasHandshake(const QString& output)
{
    for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() == 2 && fields.at(1).trimmed().toULongLong() > 0)
            return true;
    }
    return false;
}

bool CommandOutput::transfer(const QString& output, quint64* received, quint64* sent)
{
    *received = 0;
    *sent = 0;
    for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        bool rxOk = false;
        bool txOk = false;
        if (fields.size() != 3)
            return false;
        *received += fields.at(1).toULongLong(&rxOk);
        *sent += fields.at(2).trimmed().toULongLong(&txOk);
        if (!rxOk || !txOk)
            return false;
    }
    return true;
}

bool CommandOutput::routeGet(const QString& output, QString* gateway, QString* device)
{
    const QStringList tokens = output.simplified().split(QLatin1Char(' '));
    gateway->clear();
    device->clear();
    for (int i = 0; i + 1 < tokens.size(); ++i) {
        if (tokens.at(i) == QLatin1String("via") && gateway->isEmpty())
            *gateway = tokens.at(i + 1);
        else if (tokens.at(i) == QLatin1String("dev") && device->isEmpty())
            *device = tokens.at(i + 1);
    }
    return isInterfaceName(*device) &&
           (gateway->isEmpty() || WireGuardConfig::isIpv4Literal(*gateway));
}

bool CommandOutput::isInterfaceName(const QString& name)
{
    static const QRegularExpression form(QStringLiteral("^[A-Za-z0-9_][A-Za-z0-9_.-]{0,14}$"));
    return form.match(name).hasMatch();
}
