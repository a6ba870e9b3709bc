#pragma once

#include "service/adapterdns.h"
#include "service/networkinterface.h"

#include <QString>
#include <QStringList>

class QHostAddress;

// Every fact the client takes from the operating system enters here. One implementation per
// platform lives in linux/ and windows/; the logic that uses these facts stays platform-neutral.
namespace Platform {

struct DisplayFacts
{
    double measuredScalePercent = 100.0;
    int modePixelHeight = 0;
};

struct ToolCommand
{
    QString program;
    QStringList arguments;
};

struct ToolResult
{
    bool started = false;
    bool finished = false;
    int exitCode = -1;
    QByteArray output;
};

QString executableSuffix();
QString platformName();
bool isWindows();
bool isLinux();
bool isMacOS();

// Must be callable before any Qt application object exists.
DisplayFacts displayFacts();

// The folder shared by the client and its privileged tools; empty when none can be found.
QString programDataFolder();

// One running program name per line, as the platform's process lister prints them.
QString processListText();
// For the suites: list only this process and what it started, so that a lab or an installed
// service elsewhere on the machine cannot change what a test sees. Honoured on Linux.
void setProcessListOwnOnly(bool ownOnly);
bool processListOwnOnly();

ToolCommand shellCommand(const QString& commandLine);
ToolCommand mtuCommand(int interfaceIndex, int mtu);

// Runs a tool as an ordinary child process: waits up to timeoutMs to start and to finish.
ToolResult runTool(const ToolCommand& command, int timeoutMs);

QString autoStartValue(const QString& name);
bool writeAutoStartValue(const QString& name, const QString& value);
bool removeAutoStartValue(const QString& name);

QString osDisplayName();

// Milliseconds on a clock that stops while the machine sleeps and on one that runs through it,
// both from an arbitrary start: their gaps tell a suspend from a stopped process.
struct WakeClocks
{
    qint64 monotonicMs = 0;
    qint64 bootTimeMs = 0;
};
WakeClocks wakeClocks();

// The route the system takes to an address now: its device, or none.
struct RouteFacts
{
    bool found = false;
    QString device;
    QString gateway;
};
RouteFacts routeTo(const QString& address);
// "ip -j route get" output.
RouteFacts parseRouteGet(const QByteArray& json);

// The WireGuard driver: the kernel module or the user-space wireguard-go elsewhere.
bool wireGuardDriverInstalled();

// A new file that only its owner may read or write from its first byte: created exclusively
// (never through an existing name or link). The open descriptor for writing, or -1.
int createOwnerOnlyFile(const QString& path);

// Adapters a tunnel can use (vpnOnly) or all adapters but the loopback, in the system's order.
NetworkInterfaces networkInterfaces(bool vpnOnly);

// DNS stock for the DNS manager.
struct DnsFacts
{
    AdapterDnsList adapters;
    // The IPv4 and IPv6 adapter lists could not be paired; adapters is then empty.
    bool familiesMismatch = false;
};

// Every usable adapter with its current DNS servers; blocks while the system tools run.
DnsFacts dnsFacts();

// Accounts as the platform names them: a user id on Linux, a SID on Windows. Empty when unknown.
// The account that owns the socket at the other end of our TCP connection: exactly our peer's
// address and port, connected to exactly ours, in any state.
QString peerSocketOwner(const QHostAddress& ourAddress, quint16 ourPort,
                        const QHostAddress& peerAddress, quint16 peerPort);
// The account that listens on the loopback TCP port (on 127.0.0.1 or on every address).
QString loopbackListenerOwner(quint16 port);
// The account this process runs as, and the system's own (root, SYSTEM).
QString currentAccount();
QString systemAccount();
// True when the process holds a TCP socket listening on address:port.
bool processListensOn(qint64 processId, const QString& address, quint16 port);

} // namespace Platform
