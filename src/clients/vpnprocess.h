#pragma once

#include "service/serviceprocess.h"

// A tunnel program run by the service: besides starting it can be stopped by name, or every
// process of that name killed.
class VpnProcess : public ServiceProcess
{
    Q_OBJECT

public:
    VpnProcess(const QString& name, QObject* parent = nullptr);

    void kill();
    void stop();

    static QString killMessage(const QString& name);
    static QString stopMessage(const QString& name);

public slots:
    void sendCommand(const QString& command) override;

signals:
    void allKilled();

protected:
    using ServiceProcess::onProcessOutput;

protected slots:
    void onProcessOutput(const QString& process, const QString& output);
};
