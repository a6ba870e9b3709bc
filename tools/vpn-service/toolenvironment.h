#pragma once

#include <QProcessEnvironment>
#include <QString>

#include <sys/types.h>

// The whole environment of a tool run: nothing of the service's own, only what that tool reads.
class ToolEnvironment
{
public:
    struct Request
    {
        QString name;
        uid_t uid = 0;
        // The account's home from the passwd database.
        QString home;
        // The service's run folder, where network-tool keeps the values it changed.
        QString runDir;
    };

    // Empty, with the reason in *problem, when the tool needs a value the account cannot give.
    static QProcessEnvironment build(const Request& request, QString* problem);
    // The client's program-data folder for that home: its XDG_DATA_HOME default, since the
    // client's own environment is out of the service's sight.
    static QString dataDir(const QString& home);
};
