#include "debugmode.h"

namespace {

bool debugModeEnabled = false;

} // namespace

bool DebugMode::enabled()
{
    return debugModeEnabled;
}

void DebugMode::setEnabled(bool enabled)
{
    debugModeEnabled = enabled;
}
