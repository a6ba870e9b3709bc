#pragma once

#include "service/serviceprocess.h"

#include <QObject>

// Blocks traffic outside the tunnel through the privileged "killswitch" tool.
class KillSwitch : public QObject
{
    Q_OBJECT

public:
    explicit KillSwitch(QObject* parent = nullptr);

    // False when the address cannot be handed to the tool; nothing is sent then. blockDns: no
    // DNS may leave outside the tunnel, not even to local devices.
    bool enable(const QString& internalIp, const QString& publicIp, bool allowLocalDevices,
                bool blockDns = false);
    void disable();
    bool isEnabled() const { return m_enabled; }

    static QString toolPath();
    static QStringList enableArguments(const QString& publicIp, bool allowLocalDevices,
                                       bool blockDns = false);
    static QStringList disableArguments();
    // The tool reports success with exit code 0.
    static bool succeeded(int exitCode) { return exitCode == 0; }

signals:
    void killSwitchFinished(bool ok);
    void stateChanged(bool enabled);
    // The service refused: another user of this computer holds the machine's protection.
    // enabling tells which request it was; an enable that was refused leaves this off.
    void heldByAnotherUser(bool enabling);

protected slots:
    void onKillSwitchProcessFinished(int exitCode);
    void onKillSwitchProcessStarted();
    void onKillSwitchProcessError(int code);

private:
    ServiceProcess m_process;
    bool m_enabled = false;
};
