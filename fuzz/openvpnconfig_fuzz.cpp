// OpenVpnConfigCheck::problem on a user's configuration file, read by the root service.
#include "fuzzsupport.h"
#include "openvpnconfigcheck.h"

#include <QList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text = fuzz::bytes(data, size);
    QByteArray checked;
    const QString problem = OpenVpnConfigCheck::problem(text, &checked);
    if (!problem.isEmpty())
        return 0;

    // OpenVPN gets the rebuilt text: it must pass the same check and rebuild to itself.
    QByteArray again;
    const QString recheck = OpenVpnConfigCheck::problem(checked, &again);
    FUZZ_CHECK(recheck.isEmpty());
    FUZZ_CHECK(again == checked);
    for (const QByteArray& line : checked.split('\n')) {
        FUZZ_CHECK(line.size() + 1 < OpenVpnConfigCheck::maxLineBytes);
        for (const char c : line)
            FUZZ_CHECK(c >= 0x20 && c <= 0x7e);
    }
    return 0;
}
