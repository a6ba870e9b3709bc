// What the latency prober's ICMP socket receives: the first byte tells how it arrived, the rest is
// the packet.
//   bit 0  from a raw socket (IP header first) or a datagram socket (ICMP header first):
//          IcmpEchoLinux::parsePacket
//   bit 1  from a datagram socket's error queue, the returned request with the ICMP type and code
//          of the next two bytes: IcmpEchoLinux::parseQueuedError
#include "clientsupport.h"
#include "platform/linux/icmpecholinux.h"

#include <QtEndian>

using Packet = IcmpEchoLinux::Packet;

namespace {

void checkPacket(const Packet& packet)
{
    // An error completes a request as failed only when it is one the prober reports.
    if (packet.kind == Packet::Kind::Error)
        FUZZ_CHECK(IcmpEcho::statusForIcmpError(packet.type, packet.code) != 0);
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
    const bool withIpHeader = data[0] & 1;
    if (data[0] & 2) {
        if (size < 3)
            return 0;
        const Packet packet =
            IcmpEchoLinux::parseQueuedError(fuzz::bytes(data + 3, size - 3), data[1], data[2]);
        checkPacket(packet);
        return 0;
    }
    const QByteArray bytes = fuzz::bytes(data + 1, size - 1);
    const Packet packet = IcmpEchoLinux::parsePacket(bytes, withIpHeader);
    checkPacket(packet);
    // Our own request, answered: the reply carries what the request did.
    if (bytes.size() >= 4) {
        const quint16 identifier = qFromBigEndian<quint16>(bytes.constData());
        const quint16 sequence = qFromBigEndian<quint16>(bytes.constData() + 2);
        QByteArray answer = IcmpEchoLinux::echoRequest(identifier, sequence);
        FUZZ_CHECK(IcmpEcho::checksum(answer) == 0);
        FUZZ_CHECK(IcmpEchoLinux::parsePacket(answer, false).kind == Packet::Kind::Other);
        answer[0] = 0;
        const Packet reply = IcmpEchoLinux::parsePacket(answer, false);
        FUZZ_CHECK(reply.kind == Packet::Kind::Reply && reply.identifier == identifier &&
                   reply.sequence == sequence);
    }
    return 0;
}
