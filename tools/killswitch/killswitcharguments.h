#pragma once

#include <QString>
#include <QStringList>

// The command line of the tool: "enable all ADDRESS local|<empty> [block-dns]" or "disable all".
// block-dns: no DNS leaves outside the tunnel, not even to a local network (the tunnel pushed no
// resolver the client can force).
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
    bool blockDns = false;
};
