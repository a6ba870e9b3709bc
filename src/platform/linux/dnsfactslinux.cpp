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
// systemd removes this runtime folder when resolved stops.
const char resolvedRuntimeFolder[] = "/run/systemd/resolve";
const int resolvectlTimeoutMs = 30000;

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll());
}

// Checked first, so that a query never starts resolved through bus activation.
bool resolvedRuns()
{
    return QFileInfo(QLatin1String(resolvedRuntimeFolder)).isDir() &&
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
