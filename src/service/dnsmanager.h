#pragma once

#include "clients/childprocess.h"
#include "platform/platform.h"
#include "service/adapterdns.h"

#include <QMap>
#include <QObject>
#include <QStringList>

#include <functional>

// The read-only side of DNS protection: takes stock of the adapters and their DNS servers and
// turns it into the arguments of the privileged "dns" tool.
class DnsManager : public QObject
{
    Q_OBJECT

public:
    using FactSource = std::function<Platform::DnsFacts()>;

    explicit DnsManager(QObject* parent = nullptr);

    // Block the main thread while the system is asked.
    void refresh();
    void refreshAndLog();
    bool tunnelDnsLeftBehind();

    // Of the last refresh.
    QStringList userDnsEntries() const;
    QStringList vpnDnsEntries(const QString& ipv4Dns, const QString& ipv6Dns) const;
    AdapterDnsList adapters() const { return m_adapters; }

    ChildProcess& flushProcess() { return m_flushProcess; }

    // Test seam: where refresh takes its facts; Platform::dnsFacts unless replaced.
    void setFactSource(FactSource source);

    static QString tunnelIpv4Dns();
    static QString tunnelIpv6Dns();
    static QString userDnsEntry(const AdapterDns& adapter);
    static QString vpnDnsEntry(const AdapterDns& adapter, const QString& ipv4Dns,
                               const QString& ipv6Dns);
    static QString logLine(const AdapterDns& adapter);
    // The tunnel's DNS addresses: IPv4 and IPv6 literals (the IPv6 one may be empty).
    static bool arePushedDnsAddresses(const QString& ipv4Dns, const QString& ipv6Dns);
    // 4 or 6 for a DNS entry of the user's in the grammar systemd-resolved writes ("1.1.1.1",
    // "1.1.1.1:853#name", "[2606:4700::1111]:853#name", "fe80::1%eth0"), else 0.
    static int userDnsEntryFamily(const QString& entry);
    // True when an adapter other than the tunnel's carries a tunnel DNS address.
    static bool hasTunnelDnsOnOrdinaryAdapter(const AdapterDnsList& adapters);

    // The "nameserver" lines of a resolv.conf; only the DNS lists are filled.
    static AdapterDns serversFromResolvConf(const QString& text);
    // Of "resolvectl dns": the servers of each link, by interface name.
    static QMap<QString, AdapterDns> serversFromResolvectl(const QString& output);

private slots:
    void onProcessFinished(bool status);

private:
    ChildProcess m_flushProcess;
    AdapterDnsList m_adapters;
    FactSource m_factSource;
};
