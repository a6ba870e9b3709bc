#pragma once

#include <QString>

// The running instance of one configuration: a root-owned state file in /run/corvalink/wireguard
// named after the configuration's path (which may be gone at removal), locked while the instance
// runs, holding its process id, interface and endpoint route.
class InstanceFile
{
public:
    InstanceFile() = default;
    ~InstanceFile();
    InstanceFile(const InstanceFile&) = delete;
    InstanceFile& operator=(const InstanceFile&) = delete;

    static QString pathFor(const QString& configPath);

    // Fails when another instance holds the same configuration.
    bool claim(const QString& configPath, QString* error);
    void record(const QString& interface, const QString& endpointRoute);
    // Removes the file; the lock goes with the descriptor.
    void release();

    // Asks the running instance to end and waits for it; then removes what a crashed one left.
    static bool stop(const QString& configPath, int timeoutMs, QString* error);

private:
    int m_fd = -1;
    QString m_path;
};
