// Root-run DNS tool: "vpn ENTRY…", "user ENTRY…" or "reset".
#include "datafolder.h"
#include "dnsarguments.h"
#include "dnstool.h"
#include "requestinguser.h"
#include "statefolder.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

const char defaultStateDir[] = "/run/corvalink";

int fail(const QString& message)
{
    std::fprintf(stderr, "dns: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    DnsArguments arguments;
    QString error;
    if (!arguments.parse(app.arguments().mid(1), &error))
        return fail(error);
    uid_t uid = 0;
    bool userGiven = false;
    if (!RequestingUser::fromEnvironment(&uid, &userGiven, &error))
        return fail(error);
    if (!qEnvironmentVariableIsSet("CORVALINK_DATA_DIR"))
        return fail(QStringLiteral("CORVALINK_DATA_DIR is not set"));
    DataFolder folder(qEnvironmentVariable("CORVALINK_DATA_DIR"), uid);
    if (!folder.open(&error))
        return fail(error);
    StateFolder state(StateFolder::pathFromEnvironment(defaultStateDir));
    // Each run reads, changes and writes the saved settings: one at a time.
    if (!state.open(&error) || !state.lock("dns.lock"))
        return fail(error.isEmpty() ? QStringLiteral("cannot lock the state folder") : error);
    DnsTool tool(arguments, folder, state, uid);
    if (!tool.run(&error))
        return fail(error);
    return 0;
}
