#include "protectionpolicytest.h"

#include "core/countryfallback.h"
#include "core/protectionpolicy.h"

#include <QtTest>

namespace {

using Policy = ProtectionPolicy;

// Short names, each both ways: a row reads and prints in the same words.
template <typename T> struct Name
{
    T value;
    const char* text;
};

const Name<Policy::Phase> phases[] = {{Policy::Phase::Idle, "idle"},
                                      {Policy::Phase::Attempting, "attempting"},
                                      {Policy::Phase::Connected, "connected"},
                                      {Policy::Phase::WaitingToReconnect, "waiting"}};
const Name<Policy::StoppedBy> stoppers[] = {{Policy::StoppedBy::Nobody, "nobody"},
                                            {Policy::StoppedBy::ServerSwitch, "switch"},
                                            {Policy::StoppedBy::User, "user"}};
const Name<Policy::Event> events[] = {{Policy::Event::UserConnect, "connect"},
                                      {Policy::Event::AutomaticConnect, "auto"},
                                      {Policy::Event::AttemptNotStarted, "notStarted"},
                                      {Policy::Event::TunnelConnected, "connected"},
                                      {Policy::Event::TunnelEnded, "ended"},
                                      {Policy::Event::UserDisconnect, "disconnect"},
                                      {Policy::Event::ServerSwitchRequested, "switch"},
                                      {Policy::Event::KillSwitchDialogAccepted, "dialog"},
                                      {Policy::Event::LeftoversFound, "leftovers"},
                                      {Policy::Event::AnotherUserHoldsProtection, "another"}};
const Name<Policy::EndKind> ends[] = {{Policy::EndKind::Other, "other"},
                                      {Policy::EndKind::FastDown, "fastDown"},
                                      {Policy::EndKind::CrashExit, "crash"},
                                      {Policy::EndKind::CantFindPorts, "ports"},
                                      {Policy::EndKind::HeldByAnotherUser, "held"},
                                      {Policy::EndKind::NetworkLost, "network"}};
const Name<Policy::KillSwitchAction> killSwitchActions[] = {
    {Policy::KillSwitchAction::Keep, "keep"},
    {Policy::KillSwitchAction::Engage, "engage"},
    {Policy::KillSwitchAction::EngageBlockingDns, "engage-block"},
    {Policy::KillSwitchAction::Release, "release"},
    {Policy::KillSwitchAction::RaiseEvent, "raise"}};
const Name<Policy::DnsAction> dnsActions[] = {{Policy::DnsAction::None, "none"},
                                              {Policy::DnsAction::ForceTunnel, "force"},
                                              {Policy::DnsAction::RestoreUser, "user"},
                                              {Policy::DnsAction::Reset, "reset"}};
const Name<Policy::Reconnection> reconnections[] = {
    {Policy::Reconnection::None, "none"},
    {Policy::Reconnection::AfterDrop, "drop"},
    {Policy::Reconnection::ForServerSwitch, "switch"},
    {Policy::Reconnection::AfterNetwork, "network"},
    {Policy::Reconnection::RefusedAfterCriticalError, "refused"},
    {Policy::Reconnection::GivenUp, "gaveup"}};

template <typename T, size_t N> bool read(const Name<T> (&names)[N], const QString& word, T* value)
{
    for (const Name<T>& name : names) {
        if (word == QLatin1String(name.text)) {
            *value = name.value;
            return true;
        }
    }
    return false;
}

template <typename T, size_t N> QString text(const Name<T> (&names)[N], T value)
{
    for (const Name<T>& name : names) {
        if (name.value == value)
            return QLatin1String(name.text);
    }
    return QStringLiteral("?");
}

// "waiting by=switch n=1 event forced block": the phase, then what differs from the defaults.
Policy::State stateOf(const QString& row)
{
    Policy::State state;
    for (const QString& word : row.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (read(phases, word, &state.phase))
            continue;
        if (word.startsWith(QLatin1String("by=")) && read(stoppers, word.mid(3), &state.stoppedBy))
            continue;
        if (word.startsWith(QLatin1String("n=")))
            state.attempts = word.mid(2).toInt();
        else if (word == QLatin1String("event"))
            state.killSwitchEventCurrent = true;
        else if (word == QLatin1String("forced"))
            state.tunnelDnsForced = true;
        else if (word == QLatin1String("block"))
            state.killSwitchBlocksDns = true;
        else
            qFatal("unknown state word '%s'", qPrintable(word));
    }
    return state;
}

// "ended crash crit eng": the event, then the facts. The settings are an OpenVPN connection's
// with the kill switch and reconnection on, unless a word turns one off.
Policy::Input inputOf(const QString& row)
{
    Policy::Input input;
    input.settings = {true, true, true, true};
    const QStringList words = row.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty() || !read(events, words.first(), &input.event))
        qFatal("no event in '%s'", qPrintable(row));
    for (const QString& word : words.mid(1)) {
        if (read(ends, word, &input.end))
            continue;
        if (word == QLatin1String("crit"))
            input.critical = true;
        else if (word == QLatin1String("automatic"))
            input.automatic = true;
        else if (word == QLatin1String("eng"))
            input.killSwitchEngaged = true;
        else if (word == QLatin1String("tunnelDns"))
            input.tunnelDnsAvailable = true;
        else if (word == QLatin1String("dnsLeft"))
            input.dnsLeftBehind = true;
        else if (word == QLatin1String("ksLeft"))
            input.killSwitchLeftBehind = true;
        else if (word == QLatin1String("ksOff"))
            input.settings.killSwitch = false;
        else if (word == QLatin1String("unsupported"))
            input.settings.protocolSupportsKillSwitch = false;
        else if (word == QLatin1String("noAuto"))
            input.settings.autoReconnect = false;
        else if (word == QLatin1String("noForcing"))
            input.settings.dnsForcing = false;
        else
            qFatal("unknown input word '%s'", qPrintable(word));
    }
    return input;
}

QString describe(const Policy::Decision& decision)
{
    const Policy::State& next = decision.next;
    QStringList words{text(phases, next.phase)};
    if (next.stoppedBy != Policy::StoppedBy::Nobody)
        words << QStringLiteral("by=") + text(stoppers, next.stoppedBy);
    if (next.attempts != 0)
        words << QStringLiteral("n=%1").arg(next.attempts);
    if (next.killSwitchEventCurrent)
        words << QStringLiteral("event");
    if (next.tunnelDnsForced)
        words << QStringLiteral("forced");
    if (next.killSwitchBlocksDns)
        words << QStringLiteral("block");
    if (decision.killSwitch != Policy::KillSwitchAction::Keep)
        words << QStringLiteral("ks=") + text(killSwitchActions, decision.killSwitch);
    if (decision.dns != Policy::DnsAction::None)
        words << QStringLiteral("dns=") + text(dnsActions, decision.dns);
    if (decision.reconnection != Policy::Reconnection::None)
        words << QStringLiteral("re=") + text(reconnections, decision.reconnection);
    if (decision.stopTunnel)
        words << QStringLiteral("stop");
    return words.join(QLatin1Char(' '));
}

void row(const char* name, const char* state, const char* input, const char* decision)
{
    QTest::newRow(name) << QString::fromLatin1(state) << QString::fromLatin1(input)
                        << QString::fromLatin1(decision);
}

} // namespace

void ProtectionPolicyTest::decisions_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("decision");

    // Connecting: held protection is carried over with the last connection's rules.
    row("connect", "idle", "connect", "attempting");
    row("connect clears the event", "idle event", "connect eng", "attempting ks=engage");
    row("connect, protocol without kill switch", "idle", "connect unsupported", "attempting");
    row("retry re-issues the rules", "waiting n=1 forced", "auto eng",
        "attempting n=1 forced ks=engage");
    row("retry re-issues blocking rules", "waiting n=1 block", "auto eng",
        "attempting n=1 block ks=engage-block");
    row("attempt for a switch", "waiting by=switch forced", "auto eng",
        "attempting forced ks=engage");
    row("retry with a protocol without it", "waiting forced", "auto eng unsupported",
        "attempting ks=release dns=user");
    row("connect with the kill switch turned off", "waiting forced", "connect eng ksOff",
        "attempting ks=release dns=user");
    row("retry after the kill switch was taken", "waiting forced", "auto", "attempting dns=user");

    // An attempt whose preconditions fail.
    row("automatic not started", "attempting", "notStarted automatic eng", "idle event ks=raise");
    row("automatic not started, resolvers owed", "attempting forced", "notStarted automatic eng",
        "idle event ks=raise dns=user");
    row("automatic not started, no protection", "attempting", "notStarted automatic", "idle");
    row("user's not started under held rules", "attempting", "notStarted eng",
        "idle event ks=raise");

    // Connected.
    row("connected, resolver pushed", "attempting", "connected tunnelDns",
        "connected forced ks=engage dns=force");
    row("connected, nothing to force", "attempting", "connected",
        "connected block ks=engage-block");
    row("connected again, nothing to force", "attempting n=2 forced", "connected",
        "connected block ks=engage-block dns=user");
    row("connected again, resolver pushed", "attempting n=2 forced", "connected tunnelDns",
        "connected forced ks=engage dns=force");
    row("connected, WireGuard", "attempting", "connected unsupported noForcing", "connected");
    row("connected, kill switch off", "attempting", "connected ksOff tunnelDns",
        "connected forced dns=force");
    row("connected after a stop", "attempting by=user", "connected tunnelDns",
        "connected forced ks=engage dns=force");
    row("connected, switch still pending", "attempting by=switch", "connected tunnelDns",
        "connected by=switch forced ks=engage dns=force");

    // Ends.
    row("drop holds protection and resolvers", "connected forced", "ended crash eng",
        "waiting n=1 forced re=drop");
    row("second drop", "attempting n=1 forced", "ended crash eng", "waiting n=2 forced re=drop");
    row("network lost: waits, and no attempt is counted", "connected n=2 forced",
        "ended network eng", "waiting n=2 forced re=network");
    row("network lost, no reconnection", "connected forced", "ended network eng noAuto",
        "idle event ks=raise dns=user");
    row("network lost under the user's stop", "connected by=user forced", "ended network eng",
        "idle by=user ks=release dns=user");
    row("fourth drop gives up", "attempting n=3 forced", "ended crash eng",
        "idle event ks=raise dns=user re=gaveup");
    row("drop without kill switch", "connected forced", "ended crash",
        "waiting n=1 dns=user re=drop");
    row("drop, no reconnection", "connected forced", "ended crash eng noAuto",
        "idle event ks=raise dns=user");
    row("critical drop", "connected forced", "ended crash crit eng",
        "idle event ks=raise dns=user re=refused");
    row("critical drop, no reconnection", "connected forced", "ended crash crit eng noAuto",
        "idle event ks=raise dns=user");
    row("user's stop, crash code", "connected by=user forced", "ended crash eng",
        "idle by=user ks=release dns=user");
    row("user's stop", "connected by=user forced", "ended other eng",
        "idle by=user ks=release dns=user");
    row("switch", "connected by=switch forced", "ended other eng",
        "waiting by=switch forced re=switch");
    row("switch without kill switch", "connected by=switch forced", "ended crash",
        "waiting by=switch dns=user re=switch");
    row("switch before the tunnel came up", "attempting by=switch", "ended fastDown crit eng",
        "waiting by=switch re=switch");
    row("fast down", "attempting", "ended fastDown crit eng", "idle event ks=raise");
    row("fast down, resolvers owed", "attempting forced", "ended fastDown crit eng",
        "idle event ks=raise dns=user");
    row("no ports", "attempting", "ended ports crit eng", "idle event ks=raise");
    row("error", "attempting", "ended other crit", "idle dns=user");
    row("another user's hold", "attempting by=user", "ended held crit", "idle by=user dns=user");
    row("WireGuard end", "connected", "ended other unsupported noForcing", "idle");
    row("late end while waiting", "waiting n=1 forced", "ended crash eng", "waiting n=1 forced");
    row("wait cancelled", "waiting by=user n=1 forced", "ended fastDown crit eng",
        "idle by=user n=1 ks=release dns=user");

    // The user's stop.
    row("stop held protection", "idle event", "disconnect eng", "idle by=user ks=release");
    row("stop nothing", "idle", "disconnect", "idle by=user");
    row("stop connection", "connected forced", "disconnect eng", "connected by=user forced stop");
    row("stop wait", "waiting n=1 forced", "disconnect eng", "waiting by=user n=1 forced stop");
    row("stop wins over switch", "attempting by=switch", "disconnect eng",
        "attempting by=user stop");

    // Server choice.
    row("switch connection", "connected", "switch", "connected by=switch stop");
    row("switch attempt", "attempting", "switch", "attempting by=switch stop");
    row("switch again", "connected by=switch", "switch", "connected by=switch");
    row("switch after the user's stop", "connected by=user", "switch", "connected by=user");
    row("switch while idle", "idle", "switch", "idle");
    row("switch while waiting", "waiting n=1", "switch", "waiting n=1");

    // The kill-switch dialog.
    row("dialog releases its event", "idle event", "dialog eng", "idle ks=release");
    row("dialog after a new connection", "connected", "dialog eng", "connected");
    row("dialog, rules already gone", "idle event", "dialog", "idle");

    // Start-up repair.
    row("leftovers, both", "idle", "leftovers dnsLeft ksLeft", "idle ks=release dns=reset");
    row("leftovers, dns", "idle", "leftovers dnsLeft", "idle dns=reset");
    row("leftovers, kill switch", "idle", "leftovers ksLeft", "idle ks=release");
    row("leftovers, none", "idle", "leftovers", "idle");
    row("leftovers, dns not forced here", "idle", "leftovers dnsLeft noForcing", "idle");

    // Another user holds the machine's protection.
    row("another user, connected", "connected", "another", "connected by=user stop");
    row("another user, switch attempt", "attempting by=switch", "another",
        "attempting by=user stop");
    row("another user, waiting", "waiting by=switch", "another", "waiting by=user stop");
}

void ProtectionPolicyTest::decisions()
{
    QFETCH(QString, state);
    QFETCH(QString, input);
    QFETCH(QString, decision);
    QCOMPARE(describe(Policy::decide(stateOf(state), inputOf(input))), decision);
}

void ProtectionPolicyTest::onlyUnwatchedAttemptsHaveADeadline_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("reconnection");
    QTest::addColumn<bool>("restartingByItself");
    QTest::addColumn<bool>("deadline");
    QTest::newRow("reconnection") << "attempting n=1" << true << false << true;
    QTest::newRow("first attempt back on the network") << "attempting" << true << false << true;
    QTest::newRow("the user's attempt") << "attempting" << false << false << false;
    QTest::newRow("reconnection the user stopped")
        << "attempting by=user" << true << false << false;
    QTest::newRow("switch in progress") << "attempting by=switch" << true << false << false;
    QTest::newRow("server switch's attempt") << "attempting" << false << false << false;
    QTest::newRow("tunnel program's own restart") << "connected" << false << true << true;
    QTest::newRow("connected") << "connected" << false << false << false;
    QTest::newRow("waiting") << "waiting n=1" << true << false << false;
}

void ProtectionPolicyTest::onlyUnwatchedAttemptsHaveADeadline()
{
    QFETCH(QString, state);
    QFETCH(bool, reconnection);
    QFETCH(bool, restartingByItself);
    QFETCH(bool, deadline);
    QCOMPARE(Policy::attemptHasDeadline(stateOf(state), reconnection, restartingByItself),
             deadline);
}

void ProtectionPolicyTest::reconnectionsFallBackWithinTheCountry_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<int>("attempt");
    QTest::addColumn<QString>("ranking");
    QTest::addColumn<QString>("server");
    QTest::newRow("first reconnection stays") << "b" << 1 << "a b c"
                                              << "b";
    QTest::newRow("second reconnection stays") << "b" << 2 << "a b c"
                                               << "b";
    QTest::newRow("third goes to the next") << "b" << 3 << "a b c"
                                            << "c";
    QTest::newRow("the worst goes round to the best") << "c" << 3 << "a b c"
                                                      << "a";
    QTest::newRow("not ranked: the best") << "x" << 3 << "a b"
                                          << "a";
    QTest::newRow("alone in its country") << "a" << 3 << "a"
                                          << "a";
    QTest::newRow("no ranking") << "a" << 3 << ""
                                << "a";
}

void ProtectionPolicyTest::reconnectionsFallBackWithinTheCountry()
{
    QFETCH(QString, current);
    QFETCH(int, attempt);
    QFETCH(QString, ranking);
    QFETCH(QString, server);
    QCOMPARE(CountryFallback::serverForAttempt(current, attempt,
                                               ranking.split(QLatin1Char(' '), Qt::SkipEmptyParts)),
             server);
}
