#pragma once

#include <QStringList>

class Application;

// The process entry: DPI set-up, single instance, tray check, command line, application object.
class Startup
{
public:
    static int run(int argc, char** argv);
    // Returns whether debug mode was asked for; help and version end the process here.
    static bool parseCommandLine(const QStringList& arguments);
    // 0 when the application is ready; otherwise the exit code, after the critical-error box.
    static int initialise(Application& application);
    // True when a compiled-in key is the lab's, whose private half is public.
    static bool builtWithLabKeyMaterial();
    static QString labKeyMaterialNotice();
    // What --version shows after the program name: the version, and the lab notice when due.
    static QString versionText(const QString& installedVersion, bool labKeyMaterial);
};
