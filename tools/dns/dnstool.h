#pragma once

#include "datafolder.h"
#include "dnsarguments.h"
#include "dnsdata.h"

// Runs one mode of the tool against systemd-resolved or /etc/resolv.conf.
class DnsTool
{
public:
    DnsTool(const DnsArguments& arguments, DataFolder& folder);
    bool run(QString* error);

private:
    bool pointAtTunnel(QString* error);
    bool putBackUser(QString* error);
    bool reset(QString* error);
    // Keeps the settings as they are, once: a later "vpn" must not save the tunnel's own.
    bool saveUserSettings(QString* error);
    // From dns.dat; false with no error when there is none to use.
    bool restoreSaved(QString* error);

    const DnsArguments& m_arguments;
    DataFolder& m_folder;
    bool m_resolved;
};
