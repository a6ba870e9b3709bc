#include "core/pingwin.h"

#include "platform/icmpecho.h"

PingWin::PingWin(IcmpEcho* echo, QObject* parent) : QObject(parent), m_echo(echo)
{
    setObjectName(QStringLiteral("Pinger"));
}

PingWin::~PingWin()
{
    // A probe going away takes its pending request with it: nothing calls back into it.
    if (m_echo && m_request != 0 && !m_reported)
        m_echo->cancel(m_request);
}

void PingWin::ping(const QString& address, int timeoutMs)
{
    if (!m_echo || m_request != 0)
        return;
    m_request = m_echo->request(address, timeoutMs, [this](bool success, unsigned int value) {
        m_reported = true;
        callBackFinished(success, success ? value : 0);
    });
}

void PingWin::kill()
{
    disconnect(this, &PingWin::finished, nullptr, nullptr);
}

void PingWin::callBackFinished(bool success, unsigned int value)
{
    emit finished(success, value);
}
