#pragma once

// What protection and reconnection do next, decided from plain values: the phase of the
// connection, what just happened and the user's settings. The controller gathers the inputs,
// asks, and carries out the answer.
class ProtectionPolicy
{
public:
    enum class Phase
    {
        Idle,
        Attempting,
        Connected,
        WaitingToReconnect
    };

    // Who asked the running attempt or connection to end. Another user's hold ends it as the
    // user's stop does: nothing follows.
    enum class StoppedBy
    {
        Nobody,
        ServerSwitch,
        User
    };

    enum class Event
    {
        UserConnect,
        AutomaticConnect,
        // The preconditions failed before anything reported a state.
        AttemptNotStarted,
        TunnelConnected,
        TunnelEnded,
        UserDisconnect,
        ServerSwitchRequested,
        KillSwitchDialogAccepted,
        LeftoversFound,
        AnotherUserHoldsProtection
    };

    // How a tunnel ended, as its client reports it.
    enum class EndKind
    {
        Other,
        FastDown,
        CrashExit,
        CantFindPorts,
        HeldByAnotherUser,
        // Taken down because the route to the server left the physical network.
        NetworkLost
    };

    enum class KillSwitchAction
    {
        Keep,
        Engage,
        EngageBlockingDns,
        Release,
        RaiseEvent
    };

    enum class DnsAction
    {
        None,
        ForceTunnel,
        RestoreUser,
        Reset
    };

    enum class Reconnection
    {
        None,
        AfterDrop,
        ForServerSwitch,
        // Once the network is back; it does not count as an attempt.
        AfterNetwork,
        RefusedAfterCriticalError,
        GivenUp
    };

    static constexpr int maximumReconnectionAttempts = 3;

    struct Settings
    {
        bool killSwitch = false;
        bool protocolSupportsKillSwitch = false;
        bool autoReconnect = false;
        bool dnsForcing = false;
    };

    struct State
    {
        Phase phase = Phase::Idle;
        StoppedBy stoppedBy = StoppedBy::Nobody;
        int attempts = 0;
        // An event was raised and nothing has happened to the protection since.
        bool killSwitchEventCurrent = false;
        // Our resolvers are in place: the user's are owed back.
        bool tunnelDnsForced = false;
        // The rules of the last connection: no resolver of the tunnel's to force.
        bool killSwitchBlocksDns = false;

        bool operator==(const State& other) const;
    };

    struct Input
    {
        Event event = Event::UserConnect;
        EndKind end = EndKind::Other;
        bool critical = false;
        bool automatic = false;
        bool killSwitchEngaged = false;
        bool tunnelDnsAvailable = false;
        bool dnsLeftBehind = false;
        bool killSwitchLeftBehind = false;
        Settings settings;
    };

    struct Decision
    {
        State next;
        KillSwitchAction killSwitch = KillSwitchAction::Keep;
        DnsAction dns = DnsAction::None;
        Reconnection reconnection = Reconnection::None;
        bool stopTunnel = false;

        bool followUpAttempt() const;
        bool operator==(const Decision& other) const;
    };

    static Decision decide(const State& state, const Input& input);

    // How long an attempt with a deadline may take to reach Connected before it counts as failed.
    static constexpr int attemptDeadlineMs = 30000;
    // Whether the attempt under way is one nobody watches, which fails when it brings no tunnel
    // in time: a reconnection after a drop or a network change, or the tunnel program's own
    // restart of a connection. The user's own attempt, a server switch included, goes on for as
    // long as the user lets it.
    static bool attemptHasDeadline(const State& state, bool reconnection, bool restartingByItself);

private:
    static Decision onConnect(const State& state, const Input& input);
    static Decision onAttemptNotStarted(const State& state, const Input& input);
    static Decision onTunnelConnected(const State& state, const Input& input);
    static Decision onTunnelEnded(const State& state, const Input& input);
    static Decision onUserDisconnect(const State& state, const Input& input);
    static Decision onServerSwitchRequested(const State& state);
    static Decision onKillSwitchDialogAccepted(const State& state, const Input& input);
    static Decision onLeftoversFound(const State& state, const Input& input);
    static Decision onAnotherUserHoldsProtection(const State& state);

    static Reconnection reconnectionAfterEnd(const State& state, const Input& input);
    static Decision endForGood(const State& state, const Input& input, KillSwitchAction killSwitch);
    static DnsAction restoreIfOwed(const State& state, bool tunnelWasUp, const Settings& settings);
};
