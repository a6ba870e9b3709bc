#pragma once

#include <QString>
#include <QStringList>

// Which program a start command may name: only the five tools, at the exact paths the client
// builds under its installation folder. The path only names the tool; what runs is the program
// the service's own configuration maps that name to.
class ProgramPolicy
{
public:
    static QStringList names();
    // The path below the installation folder that the client uses for the name.
    static QString relativePath(const QString& name);
    // The tool name for requestedPath, or empty with the reason in *problem.
    static QString nameFor(const QString& requestedPath, const QString& installDir,
                           QString* problem);
};
