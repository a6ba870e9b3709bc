#pragma once

#include <QStringList>

// The process entry: DPI set-up, single instance, tray check, command line, application object.
class Startup
{
public:
    static int run(int argc, char** argv);
    // Returns whether debug mode was asked for; help and version end the process here.
    static bool parseCommandLine(const QStringList& arguments);
};
