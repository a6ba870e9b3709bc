#pragma once

#include "platform/platform.h"
#include "service/adapterdns.h"

#include <QSet>
#include <QString>
#include <QStringList>

// Windows' DNS stock: the registry's interface lists, narrowed to the adapters that "wmic" reports
// and paired by family. Pure over a key reader, so it runs and is tested on every platform.
class RegistryDnsWalk
{
public:
    // Missing keys and values read as empty.
    class KeyReader
    {
    public:
        virtual ~KeyReader() = default;
        virtual QStringList subkeys(const QString& key) const = 0;
        virtual QString value(const QString& key, const QString& name) const = 0;
    };

    static QString ipv4InterfacesKey();
    static QString ipv6InterfacesKey();
    static QString nameServerValue();
    static QString connectionKey(const QString& guid);
    static QString adapterClassKey();

    // Of "wmic nic where "GUID is not null" get GUID": the braced GUIDs, upper-cased.
    static QSet<QString> presentGuids(const QString& wmicOutput);
    static Platform::DnsFacts walk(const KeyReader& registry, const QSet<QString>& presentGuids);
    static AdapterDnsList familyList(const KeyReader& registry, const QString& key, bool ipv6,
                                     const QSet<QString>& presentGuids);
    // Empty for the kernel debugger's adapter, so that it is never listed.
    static QString connectionName(const KeyReader& registry, const QString& guid);
    static bool isTunnelAdapter(const KeyReader& registry, const QString& id);
};
