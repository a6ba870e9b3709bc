#include "runprocess.h"

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

void RunProcess::setupChildProcess()
{
    // Runs in the child between fork and exec: only async-signal-safe calls.
    const pid_t service = ::getppid();
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    // The service may have died before the line above took effect.
    if (::getppid() != service)
        ::_exit(127);
}
