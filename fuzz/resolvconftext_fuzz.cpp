// ResolvConfText on what the dns tool and wireguard-service read from the system:
// /etc/resolv.conf as the network left it, and /proc/self/mountinfo.
#include "fuzzsupport.h"
#include "resolvconftext.h"

namespace {

const QString etcFile = QStringLiteral("/etc/resolv.conf");
const QString stub = QStringLiteral("/run/systemd/resolve/stub-resolv.conf");
const QByteArray blockBegin = "# corvalink: tunnel DNS begin\n";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text = fuzz::bytes(data, size);
    const bool acceptable = ResolvConfText::isAcceptable(text);

    const QStringList servers{QStringLiteral("172.16.0.1"), QStringLiteral("fd00::1")};
    const QByteArray tunnel = ResolvConfText::withServers(text, servers);
    FUZZ_CHECK(tunnel.startsWith(blockBegin));
    const QByteArray reset = ResolvConfText::withoutTunnelServers(text);
    FUZZ_CHECK(ResolvConfText::withoutTunnelServers(reset) == reset);
    // Our block goes again with "reset": what is left holds none of its lines.
    for (const QByteArray& line : ResolvConfText::withoutTunnelServers(tunnel).split('\n'))
        FUZZ_CHECK(line + '\n' != blockBegin);
    // Small texts stay within the size limit, so an acceptable one stays acceptable.
    if (acceptable && text.size() < 32 * 1024) {
        FUZZ_CHECK(ResolvConfText::isAcceptable(tunnel));
        FUZZ_CHECK(ResolvConfText::isAcceptable(reset));
    }

    // The same bytes as mountinfo: the answer is one of the two names or none.
    const QString inPlace = ResolvConfText::inPlacePath(text, etcFile, stub);
    FUZZ_CHECK(inPlace.isEmpty() || inPlace == etcFile || inPlace == stub);
    FUZZ_CHECK(ResolvConfText::inPlacePath(text, etcFile, QString()) ==
               (ResolvConfText::isMountPoint(text, etcFile) ? etcFile : QString()));
    return 0;
}
