#include "platform/platform.h"
#include "platform/sockettable.h"

#include <QHostAddress>
#include <QVector>

// The socket headers must come before windows.h.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <iphlpapi.h>
#include <sddl.h>
#include <windows.h>
#include <wtsapi32.h>

namespace Platform {

namespace {

struct Connection
{
    QHostAddress localAddress;
    quint16 localPort = 0;
    QHostAddress remoteAddress;
    quint16 remotePort = 0;
    DWORD state = 0;
    DWORD processId = 0;
};

const int tableAttempts = 4;

// GetExtendedTcpTable tells how large a buffer it needs; the table may grow in between.
QByteArray tcpTable(ULONG family, TCP_TABLE_CLASS tableClass)
{
    QByteArray buffer;
    DWORD size = 0;
    for (int attempt = 0; attempt < tableAttempts; ++attempt) {
        const DWORD result = GetExtendedTcpTable(buffer.isEmpty() ? nullptr : buffer.data(), &size,
                                                 FALSE, family, tableClass, 0);
        if (result == NO_ERROR)
            return buffer;
        if (result != ERROR_INSUFFICIENT_BUFFER)
            return {};
        buffer.resize(int(size));
    }
    return {};
}

quint16 port(DWORD networkOrder)
{
    return ntohs(u_short(networkOrder));
}

QVector<Connection> connections(TCP_TABLE_CLASS tableClass)
{
    QVector<Connection> found;
    const QByteArray v4 = tcpTable(AF_INET, tableClass);
    if (!v4.isEmpty()) {
        const auto* table = reinterpret_cast<const MIB_TCPTABLE_OWNER_PID*>(v4.constData());
        for (DWORD i = 0; i < table->dwNumEntries; ++i) {
            const MIB_TCPROW_OWNER_PID& row = table->table[i];
            found.append({QHostAddress(quint32(ntohl(row.dwLocalAddr))), port(row.dwLocalPort),
                          QHostAddress(quint32(ntohl(row.dwRemoteAddr))), port(row.dwRemotePort),
                          row.dwState, row.dwOwningPid});
        }
    }
    const QByteArray v6 = tcpTable(AF_INET6, tableClass);
    if (!v6.isEmpty()) {
        const auto* table = reinterpret_cast<const MIB_TCP6TABLE_OWNER_PID*>(v6.constData());
        for (DWORD i = 0; i < table->dwNumEntries; ++i) {
            const MIB_TCP6ROW_OWNER_PID& row = table->table[i];
            found.append({SocketTable::plainAddress(QHostAddress(row.ucLocalAddr)),
                          port(row.dwLocalPort),
                          SocketTable::plainAddress(QHostAddress(row.ucRemoteAddr)),
                          port(row.dwRemotePort), row.dwState, row.dwOwningPid});
        }
    }
    return found;
}

QString sidText(PSID sid)
{
    LPWSTR text = nullptr;
    if (!ConvertSidToStringSidW(sid, &text))
        return {};
    const QString result = QString::fromWCharArray(text);
    LocalFree(text);
    return result;
}

QString tokenAccount(HANDLE process)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    QByteArray buffer(int(size), '\0');
    QString account;
    if (size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size))
        account = sidText(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid);
    CloseHandle(token);
    return account;
}

// An ordinary user may not open the token of a SYSTEM process; the terminal service still tells
// whose process it is.
QString sessionListAccount(DWORD processId)
{
    PWTS_PROCESS_INFOW processes = nullptr;
    DWORD count = 0;
    if (!WTSEnumerateProcessesW(WTS_CURRENT_SERVER_HANDLE, 0, 1, &processes, &count))
        return {};
    QString account;
    for (DWORD i = 0; i < count; ++i) {
        if (processes[i].ProcessId == processId && processes[i].pUserSid) {
            account = sidText(processes[i].pUserSid);
            break;
        }
    }
    WTSFreeMemory(processes);
    return account;
}

QString processAccount(DWORD processId)
{
    if (processId == 0)
        return {};
    QString account;
    if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)) {
        account = tokenAccount(process);
        CloseHandle(process);
    }
    return account.isEmpty() ? sessionListAccount(processId) : account;
}

} // namespace

QString peerSocketOwner(const QHostAddress& ourAddress, quint16 ourPort,
                        const QHostAddress& peerAddress, quint16 peerPort)
{
    // Exactly the reverse of our connection, in any state; a listener is never a peer.
    const QHostAddress us = SocketTable::plainAddress(ourAddress);
    const QHostAddress them = SocketTable::plainAddress(peerAddress);
    DWORD owner = 0;
    int found = 0;
    for (const Connection& c : connections(TCP_TABLE_OWNER_PID_ALL)) {
        if (c.state == MIB_TCP_STATE_LISTEN || c.localPort != peerPort || c.remotePort != ourPort ||
            c.localAddress != them || c.remoteAddress != us)
            continue;
        owner = c.processId;
        ++found;
    }
    return found == 1 ? processAccount(owner) : QString();
}

QString loopbackListenerOwner(quint16 port)
{
    DWORD owner = 0;
    for (const Connection& c : connections(TCP_TABLE_OWNER_PID_LISTENER)) {
        const bool here = c.localAddress.isLoopback() || c.localAddress == QHostAddress::AnyIPv4 ||
                          c.localAddress == QHostAddress::AnyIPv6;
        if (c.localPort != port || !here)
            continue;
        if (owner != 0 && owner != c.processId)
            return {};
        owner = c.processId;
    }
    return processAccount(owner);
}

QString currentAccount()
{
    return tokenAccount(GetCurrentProcess());
}

QString systemAccount()
{
    return QStringLiteral("S-1-5-18");
}

bool processListensOn(qint64 processId, const QString& address, quint16 port)
{
    const QHostAddress wanted(address);
    for (const Connection& c : connections(TCP_TABLE_OWNER_PID_LISTENER)) {
        if (c.localPort == port && c.localAddress == wanted && qint64(c.processId) == processId)
            return true;
    }
    return false;
}

} // namespace Platform
