#pragma once

#include "platform/icmpecho.h"

#include <QHash>

// ICMP echo through the IP helper: one IcmpSendEcho2 per request, whose completion routine runs
// as an asynchronous procedure call on the sending thread while its event loop waits.
class IcmpEchoWindows : public IcmpEcho
{
    Q_OBJECT

public:
    explicit IcmpEchoWindows(QObject* parent = nullptr);

    quint64 request(const QString& address, int timeoutMs, Completion done) override;
    void cancel(quint64 id) override;
    // From the completion routine; a cancelled request is ignored.
    void complete(quint64 id, bool success, unsigned int milliseconds);

private:
    void failLater(quint64 id);

    quint64 m_nextId = 1;
    QHash<quint64, Completion> m_requests;
};
