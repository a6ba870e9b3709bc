#include "tunnelhealth.h"

#include <QHostAddress>

void TunnelHealth::start(qint64 nowMs, bool oneWayKeepalives)
{
    *this = TunnelHealth();
    m_lastReceivedMs = nowMs;
    m_oneWayKeepalives = oneWayKeepalives;
}

void TunnelHealth::record(quint64 received, quint64 sent, qint64 nowMs)
{
    // Counts that go down belong to a restarted tunnel: they start afresh.
    if (received < m_received || sent < m_sent) {
        m_received = received;
        m_sent = sent;
        return;
    }
    if (received > m_received) {
        m_lastReceivedMs = nowMs;
        m_sentSinceReceived = false;
        m_probeMs = -1;
        m_checkNow = false;
    } else if (sent > m_sent) {
        m_sentSinceReceived = true;
    }
    m_received = received;
    m_sent = sent;
}

void TunnelHealth::probeSent(qint64 nowMs)
{
    if (m_probeMs < 0)
        m_probeMs = nowMs;
}

void TunnelHealth::checkNow()
{
    m_checkNow = true;
    m_probeMs = -1;
}

TunnelHealth::Verdict TunnelHealth::judge(qint64 nowMs) const
{
    // One echo may be lost: keep echoing until something comes back or the window closes.
    if (m_probeMs >= 0)
        return nowMs - m_probeMs >= probeAnswerMs ? Verdict::Dead : Verdict::Probe;
    if (m_checkNow)
        return Verdict::Probe;
    const qint64 silentMs = nowMs - m_lastReceivedMs;
    if (m_sentSinceReceived && !m_oneWayKeepalives)
        return silentMs >= silenceMs ? Verdict::Dead : Verdict::Alive;
    return silentMs >= probeAfterMs ? Verdict::Probe : Verdict::Alive;
}

QString TunnelHealth::describe(qint64 nowMs) const
{
    const qint64 silent = (nowMs - m_lastReceivedMs) / 1000;
    if (m_probeMs >= 0)
        return QStringLiteral("no answer to a probe in %1 s, nothing received for %2 s")
            .arg((nowMs - m_probeMs) / 1000)
            .arg(silent);
    return QStringLiteral("nothing received for %1 s while %2 bytes were sent in all")
        .arg(silent)
        .arg(m_sent);
}

bool TunnelHealth::wasAway(qint64 monotonicGapMs, qint64 bootTimeGapMs, qint64 tickMs)
{
    return monotonicGapMs - tickMs > awayMs || bootTimeGapMs - monotonicGapMs > awayMs;
}

QString TunnelHealth::probeTarget(const QString& pushedDnsIpv4, const QString& internalIpv4)
{
    QHostAddress dns(pushedDnsIpv4);
    if (dns.protocol() == QAbstractSocket::IPv4Protocol)
        return dns.toString();
    // An account's address may come with its prefix length.
    QHostAddress own(internalIpv4.section(QLatin1Char('/'), 0, 0));
    if (own.protocol() != QAbstractSocket::IPv4Protocol)
        return {};
    return QHostAddress((own.toIPv4Address() & 0xffffff00u) | 1u).toString();
}
