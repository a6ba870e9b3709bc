#include "core/multiping.h"

#include "core/pingwin.h"
#include "platform/icmpecho.h"

#include <algorithm>

MultiPing::MultiPing(QObject* parent) : QObject(parent), m_echo(IcmpEcho::create(this))
{
    setObjectName(QStringLiteral("MultiPing"));
}

MultiPing::~MultiPing()
{
    dropProbes();
}

void MultiPing::sendRequest(const QString& address)
{
    startProbe(address);
}

void MultiPing::sendRequest(const QStringList& list)
{
    // A new round replaces a running one: late results of the old probes never show up in it.
    dropProbes();
    m_results.clear();
    m_timedResults.clear();
    for (const QString& address : list)
        startProbe(address);
}

void MultiPing::onPingFinished(bool success, unsigned int value)
{
    finishProbe(qobject_cast<PingWin*>(sender()), success, value);
}

void MultiPing::finishProbe(PingWin* probe, bool success, unsigned int value)
{
    const auto running = m_probes.constFind(probe);
    if (running == m_probes.cend())
        return;
    const QString address = running.value();
    m_probes.erase(running);
    probe->kill();
    probe->deleteLater();
    recordResult(address, success ? value : failedValue, m_probes.isEmpty());
}

void MultiPing::startProbe(const QString& address)
{
    auto* probe = new PingWin(m_echo, this);
    m_probes.insert(probe, address);
    // Not through sender(): its search of this object's senders makes a round quadratic.
    connect(probe, &PingWin::finished, this, [this, probe](bool success, unsigned int value) {
        finishProbe(probe, success, value);
    });
    probe->ping(address, timeoutMs);
}

void MultiPing::recordResult(const QString& address, unsigned int ms, bool last)
{
    m_timedResults.append({ms, address});
    m_results.append(QStringLiteral("%1:%2").arg(address).arg(ms));
    if (!last)
        return;
    // Copies first: a receiver may start the next round from its slot.
    auto sorted = m_timedResults;
    const QStringList results = m_results;
    m_timedResults.clear();
    std::sort(sorted.begin(), sorted.end());
    for (const auto& result : sorted)
        emit requestFinished(result.second, quint16(result.first));
    emit lastRequestFinished(results);
}

void MultiPing::dropProbes()
{
    const auto probes = m_probes;
    m_probes.clear();
    for (auto probe = probes.cbegin(); probe != probes.cend(); ++probe) {
        probe.key()->kill();
        delete probe.key();
    }
}
