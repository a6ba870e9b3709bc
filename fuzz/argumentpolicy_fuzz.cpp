// ArgumentPolicy::problem: the tool's name, then its arguments, NUL-separated.
#include "argumentpolicy.h"
#include "dnsarguments.h"
#include "fuzzsupport.h"
#include "killswitcharguments.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList list = fuzz::arguments(data, size);
    if (list.isEmpty())
        return 0;
    const QString name = list.first();
    const QStringList arguments = list.mid(1);
    const QString problem = ArgumentPolicy::problem(name, arguments);
    if (!problem.isEmpty())
        return 0;

    // What passes reaches a root-run program: nothing in it may read as an option where the
    // grammar has none, and no control character anywhere.
    for (const QString& argument : arguments)
        FUZZ_CHECK(!fuzz::hasControlCharacter(argument));
    if (name == QLatin1String("dns")) {
        DnsArguments parsed;
        QString error;
        FUZZ_CHECK(parsed.parse(arguments, &error));
        for (const QString& argument : arguments)
            FUZZ_CHECK(!argument.startsWith(QLatin1Char('-')));
    } else if (name == QLatin1String("killswitch")) {
        KillSwitchArguments parsed;
        QString error;
        FUZZ_CHECK(parsed.parse(arguments, &error));
        for (const QString& argument : arguments)
            FUZZ_CHECK(!argument.startsWith(QLatin1Char('-')));
    } else if (name == QLatin1String("openvpn")) {
        FUZZ_CHECK(arguments.size() == 9);
        FUZZ_CHECK(ArgumentPolicy::isFilePath(arguments.at(1)));
        FUZZ_CHECK(ArgumentPolicy::isFilePath(arguments.at(8)));
    } else if (name == QLatin1String("wireguard-service")) {
        FUZZ_CHECK(arguments.at(1).startsWith(QLatin1Char('/')));
        FUZZ_CHECK(!arguments.at(1).split(QLatin1Char('/')).contains(QStringLiteral("..")));
    } else {
        FUZZ_CHECK(name == QLatin1String("network-tool"));
    }
    return 0;
}
