// The WireGuard tunnel program's binary ring log "log.bin" as the client reads it into its own
// log: WireGuardLogger::decode over one batch, header first.
#include "clients/wireguardlogger.h"
#include "clientsupport.h"

#include <QtEndian>

namespace {

WireGuardLogger* logger = nullptr;
int announced = -1;
QStringList lines;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startClient();
    logger = new WireGuardLogger;
    QObject::connect(logger, &WireGuardLogger::lineCount, [](int count) { announced = count; });
    QObject::connect(logger, &WireGuardLogger::lineReaded,
                     [](const QString& line) { lines << line; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    announced = -1;
    lines.clear();
    logger->decode(fuzz::bytes(data, size));

    const bool header = size >= size_t(WireGuardLogger::headerSize) &&
                        qFromLittleEndian<quint32>(data) == WireGuardLogger::magic;
    if (!header || announced < 0) {
        FUZZ_CHECK(lines.isEmpty());
        return 0;
    }
    // One line a whole record, never more than the header announces.
    const int records = int((size - WireGuardLogger::headerSize) / WireGuardLogger::recordSize);
    FUZZ_CHECK(announced == qFromLittleEndian<qint32>(data + 4));
    FUZZ_CHECK(lines.size() == qMin(announced, records));
    for (const QString& line : qAsConst(lines)) {
        FUZZ_CHECK(!line.contains(QChar(0)));
        FUZZ_CHECK(line.size() <= 20 + WireGuardLogger::textSize);
    }
    return 0;
}
