#include "platform/icmpecho.h"

#include "app/logger.h"

#include <QStringList>

namespace {

// The IP helper's status codes.
enum Status : unsigned int
{
    NetUnreachable = 11002,
    HostUnreachable = 11003,
    ProtocolUnreachable = 11004,
    PortUnreachable = 11005,
    PacketTooBig = 11009,
    BadRoute = 11012,
    TtlExpiredTransit = 11013,
    TtlExpiredReassembly = 11014,
    ParameterProblem = 11015,
    SourceQuench = 11016,
};

enum IcmpType
{
    DestinationUnreachable = 3,
    Quench = 4,
    TimeExceeded = 11,
    ParameterIssue = 12
};

unsigned int unreachableStatus(int code)
{
    switch (code) {
    case 0:
    case 6:
    case 9:
    case 11:
        return NetUnreachable;
    case 2:
        return ProtocolUnreachable;
    case 3:
        return PortUnreachable;
    case 4:
        return PacketTooBig;
    case 5:
        return BadRoute;
    default:
        return HostUnreachable;
    }
}

} // namespace

const QByteArray IcmpEcho::payload = QByteArray("Data Buffer", 12);

IcmpEcho::IcmpEcho(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Pinger"));
}

bool IcmpEcho::parseAddress(const QString& text, quint32* address)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    quint32 value = 0;
    for (const QString& part : parts) {
        bool ok = false;
        const uint byte = part.toUInt(&ok, 10);
        if (!ok || byte > 255 || part.isEmpty() || part.size() > 3 ||
            part.startsWith(QLatin1Char('+')))
            return false;
        value = value << 8 | byte;
    }
    *address = value;
    return true;
}

unsigned int IcmpEcho::statusForIcmpError(int type, int code)
{
    switch (type) {
    case DestinationUnreachable:
        return unreachableStatus(code);
    case Quench:
        return SourceQuench;
    case TimeExceeded:
        return code == 0 ? TtlExpiredTransit : TtlExpiredReassembly;
    case ParameterIssue:
        return ParameterProblem;
    default:
        return 0;
    }
}

unsigned int IcmpEcho::roundTripMs(qint64 nanoseconds)
{
    return unsigned(qMax<qint64>(1, nanoseconds / 1000000));
}

quint16 IcmpEcho::checksum(const QByteArray& message)
{
    quint32 sum = 0;
    const auto* bytes = reinterpret_cast<const uchar*>(message.constData());
    for (int i = 0; i + 1 < message.size(); i += 2)
        sum += quint32(bytes[i]) << 8 | bytes[i + 1];
    if (message.size() % 2)
        sum += quint32(bytes[message.size() - 1]) << 8;
    while (sum >> 16)
        sum = (sum & 0xffff) + (sum >> 16);
    return quint16(~sum);
}

void IcmpEcho::logReplyStatus(unsigned int status)
{
    switch (status) {
    case NetUnreachable:
    case HostUnreachable:
    case ProtocolUnreachable:
    case PacketTooBig:
    case TtlExpiredTransit:
    case TtlExpiredReassembly:
    case SourceQuench:
        Logger::info(QStringLiteral("Pinger"),
                     QStringLiteral("IcmpCallbackData, reply status %1").arg(status));
        break;
    default:
        break;
    }
}
