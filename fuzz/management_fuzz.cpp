// What the tunnel programs write to the client's report listener, a batch of lines at a time. The
// first byte picks the program, the rest is the stream:
//   even  OpenVPN's management interface: every line through each of OpenVpnClient's line parsers
//         (isGreeting, parsePushReply, parseAssignedIp, parseByteCount)
//   odd   the WireGuard tunnel program's report lines; a byte-count line is split as
//         WireGuardClient::handleReportLine splits it and read by ConnectionStatistics
#include "clients/connectionstatistics.h"
#include "clients/openvpnclient.h"
#include "clientsupport.h"
#include "utils/utils.h"

#include <QHostAddress>

namespace {

void checkPushReply(const QString& line)
{
    const OpenVpnClient::PushedDns withoutIpv6 = OpenVpnClient::parsePushReply(line, false);
    const OpenVpnClient::PushedDns withIpv6 = OpenVpnClient::parsePushReply(line, true);
    for (const OpenVpnClient::PushedDns& dns : {withoutIpv6, withIpv6}) {
        FUZZ_CHECK(dns.handled == line.contains(QLatin1String("PUSH_REPLY")));
        FUZZ_CHECK(dns.complete == (!dns.ipv4.isEmpty() || !dns.ipv6.isEmpty()));
        // Both go on to the root-run DNS tool as arguments.
        if (!dns.ipv4.isEmpty())
            FUZZ_CHECK(Utils::isIpLiteral(dns.ipv4) && Utils::isCanonicalIpv4Address(dns.ipv4));
        if (!dns.ipv6.isEmpty())
            FUZZ_CHECK(Utils::isIpLiteral(dns.ipv6) && Utils::isIpv6Address(dns.ipv6));
        FUZZ_CHECK(line.contains(dns.ipv4) && line.contains(dns.ipv6));
    }
    FUZZ_CHECK(withoutIpv6.ipv6.isEmpty());
    FUZZ_CHECK(withoutIpv6.ipv4 == withIpv6.ipv4);
}

void checkAssignedIp(const QString& line)
{
    const QString address = OpenVpnClient::parseAssignedIp(line);
    if (address.isEmpty())
        return;
    FUZZ_CHECK(line.contains(QLatin1String("ASSIGN_IP")) && line.contains(address));
    FUZZ_CHECK(!QHostAddress(address).isNull());
    FUZZ_CHECK(!fuzz::hasControlCharacter(address));
}

void openVpnLine(const QString& line)
{
    const bool greeting = OpenVpnClient::isGreeting(line);
    FUZZ_CHECK(!greeting ||
               line.contains(QLatin1String(">INFO:OpenVPN Management Interface Version ")));
    checkPushReply(line);
    checkAssignedIp(line);
    if (OpenVpnClient::containsByteCount(line))
        OpenVpnClient::parseByteCount(line);
}

const char units[][5] = {" B", " KiB", " MiB", " GiB", " TiB"};

// A text without a known unit counts nothing.
void checkByteCountText(const QString& text)
{
    const quint64 count = ConnectionStatistics::parseByteCount(text);
    bool unit = false;
    for (const char* suffix : units)
        unit = unit || text.endsWith(QLatin1String(suffix));
    FUZZ_CHECK(unit || count == 0);
}

void wireGuardLine(const QString& line)
{
    const QLatin1String tag(">BYTECOUNT:");
    if (!line.startsWith(tag))
        return;
    const QStringList parts = QString(line).remove(tag).split(QStringLiteral(", "));
    if (parts.size() != 2)
        return;
    checkByteCountText(parts.at(0));
    checkByteCountText(parts.at(1));
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
    const bool wireGuard = data[0] & 1;
    for (const QString& line : fuzz::streamLines(fuzz::bytes(data + 1, size - 1))) {
        // An empty line ends one read; the next read goes on after it.
        if (line.isEmpty())
            continue;
        if (wireGuard)
            wireGuardLine(line);
        else
            openVpnLine(line);
    }
    return 0;
}
