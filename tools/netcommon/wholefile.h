#pragma once

#include <QByteArray>

// A file written whole or not at all: a new file (0600, never through a link) beside the name,
// synced, then renamed over it, all relative to an open folder.
class WholeFile
{
public:
    static bool replace(int folder, const QByteArray& name, const QByteArray& data);
};
