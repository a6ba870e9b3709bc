// wireguard-service's state file (/run/corvalink/wireguard/*.state): the fields InstanceFile
// reads back from a run that died, and what of them would reach "ip" as root.
//
// instancefile.cpp is compiled into this file so that its file-local reader is reachable.
// TunnelLink::removeLeftovers runs "ip" and rewrites /etc/resolv.conf, which a fuzzer running
// as root must not do: below it is replaced by a copy of its checks that runs nothing.
#include "../tools/wireguard-service/instancefile.cpp"

#include "commandoutput.h"
#include "fuzzsupport.h"
#include "wireguardconfig.h"

namespace {

// Mirrors the checks of TunnelLink::removeLeftovers (tunnellink.cpp) before each "ip" call.
bool deletesLink(const QString& interface)
{
    return interface.startsWith(QLatin1String("wgcl")) && CommandOutput::isInterfaceName(interface);
}

bool deletesRoute(const QString& endpointRoute)
{
    QString normalized;
    return endpointRoute.endsWith(QLatin1String("/32")) &&
           WireGuardConfig::isPrefix(endpointRoute, false, &normalized);
}

bool isSafeArgument(const QString& argument)
{
    return !argument.isEmpty() && !argument.startsWith(QLatin1Char('-')) &&
           !argument.contains(QLatin1Char(' ')) && !argument.contains(QLatin1Char('/')) &&
           !fuzz::hasControlCharacter(argument);
}

} // namespace

void TunnelLink::removeLeftovers(const QString& interface, const QString& endpointRoute,
                                 const QString& resolvConfCopy, const LogSink& log)
{
    Q_UNUSED(resolvConfCopy)
    Q_UNUSED(log)
    // "ip link del NAME": a plain interface name of at most 15 characters.
    if (deletesLink(interface)) {
        FUZZ_CHECK(interface.size() <= 15);
        FUZZ_CHECK(isSafeArgument(interface));
    }
    // "ip -4 route del ADDRESS/32": one host route (an IPv6 literal passes too; "ip -4" then
    // refuses it, which is harmless).
    if (deletesRoute(endpointRoute)) {
        const QString host = endpointRoute.section(QLatin1Char('/'), 0, 0);
        FUZZ_CHECK(WireGuardConfig::isIpLiteral(host));
        FUZZ_CHECK(endpointRoute == host + QStringLiteral("/32"));
        FUZZ_CHECK(isSafeArgument(host));
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // readAll() stops after the first 512-byte read past 4096 bytes.
    const QByteArray state = fuzz::bytes(data, size).left(4096 + 512);

    // InstanceFile::stop reads the owner and the process id it signals.
    const bool owner = field(state, "uid") == QString::number(1000);
    const pid_t pid = pid_t(field(state, "pid").toInt());
    Q_UNUSED(owner)
    Q_UNUSED(pid)

    // What a claim or a stop does with a dead run's state (InstanceFile::removeLeftovers, which
    // is private).
    TunnelLink::removeLeftovers(field(state, "interface"), field(state, "endpoint"),
                                InstanceFile::resolvConfCopyFor(QStringLiteral("/h/wg.conf")), {});
    return 0;
}
