#pragma once

#include <QString>
#include <QStringList>

// The exact command-line shapes the client uses, per tool; anything else is refused. Every value
// that reaches a root-run program is checked for its kind (address, file path, interface name).
class ArgumentPolicy
{
public:
    // Empty when the arguments (without the program) are allowed for the tool.
    static QString problem(const QString& name, const QStringList& arguments);

    static bool isIpAddress(const QString& text);
    static bool isHostName(const QString& text);
    // Absolute, in plain form, no "..", no control characters.
    static bool isFilePath(const QString& text);
};
