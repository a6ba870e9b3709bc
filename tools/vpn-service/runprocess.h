#pragma once

#include <QProcess>

// A program the service runs for a client. It ends with the service: a service that is killed
// must not leave root-run tunnels and tools behind that nobody answers for.
class RunProcess : public QProcess
{
public:
    using QProcess::QProcess;

protected:
    void setupChildProcess() override;
};
