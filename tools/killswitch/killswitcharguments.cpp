#include "killswitcharguments.h"

#include "addresstext.h"

bool KillSwitchArguments::parse(const QStringList& arguments, QString* error)
{
    if (arguments == QStringList{QStringLiteral("disable"), QStringLiteral("all")}) {
        action = Action::Disable;
        return true;
    }
    const bool blockDnsGiven = arguments.size() == 5;
    if ((arguments.size() != 4 && !blockDnsGiven) || arguments.at(0) != QLatin1String("enable") ||
        arguments.at(1) != QLatin1String("all") ||
        (!arguments.at(3).isEmpty() && arguments.at(3) != QLatin1String("local")) ||
        (blockDnsGiven && arguments.at(4) != QLatin1String("block-dns"))) {
        *error = QStringLiteral(
            "usage: killswitch enable all ADDRESS local|\"\" [block-dns] | disable all");
        return false;
    }
    // The rule needs the address itself: a host name would be resolved outside the tunnel.
    serverAddress = AddressText::canonicalIp(arguments.at(2));
    if (serverAddress.isEmpty()) {
        *error = QStringLiteral("the server is not an IPv4 or IPv6 address");
        return false;
    }
    action = Action::Enable;
    allowLocal = arguments.at(3) == QLatin1String("local");
    blockDns = blockDnsGiven;
    return true;
}
