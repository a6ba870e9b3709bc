#pragma once

#include <QString>
#include <QStringList>

// The command line of the tool: "enable all ADDRESS local|<empty>" or "disable all".
class KillSwitchArguments
{
public:
    enum class Action
    {
        Enable,
        Disable
    };

    // False with a message for anything else; the address comes back canonical.
    bool parse(const QStringList& arguments, QString* error);

    Action action = Action::Disable;
    QString serverAddress;
    bool allowLocal = false;
};
