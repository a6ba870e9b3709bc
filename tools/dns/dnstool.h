#pragma once

#include "datafolder.h"
#include "dnsarguments.h"
#include "dnsdata.h"
#include "statefolder.h"

#include <sys/types.h>

// Runs one mode of the tool against systemd-resolved or /etc/resolv.conf. What it must put back
// is kept per user in root's state folder and read back only from there; the user's own folder
// gets "dns.dat" as the client's marker of forced DNS, whose content is never trusted.
class DnsTool
{
public:
    DnsTool(const DnsArguments& arguments, DataFolder& folder, const StateFolder& state, uid_t uid);
    bool run(QString* error);

private:
    bool pointAtTunnel(QString* error);
    bool putBackUser(QString* error);
    bool reset(QString* error);
    // From root's state for this user: false when there is none to use.
    bool readSaved(DnsData* data) const;
    bool save(const DnsData& data, QString* error);
    // Puts back what was saved, unless the network wrote its own since; false with no error when
    // nothing was saved.
    bool restoreSaved(QString* error);
    QByteArray stateName() const;

    const DnsArguments& m_arguments;
    DataFolder& m_folder;
    const StateFolder& m_state;
    uid_t m_uid;
    bool m_resolved;
};
