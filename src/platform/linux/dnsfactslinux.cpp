#include "platform/platform.h"
#include "service/dnsmanager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace Platform {

namespace {

const char resolvConfPath[] = "/etc/resolv.conf";
// Test seam: a resolv.conf to read instead of asking systemd-resolved or /etc/resolv.conf.
const char resolvConfVariable[] = "CORVALINK_RESOLV_CONF";
// Bound by resolved, and so listed in the socket table of its network namespace only.
const char resolvedSocket[] = "/run/systemd/resolve/io.systemd.Resolve";
const int resolvectlTimeoutMs = 30000;

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll());
}

// resolved names the links of its own network namespace: from another one (as inside
// "ip netns exec", where /run is the host's) its names would mean other links. The socket table
// tells, as an ordinary user may not read /proc/1/ns/net.
bool resolvedInThisNamespace()
{
    QFile table(QStringLiteral("/proc/self/net/unix"));
    if (!table.open(QIODevice::ReadOnly))
        return false;
    const QByteArray pathColumn = QByteArray(" ") + resolvedSocket;
    const QList<QByteArray> lines = table.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (line.endsWith(pathColumn))
            return true;
    }
    return false;
}

// Checked first, so that a query never starts resolved through bus activation.
bool resolvedRuns()
{
    return resolvedInThisNamespace() &&
           !QStandardPaths::findExecutable(QStringLiteral("resolvectl")).isEmpty();
}

bool readResolved(QMap<QString, AdapterDns>& links)
{
    const ToolResult result = runTool(
        ToolCommand{QStringLiteral("resolvectl"), {QStringLiteral("dns")}}, resolvectlTimeoutMs);
    if (!result.finished || result.exitCode != 0)
        return false;
    links = DnsManager::serversFromResolvectl(QString::fromUtf8(result.output));
    return true;
}

} // namespace

DnsFacts dnsFacts()
{
    const QString fixture = qEnvironmentVariable(resolvConfVariable);
    QMap<QString, AdapterDns> links;
    const bool perLink = fixture.isEmpty() && resolvedRuns() && readResolved(links);
    // Without resolved, resolv.conf's servers are those of every interface.
    const AdapterDns everyLink =
        perLink ? AdapterDns()
                : DnsManager::serversFromResolvConf(
                      readText(fixture.isEmpty() ? QLatin1String(resolvConfPath) : fixture));

    DnsFacts facts;
    const QDir net(QStringLiteral("/sys/class/net"));
    for (const QString& name : net.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        if (name == QLatin1String("lo"))
            continue;
        AdapterDns adapter = perLink ? links.value(name) : everyLink;
        adapter.id = name;
        adapter.name = name;
        adapter.isVpn = QFileInfo::exists(net.filePath(name + QStringLiteral("/tun_flags")));
        facts.adapters.append(adapter);
    }
    return facts;
}

} // namespace Platform
