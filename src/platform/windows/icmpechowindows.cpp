#include "platform/windows/icmpechowindows.h"

#include "app/logger.h"

#include <QPointer>
#include <QTimer>

// Order matters here: winsock2.h before windows.h, iphlpapi.h before icmpapi.h.
#include <winsock2.h>

#include <windows.h>

#include <winternl.h>
// The SDK declares the completion routine's type in winternl.h; icmpapi.h looks for this mark.
#ifndef PIO_APC_ROUTINE_DEFINED
#define PIO_APC_ROUTINE_DEFINED
#endif

#include <iphlpapi.h>

#include <icmpapi.h>

#include <cstdlib>

namespace {

// One echo reply record, the payload and room for an ICMP error. The record is larger in a 64-bit
// process, so the size follows it.
const DWORD replyBufferSize = DWORD(sizeof(ICMP_ECHO_REPLY)) + 12 + 8;

// Owned by the completion routine once the request is pending. Its end reports a failure when
// nothing was reported, so every request reports exactly once.
struct ProbeContext
{
    DWORD replySize = replyBufferSize;
    void* replyBuffer = nullptr;
    HANDLE icmp = INVALID_HANDLE_VALUE;
    QString address;
    quint64 id = 0;
    QPointer<IcmpEchoWindows> echo;
    bool reported = false;

    // A time of -1 is a failure; any reply that arrived is a success of at least 1 ms.
    void report(long long time)
    {
        if (reported)
            return;
        reported = true;
        if (echo)
            echo->complete(id, time >= 0, time >= 0 ? unsigned(qMax(1LL, time)) : 0U);
    }

    ~ProbeContext()
    {
        report(-1);
        std::free(replyBuffer);
        if (icmp != INVALID_HANDLE_VALUE)
            IcmpCloseHandle(icmp);
    }
};

void NTAPI onEchoCompleted(PVOID apcContext, PIO_STATUS_BLOCK, ULONG)
{
    auto* context = static_cast<ProbeContext*>(apcContext);
    if (IcmpParseReplies(context->replyBuffer, context->replySize) == 0) {
        context->report(-1);
    } else {
        const auto* reply = static_cast<const ICMP_ECHO_REPLY*>(context->replyBuffer);
        if (reply->Options.OptionsSize > 0) {
            // A reply with IP options is not ours to trust: the context's end reports failure.
        } else if (reply->Status != IP_SUCCESS) {
            IcmpEcho::logReplyStatus(reply->Status);
            context->report(-1);
        } else {
            context->report(reply->RoundTripTime);
        }
    }
    delete context;
}

} // namespace

IcmpEcho* IcmpEcho::create(QObject* parent)
{
    return new IcmpEchoWindows(parent);
}

IcmpEchoWindows::IcmpEchoWindows(QObject* parent) : IcmpEcho(parent) {}

quint64 IcmpEchoWindows::request(const QString& address, int timeoutMs, Completion done)
{
    const quint64 id = m_nextId++;
    m_requests.insert(id, done);
    quint32 parsed = 0;
    if (!parseAddress(address, &parsed)) {
        failLater(id);
        return id;
    }
    const IPAddr destination = inet_addr(address.toLatin1().constData());

    auto* context = new ProbeContext;
    context->address = address;
    context->id = id;
    context->echo = this;
    context->icmp = IcmpCreateFile();
    if (context->icmp == INVALID_HANDLE_VALUE) {
        Logger::critical(objectName(), QStringLiteral("Unable to open ICPM handle, last error: ") +
                                           QString::number(GetLastError()));
    } else if (!(context->replyBuffer = std::malloc(context->replySize))) {
        Logger::critical(objectName(),
                         QStringLiteral("Unable to allocate memory for ICMP reply buffer"));
    } else {
        const DWORD result =
            IcmpSendEcho2(context->icmp, nullptr, onEchoCompleted, context, destination,
                          const_cast<char*>(payload.constData()), WORD(payload.size()), nullptr,
                          context->replyBuffer, context->replySize, DWORD(timeoutMs));
        const DWORD error = GetLastError();
        if (result == 0 && error == ERROR_IO_PENDING)
            return id;
        if (result == 0)
            Logger::critical(objectName(), QStringLiteral("IcmpSendEcho2: error %1\n").arg(error));
    }
    // Not pending: the failure reaches the prober through the event loop, never in here.
    context->reported = true;
    delete context;
    failLater(id);
    return id;
}

void IcmpEchoWindows::cancel(quint64 id)
{
    m_requests.remove(id);
}

void IcmpEchoWindows::complete(quint64 id, bool success, unsigned int milliseconds)
{
    const Completion done = m_requests.take(id);
    if (done)
        done(success, milliseconds);
}

void IcmpEchoWindows::failLater(quint64 id)
{
    QTimer::singleShot(0, this, [this, id] { complete(id, false, 0); });
}
