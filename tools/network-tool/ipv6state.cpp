#include "ipv6state.h"

#include <QList>

bool Ipv6State::parseArguments(const QStringList& arguments, Action* action, QString* error)
{
    if (arguments == QStringList{QStringLiteral("--restore")}) {
        *action = Action::Restore;
        return true;
    }
    if (arguments.size() == 2 && arguments.first() == QLatin1String("--ipv6") &&
        (arguments.at(1) == QLatin1String("enable") ||
         arguments.at(1) == QLatin1String("disable"))) {
        *action = arguments.at(1) == QLatin1String("enable") ? Action::Enable : Action::Disable;
        return true;
    }
    *error = QStringLiteral("usage: network-tool --ipv6 enable|disable | --restore");
    return false;
}

QStringList Ipv6State::settingNames()
{
    return {QStringLiteral("all"), QStringLiteral("default")};
}

QByteArray Ipv6State::toText(const QMap<QString, int>& values)
{
    QByteArray text;
    for (auto it = values.begin(); it != values.end(); ++it)
        text += it.key().toLatin1() + '=' + QByteArray::number(it.value()) + '\n';
    return text;
}

bool Ipv6State::fromText(const QByteArray& text, QMap<QString, int>* values)
{
    const QList<QByteArray> lines = text.split('\n');
    for (const QByteArray& line : lines) {
        if (line.isEmpty())
            continue;
        const QList<QByteArray> parts = line.split('=');
        if (parts.size() != 2 || !settingNames().contains(QString::fromLatin1(parts.first())) ||
            (parts.at(1) != "0" && parts.at(1) != "1"))
            return false;
        values->insert(QString::fromLatin1(parts.first()), parts.at(1).toInt());
    }
    return !values->isEmpty();
}
