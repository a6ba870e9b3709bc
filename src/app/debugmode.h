#pragma once

// Set once from the command line before the application object exists; only read afterwards.
class DebugMode
{
public:
    static bool enabled();
    static void setEnabled(bool enabled);
};
