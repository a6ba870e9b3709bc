// The kill switch's command line: KillSwitchArguments::parse, NUL-separated elements.
#include "addresstext.h"
#include "fuzzsupport.h"
#include "killswitcharguments.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList arguments = fuzz::arguments(data, size);
    KillSwitchArguments parsed;
    QString error;
    if (!parsed.parse(arguments, &error)) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    if (parsed.action == KillSwitchArguments::Action::Disable) {
        FUZZ_CHECK(arguments.size() == 2);
        return 0;
    }
    // The address goes into an nftables rule: a canonical literal only.
    FUZZ_CHECK(!parsed.serverAddress.isEmpty());
    FUZZ_CHECK(AddressText::canonicalIp(parsed.serverAddress) == parsed.serverAddress);
    FUZZ_CHECK(AddressText::family(parsed.serverAddress) != 0);
    for (const QChar c : parsed.serverAddress)
        FUZZ_CHECK(c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char(':') ||
                   (c >= QLatin1Char('a') && c <= QLatin1Char('f')));
    FUZZ_CHECK(parsed.blockDns == (arguments.size() == 5));
    return 0;
}
