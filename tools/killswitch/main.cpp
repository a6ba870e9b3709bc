// Root-run kill switch: "enable all ADDRESS local|<empty>" or "disable all".
#include "killswitcharguments.h"
#include "killswitchrules.h"
#include "requestinguser.h"
#include "systemcommand.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "killswitch: %s\n", qPrintable(message));
    return 1;
}

QStringList connectedSubnets()
{
    QStringList prefixes;
    for (const QStringList& family :
         {QStringList{QStringLiteral("-j"), QStringLiteral("route")},
          QStringList{QStringLiteral("-j"), QStringLiteral("-6"), QStringLiteral("route")}}) {
        const CommandResult result = SystemCommand::run(QStringLiteral("ip"), family);
        if (result.finished && result.exitCode == 0)
            prefixes << KillSwitchRules::connectedPrefixes(result.output);
    }
    return prefixes;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    KillSwitchArguments arguments;
    QString error;
    if (!arguments.parse(app.arguments().mid(1), &error))
        return fail(error);
    uid_t uid = 0;
    bool userGiven = false;
    if (!RequestingUser::fromEnvironment(&uid, &userGiven, &error))
        return fail(error);

    QString ruleset = KillSwitchRules::disableRuleset();
    if (arguments.action == KillSwitchArguments::Action::Enable) {
        QList<uid_t> uids{0};
        if (userGiven)
            uids << uid;
        const QStringList local = arguments.allowLocal
                                      ? KillSwitchRules::localPrefixes(connectedSubnets())
                                      : QStringList();
        ruleset = KillSwitchRules::enableRuleset(arguments.serverAddress, uids, local,
                                                 arguments.blockDns);
    }
    const CommandResult result = SystemCommand::run(
        QStringLiteral("nft"), {QStringLiteral("-f"), QStringLiteral("-")}, ruleset.toUtf8());
    if (!result.finished || result.exitCode != 0)
        return fail(
            QStringLiteral("nft failed: %1").arg(QString::fromUtf8(result.errors).trimmed()));
    return 0;
}
