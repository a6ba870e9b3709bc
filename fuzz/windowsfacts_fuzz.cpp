// What the Windows build reads from the system's tools, on every platform since the parsers are
// pure. The first byte picks the source, the rest is its output:
//   0  "route print": the interface list OpenVPN's adapters come from (parseRoutePrint)
//   1  "wmic nic where "GUID is not null" get GUID" (RegistryDnsWalk::presentGuids)
//   2  the wmic output, a NUL, then a registry, one value a line: key, a tab, value name, a tab,
//      the value; a key may start with "@4", "@6" (the two families' interface lists), "@N" (the
//      network class' connections) or "@A" (the adapter class). RegistryDnsWalk::walk over it.
#include "clientsupport.h"
#include "service/openvpnnetworkinterfaces.h"
#include "service/registrydnswalk.h"

#include <QMap>

namespace {

class TextRegistry : public RegistryDnsWalk::KeyReader
{
public:
    explicit TextRegistry(const QString& text)
    {
        const QString network = RegistryDnsWalk::connectionKey(QStringLiteral("X"));
        const QMap<QString, QString> roots{
            {QStringLiteral("@4"), RegistryDnsWalk::ipv4InterfacesKey()},
            {QStringLiteral("@6"), RegistryDnsWalk::ipv6InterfacesKey()},
            {QStringLiteral("@N"), network.left(network.size() - int(qstrlen("\\X\\Connection")))},
            {QStringLiteral("@A"), RegistryDnsWalk::adapterClassKey()}};
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            const QStringList fields = line.split(QLatin1Char('\t'));
            if (fields.size() != 3)
                continue;
            QString key = fields.at(0);
            const QString root = roots.value(key.left(2));
            if (!root.isEmpty())
                key.replace(0, 2, root);
            m_keys[key][fields.at(1)] = fields.at(2);
        }
    }

    // A key's subkeys are the next path parts of the keys below it.
    QStringList subkeys(const QString& key) const override
    {
        QStringList found;
        const QString prefix = key + QLatin1Char('\\');
        for (auto it = m_keys.cbegin(); it != m_keys.cend(); ++it) {
            if (!it.key().startsWith(prefix))
                continue;
            const QString child = it.key().mid(prefix.size()).section(QLatin1Char('\\'), 0, 0);
            if (!found.contains(child))
                found << child;
        }
        return found;
    }

    QString value(const QString& key, const QString& name) const override
    {
        return m_keys.value(key).value(name);
    }

private:
    QMap<QString, QMap<QString, QString>> m_keys;
};

// The servers under the adapter's own GUID in a family's list, which Windows spells in any case.
QStringList nameServers(const TextRegistry& registry, const QString& familyKey, const QString& id)
{
    for (const QString& guid : registry.subkeys(familyKey)) {
        if (guid.toUpper() != id.toUpper())
            continue;
        const QString text = registry.value(familyKey + QLatin1Char('\\') + guid,
                                            RegistryDnsWalk::nameServerValue());
        return text.isEmpty() ? QStringList() : text.split(QLatin1Char(','));
    }
    return {};
}

void routePrint(const QString& output)
{
    const QStringList lines = output.split(QLatin1Char('\n'));
    const NetworkInterfaces all = OpenVpnNetworkInterfaces::parseRoutePrint(lines, false);
    const NetworkInterfaces tunnels = OpenVpnNetworkInterfaces::parseRoutePrint(lines, true);
    for (const NetworkInterface& entry : all) {
        FUZZ_CHECK(entry.index > 0);
        FUZZ_CHECK(!entry.name.isEmpty() && entry.name == entry.name.simplified());
    }
    // The tunnel adapters are some of all, in the same order.
    int at = 0;
    for (const NetworkInterface& tunnel : tunnels) {
        while (at < all.size() &&
               (all.at(at).index != tunnel.index || all.at(at).name != tunnel.name))
            ++at;
        FUZZ_CHECK(at < all.size());
        ++at;
    }
}

QSet<QString> guids(const QString& output)
{
    const QSet<QString> found = RegistryDnsWalk::presentGuids(output);
    for (const QString& guid : found) {
        FUZZ_CHECK(guid.startsWith(QLatin1Char('{')));
        FUZZ_CHECK(guid == guid.toUpper() && guid == guid.simplified());
    }
    return found;
}

void walk(const QByteArray& input)
{
    const int split = input.indexOf('\0');
    if (split < 0)
        return;
    const QSet<QString> present = guids(QString::fromLocal8Bit(input.left(split)));
    const TextRegistry registry(QString::fromUtf8(input.mid(split + 1)));
    const Platform::DnsFacts facts = RegistryDnsWalk::walk(registry, present);
    if (facts.familiesMismatch) {
        FUZZ_CHECK(facts.adapters.isEmpty());
        return;
    }
    // Each adapter with its own servers of each family: the ones under its own GUID.
    for (const AdapterDns& adapter : facts.adapters) {
        FUZZ_CHECK(present.contains(adapter.id.toUpper()));
        FUZZ_CHECK(!adapter.name.isEmpty() &&
                   adapter.name == RegistryDnsWalk::connectionName(registry, adapter.id));
        FUZZ_CHECK(adapter.ipv4Dns ==
                   nameServers(registry, RegistryDnsWalk::ipv4InterfacesKey(), adapter.id));
        FUZZ_CHECK(adapter.ipv6Dns ==
                   nameServers(registry, RegistryDnsWalk::ipv6InterfacesKey(), adapter.id));
        FUZZ_CHECK(adapter.isVpn == RegistryDnsWalk::isTunnelAdapter(registry, adapter.id));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startClient();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray input = fuzz::bytes(data + 1, size - 1);
    // The Windows build reads the tools' output in the system's code page, up to a NUL.
    switch (data[0] % 3) {
    case 0:
        routePrint(QString::fromLocal8Bit(input));
        break;
    case 1:
        guids(QString::fromLocal8Bit(input));
        break;
    default:
        walk(input);
        break;
    }
    return 0;
}
