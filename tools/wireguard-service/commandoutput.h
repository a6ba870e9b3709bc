#pragma once

#include <QString>

// Readers of the tool outputs the tunnel depends on; pure, so that samples test them.
class CommandOutput
{
public:
    // "wg show IF latest-handshakes": true once any peer has a non-zero time.
    static bool hasHandshake(const QString& output);
    // "wg show IF transfer": the sums over all peers.
    static bool transfer(const QString& output, quint64* received, quint64* sent);
    // "ip route get ADDRESS": the gateway (may stay empty for an on-link address) and device.
    static bool routeGet(const QString& output, QString* gateway, QString* device);
    static bool isInterfaceName(const QString& name);
};
