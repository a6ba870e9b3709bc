#include "protectionpolicy.h"

namespace {

using Policy = ProtectionPolicy;

bool stopped(const Policy::State& state)
{
    return state.stoppedBy != Policy::StoppedBy::Nobody;
}

bool running(Policy::Phase phase)
{
    return phase == Policy::Phase::Attempting || phase == Policy::Phase::Connected;
}

// The end of a tunnel that never came up.
bool isFastDown(const Policy::Input& input)
{
    return input.critical &&
           (input.end == Policy::EndKind::FastDown || input.end == Policy::EndKind::CantFindPorts);
}

} // namespace

bool ProtectionPolicy::State::operator==(const State& other) const
{
    return phase == other.phase && stoppedBy == other.stoppedBy && attempts == other.attempts &&
           killSwitchEventCurrent == other.killSwitchEventCurrent &&
           tunnelDnsForced == other.tunnelDnsForced &&
           killSwitchBlocksDns == other.killSwitchBlocksDns;
}

bool ProtectionPolicy::Decision::followUpAttempt() const
{
    return reconnection == Reconnection::AfterDrop ||
           reconnection == Reconnection::ForServerSwitch ||
           reconnection == Reconnection::AfterNetwork;
}

bool ProtectionPolicy::Decision::operator==(const Decision& other) const
{
    return next == other.next && killSwitch == other.killSwitch && dns == other.dns &&
           reconnection == other.reconnection && stopTunnel == other.stopTunnel;
}

ProtectionPolicy::Decision ProtectionPolicy::decide(const State& state, const Input& input)
{
    switch (input.event) {
    case Event::UserConnect:
    case Event::AutomaticConnect:
        return onConnect(state, input);
    case Event::AttemptNotStarted:
        return onAttemptNotStarted(state, input);
    case Event::TunnelConnected:
        return onTunnelConnected(state, input);
    case Event::TunnelEnded:
        return onTunnelEnded(state, input);
    case Event::UserDisconnect:
        return onUserDisconnect(state, input);
    case Event::ServerSwitchRequested:
        return onServerSwitchRequested(state);
    case Event::KillSwitchDialogAccepted:
        return onKillSwitchDialogAccepted(state, input);
    case Event::LeftoversFound:
        return onLeftoversFound(state, input);
    case Event::AnotherUserHoldsProtection:
        return onAnotherUserHoldsProtection(state);
    }
    return {state};
}

ProtectionPolicy::Decision ProtectionPolicy::onConnect(const State& state, const Input& input)
{
    Decision decision{state};
    decision.next.phase = Phase::Attempting;
    decision.next.stoppedBy = StoppedBy::Nobody;
    decision.next.killSwitchEventCurrent = false;
    // Protection still engaged (a drop, a server switch) goes on to the next server; only a
    // protocol or a setting without it lets go here.
    const bool keep = input.settings.killSwitch && input.settings.protocolSupportsKillSwitch;
    if (input.killSwitchEngaged)
        decision.killSwitch = !keep                       ? KillSwitchAction::Release
                              : state.killSwitchBlocksDns ? KillSwitchAction::EngageBlockingDns
                                                          : KillSwitchAction::Engage;
    // Our resolvers stay only while the kill switch holds them in.
    if (state.tunnelDnsForced && !(input.killSwitchEngaged && keep)) {
        decision.dns = DnsAction::RestoreUser;
        decision.next.tunnelDnsForced = false;
    }
    return decision;
}

ProtectionPolicy::Decision ProtectionPolicy::onAttemptNotStarted(const State& state,
                                                                 const Input& input)
{
    // An attempt that cannot start under rules still held ends like a failed one: the event
    // offers to let them go, which nothing else would with no connection to end.
    const bool raise = input.killSwitchEngaged;
    Input fastDown = input;
    fastDown.end = EndKind::FastDown;
    fastDown.critical = true;
    return endForGood(state, fastDown,
                      raise ? KillSwitchAction::RaiseEvent : KillSwitchAction::Keep);
}

ProtectionPolicy::Decision ProtectionPolicy::onTunnelConnected(const State& state,
                                                               const Input& input)
{
    Decision decision{state};
    decision.next.phase = Phase::Connected;
    decision.next.attempts = 0;
    // A stop that did not take before the tunnel came up is over; a server switch still follows.
    if (state.stoppedBy == StoppedBy::User)
        decision.next.stoppedBy = StoppedBy::Nobody;
    // Without a resolver of the tunnel's the system's would be reached outside it.
    const bool blocksDns = input.settings.dnsForcing && !input.tunnelDnsAvailable;
    decision.next.killSwitchBlocksDns = blocksDns;
    if (input.settings.killSwitch && input.settings.protocolSupportsKillSwitch)
        decision.killSwitch =
            blocksDns ? KillSwitchAction::EngageBlockingDns : KillSwitchAction::Engage;
    if (input.tunnelDnsAvailable) {
        decision.dns = DnsAction::ForceTunnel;
        decision.next.tunnelDnsForced = true;
    } else if (state.tunnelDnsForced) {
        // The last connection's resolvers are no use to this one.
        decision.dns = DnsAction::RestoreUser;
        decision.next.tunnelDnsForced = false;
    }
    return decision;
}

ProtectionPolicy::Decision ProtectionPolicy::onTunnelEnded(const State& state, const Input& input)
{
    // A late report of the run that was already let go: the wait goes on.
    if (state.phase == Phase::WaitingToReconnect && state.stoppedBy != StoppedBy::User)
        return {state};

    Decision decision{state};
    if (state.stoppedBy == StoppedBy::ServerSwitch)
        decision.reconnection = Reconnection::ForServerSwitch;
    else if (!isFastDown(input))
        decision.reconnection = reconnectionAfterEnd(state, input);
    if (decision.reconnection == Reconnection::AfterDrop)
        decision.next.attempts = state.attempts + 1;
    else if (decision.reconnection == Reconnection::GivenUp)
        decision.next.attempts = 0;

    if (!decision.followUpAttempt()) {
        const bool release = state.stoppedBy == StoppedBy::User;
        const KillSwitchAction fate = !input.killSwitchEngaged ? KillSwitchAction::Keep
                                      : release                ? KillSwitchAction::Release
                                                               : KillSwitchAction::RaiseEvent;
        Decision end = endForGood(decision.next, input, fate);
        end.reconnection = decision.reconnection;
        return end;
    }
    decision.next.phase = Phase::WaitingToReconnect;
    // The kill switch holds for the next attempt, and so do our resolvers: the user's would be
    // reached outside the tunnel in between.
    if (!input.killSwitchEngaged) {
        decision.dns = restoreIfOwed(state, isFastDown(input), input.settings);
        if (decision.dns == DnsAction::RestoreUser)
            decision.next.tunnelDnsForced = false;
    }
    return decision;
}

ProtectionPolicy::Reconnection ProtectionPolicy::reconnectionAfterEnd(const State& state,
                                                                      const Input& input)
{
    if (input.end == EndKind::NetworkLost && !stopped(state))
        return input.settings.autoReconnect ? Reconnection::AfterNetwork : Reconnection::None;
    // An end that was asked for is no crash, whatever code the program ended with.
    if (input.end != EndKind::CrashExit || stopped(state))
        return Reconnection::None;
    if (input.critical)
        return input.settings.autoReconnect ? Reconnection::RefusedAfterCriticalError
                                            : Reconnection::None;
    if (!input.settings.autoReconnect)
        return Reconnection::None;
    if (state.attempts + 1 > maximumReconnectionAttempts)
        return Reconnection::GivenUp;
    return Reconnection::AfterDrop;
}

ProtectionPolicy::Decision ProtectionPolicy::endForGood(const State& state, const Input& input,
                                                        KillSwitchAction killSwitch)
{
    Decision decision{state};
    decision.next.phase = Phase::Idle;
    decision.killSwitch = killSwitch;
    if (killSwitch == KillSwitchAction::Release)
        decision.next.killSwitchEventCurrent = false;
    else if (killSwitch == KillSwitchAction::RaiseEvent)
        decision.next.killSwitchEventCurrent = true;
    decision.dns = restoreIfOwed(state, isFastDown(input), input.settings);
    if (decision.dns == DnsAction::RestoreUser)
        decision.next.tunnelDnsForced = false;
    return decision;
}

ProtectionPolicy::DnsAction ProtectionPolicy::restoreIfOwed(const State& state, bool fastDown,
                                                            const Settings& settings)
{
    // After any tunnel that got going the user's resolvers are put back, forced or not.
    return state.tunnelDnsForced || (settings.dnsForcing && !fastDown) ? DnsAction::RestoreUser
                                                                       : DnsAction::None;
}

ProtectionPolicy::Decision ProtectionPolicy::onUserDisconnect(const State& state,
                                                              const Input& input)
{
    State next = state;
    next.stoppedBy = StoppedBy::User;
    if (state.phase != Phase::Idle) {
        // The end of the run or of the wait settles the protection.
        Decision decision{next};
        decision.stopTunnel = true;
        return decision;
    }
    Input nothingRuns = input;
    nothingRuns.end = EndKind::FastDown;
    nothingRuns.critical = true;
    return endForGood(next, nothingRuns,
                      input.killSwitchEngaged ? KillSwitchAction::Release : KillSwitchAction::Keep);
}

ProtectionPolicy::Decision ProtectionPolicy::onServerSwitchRequested(const State& state)
{
    Decision decision{state};
    // The user's stop wins over a server chosen meanwhile; a switch already asked for is on.
    if (!running(state.phase) || stopped(state))
        return decision;
    decision.next.stoppedBy = StoppedBy::ServerSwitch;
    decision.stopTunnel = true;
    return decision;
}

ProtectionPolicy::Decision ProtectionPolicy::onKillSwitchDialogAccepted(const State& state,
                                                                        const Input& input)
{
    // Closed after the user connected again, the dialog must not open the connection now up.
    if (!state.killSwitchEventCurrent)
        return {state};
    Input nothingRuns = input;
    nothingRuns.end = EndKind::FastDown;
    nothingRuns.critical = true;
    Decision decision =
        endForGood(state, nothingRuns,
                   input.killSwitchEngaged ? KillSwitchAction::Release : KillSwitchAction::Keep);
    decision.next.phase = state.phase;
    decision.next.killSwitchEventCurrent = false;
    return decision;
}

ProtectionPolicy::Decision ProtectionPolicy::onLeftoversFound(const State& state,
                                                              const Input& input)
{
    Decision decision{state};
    decision.next.tunnelDnsForced = false;
    decision.next.killSwitchEventCurrent = false;
    if (input.dnsLeftBehind && input.settings.dnsForcing)
        decision.dns = DnsAction::Reset;
    if (input.killSwitchLeftBehind)
        decision.killSwitch = KillSwitchAction::Release;
    return decision;
}

ProtectionPolicy::Decision ProtectionPolicy::onAnotherUserHoldsProtection(const State& state)
{
    // Trying again would meet the same owner.
    Decision decision{state};
    decision.next.stoppedBy = StoppedBy::User;
    decision.stopTunnel = true;
    return decision;
}

bool ProtectionPolicy::attemptHasDeadline(const State& state, bool reconnection,
                                          bool restartingByItself)
{
    if (state.stoppedBy != StoppedBy::Nobody)
        return false;
    return (state.phase == Phase::Attempting && reconnection) ||
           (state.phase == Phase::Connected && restartingByItself);
}
