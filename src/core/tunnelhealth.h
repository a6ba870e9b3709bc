#pragma once

#include <QString>
#include <QtGlobal>

// Whether a tunnel that shows Connected still carries anything, judged from its byte counts
// alone: dead when nothing came back for a while although something went out. A tunnel that
// sent nothing is probed first; a stopped or sleeping process is probed at once on its return.
class TunnelHealth
{
public:
    enum class Verdict
    {
        Alive,
        Probe, // send something through the tunnel, then judge its answer
        Dead
    };

    static constexpr qint64 silenceMs = 30000;
    // A quiet tunnel is probed a little before the silence limit, so that the probe's window
    // ends about when a tunnel that sent into silence is judged.
    static constexpr qint64 probeAfterMs = 23000;
    // How long a probe is repeated before its silence kills: an echo through a live tunnel takes
    // milliseconds, but the first one after a quiet spell may wait for WireGuard's new handshake,
    // whose first try can be lost and is retried after 5 s.
    static constexpr qint64 probeAnswerMs = 7000;
    // A clock tick this late, or this much sleep between two ticks, means the process was away.
    static constexpr qint64 awayMs = 30000;

    // Where the tunnel's keepalives go one way only (WireGuard's), something sent into silence
    // proves nothing: a probe decides.
    void start(qint64 nowMs, bool oneWayKeepalives = false);
    void record(quint64 received, quint64 sent, qint64 nowMs);
    // The first probe of a round opens its window; the echoes repeated within it do not move it.
    void probeSent(qint64 nowMs);
    bool probing() const { return m_probeMs >= 0; }
    // Judge at once, whatever the silence so far: the process was stopped or the machine slept.
    void checkNow();
    Verdict judge(qint64 nowMs) const;
    // What was seen, for the log.
    QString describe(qint64 nowMs) const;

    // Whether the gap between two ticks (expected every tickMs) shows the process was away: the
    // tick came far too late (stopped), or the clock that counts sleep ran ahead of the one that
    // does not (suspended).
    static bool wasAway(qint64 monotonicGapMs, qint64 bootTimeGapMs, qint64 tickMs);
    // Where a probe goes: the tunnel's IPv4 resolver, else the usual gateway (.1) of the tunnel's
    // own IPv4 network. Empty when neither is known.
    static QString probeTarget(const QString& pushedDnsIpv4, const QString& internalIpv4);

private:
    quint64 m_received = 0;
    quint64 m_sent = 0;
    qint64 m_lastReceivedMs = 0;
    bool m_sentSinceReceived = false;
    qint64 m_probeMs = -1;
    bool m_checkNow = false;
    bool m_oneWayKeepalives = false;
};
