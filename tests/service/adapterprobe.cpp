// Prints the tunnel adapters the client finds, one "name index" line each: run inside a network
// namespace by the adapter test.
#include "service/openvpnnetworkinterfaces.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    OpenVpnNetworkInterfaces adapters;
    adapters.detect(app.arguments().value(1) != QLatin1String("--all"));
    QTextStream out(stdout);
    for (const NetworkInterface& entry : adapters.interfaces())
        out << entry.name << ' ' << entry.index << '\n';
    return adapters.isEmpty() ? 1 : 0;
}
