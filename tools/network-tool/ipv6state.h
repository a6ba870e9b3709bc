#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// The "disable_ipv6" values of the "all" and "default" settings, as text for the state file.
class Ipv6State
{
public:
    enum class Action
    {
        Enable,
        Disable,
        Restore
    };

    static bool parseArguments(const QStringList& arguments, Action* action, QString* error);
    static QStringList settingNames();
    // "name=0|1" lines; false for anything else.
    static QByteArray toText(const QMap<QString, int>& values);
    static bool fromText(const QByteArray& text, QMap<QString, int>* values);
};
