// network-tool: its command line (Ipv6State::parseArguments) and the state file it reads back
// as root (Ipv6State::fromText). The same bytes feed both.
#include "fuzzsupport.h"
#include "ipv6state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList arguments = fuzz::arguments(data, size);
    Ipv6State::Action action = Ipv6State::Action::Restore;
    QString error;
    if (Ipv6State::parseArguments(arguments, &action, &error))
        FUZZ_CHECK(arguments.size() == (action == Ipv6State::Action::Restore ? 1 : 2));
    else
        FUZZ_CHECK(!error.isEmpty());

    // The values end up as sysctl writes: only known names and 0 or 1.
    QMap<QString, int> values;
    if (!Ipv6State::fromText(fuzz::bytes(data, size), &values))
        return 0;
    FUZZ_CHECK(!values.isEmpty());
    for (auto it = values.begin(); it != values.end(); ++it) {
        FUZZ_CHECK(Ipv6State::settingNames().contains(it.key()));
        FUZZ_CHECK(it.value() == 0 || it.value() == 1);
    }
    QMap<QString, int> again;
    FUZZ_CHECK(Ipv6State::fromText(Ipv6State::toText(values), &again));
    FUZZ_CHECK(again == values);
    return 0;
}
