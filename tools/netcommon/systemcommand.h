#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct CommandResult
{
    bool finished = false;
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

// Runs a system program from the system folders only, from an argument list, without a shell,
// with a fixed environment.
class SystemCommand
{
public:
    // The root-owned program of that name in the system folders, or empty.
    static QString find(const QString& name);
    static CommandResult run(const QString& name, const QStringList& arguments,
                             const QByteArray& input = QByteArray(), int timeoutMs = 30000);
};
