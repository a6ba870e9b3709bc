#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Runs the system tools by absolute path with an argument list, never through a shell, with a
// fixed environment; secrets go through standard input only.
class ToolRunner
{
public:
    struct Result
    {
        bool ok = false; // started, finished in time and exit code 0
        QString output;  // standard output and error together
    };

    // The first existing, executable path of the fixed candidates for a tool name
    // ("wg", "wireguard-go", "ip", "resolvectl"); empty when none exists.
    static QString locate(const QString& tool);
    static QProcessEnvironment environment();
    static Result run(const QString& tool, const QStringList& arguments,
                      const QByteArray& input = QByteArray(), int timeoutMs = 10000);
};
