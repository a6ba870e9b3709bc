#pragma once

#include <QObject>

// The real tunnel program between two network namespaces of the test, against wireguard-go as
// the peer: reports, traffic through the tunnel, ring log and a clean removal; and the client's
// /etc/resolv.conf while tunnels come, go and die.
class WgTunnelTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void tunnelComesUpAndGoesAway();
    void resolvConfFollowsTheTunnel();
};
