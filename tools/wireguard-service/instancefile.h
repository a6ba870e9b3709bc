#pragma once

#include <QString>

#include <sys/types.h>

#include <functional>

// The running instance of one configuration: a root-owned state file in /run/corvalink/wireguard
// named after the configuration's path (which may be gone at removal), locked while the instance
// runs, holding its process id, owner uid, interface and endpoint route. Beside it lies the
// /etc/resolv.conf the tunnel replaced, while it is replaced.
class InstanceFile
{
public:
    using LogSink = std::function<void(const QString&)>;

    InstanceFile() = default;
    ~InstanceFile();
    InstanceFile(const InstanceFile&) = delete;
    InstanceFile& operator=(const InstanceFile&) = delete;

    static QString pathFor(const QString& configPath);
    static QString resolvConfCopyFor(const QString& configPath);
    // The user the service runs this for (CORVALINK_USER_UID), else the real uid.
    static uid_t requestingUid();

    // Fails when another instance holds the same configuration. What a run of it that died left
    // behind is removed first.
    bool claim(const QString& configPath, QString* error, const LogSink& log = LogSink());
    void record(const QString& interface, const QString& endpointRoute);
    // Removes the file; the lock goes with the descriptor.
    void release();

    // Asks the running instance to end and waits for it; then removes what a crashed one left.
    // Refuses an instance that belongs to another uid than requestingUid().
    static bool stop(const QString& configPath, int timeoutMs, QString* error,
                     const LogSink& log = LogSink());

private:
    static void removeLeftovers(const QByteArray& state, const QString& configPath,
                                const LogSink& log);

    int m_fd = -1;
    QString m_path;
};
