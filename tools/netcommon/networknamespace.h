#pragma once

#include <QByteArray>

// The network namespace the process runs in.
class NetworkNamespace
{
public:
    // True when a Unix socket is bound at the path in this network namespace: the socket table
    // lists only this namespace's sockets, and needs no privilege to read (a service without
    // CAP_SYS_PTRACE cannot compare its namespace with process 1's).
    static bool hasUnixListener(const QByteArray& path);
    // systemd-resolved serves this namespace. Link names and indexes handed to the host's
    // resolver from any other namespace (as inside "ip netns exec", where /run is the host's)
    // would mean other links there.
    static bool hasResolved();
};
