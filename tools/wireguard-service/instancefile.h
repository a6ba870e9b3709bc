#pragma once

#include <QString>

#include <sys/types.h>

// The running instance of one configuration: a root-owned state file in /run/corvalink/wireguard
// named after the configuration's path (which may be gone at removal), locked while the instance
// runs, holding its process id, owner uid, interface and endpoint route.
class InstanceFile
{
public:
    InstanceFile() = default;
    ~InstanceFile();
    InstanceFile(const InstanceFile&) = delete;
    InstanceFile& operator=(const InstanceFile&) = delete;

    static QString pathFor(const QString& configPath);
    // The user the service runs this for (CORVALINK_USER_UID), else the real uid.
    static uid_t requestingUid();

    // Fails when another instance holds the same configuration.
    bool claim(const QString& configPath, QString* error);
    void record(const QString& interface, const QString& endpointRoute);
    // Removes the file; the lock goes with the descriptor.
    void release();

    // Asks the running instance to end and waits for it; then removes what a crashed one left.
    // Refuses an instance that belongs to another uid than requestingUid().
    static bool stop(const QString& configPath, int timeoutMs, QString* error);

private:
    int m_fd = -1;
    QString m_path;
};
