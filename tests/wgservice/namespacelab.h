#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// Two network namespaces joined by a veth pair (client 10.204.1.2, peer 10.204.1.1, the peer
// the client's default gateway). The client has its own /etc/resolv.conf, so that a tunnel never
// reaches the machine's. Every process started here ends and both namespaces go when the lab
// goes, also after a failed check.
class NamespaceLab
{
public:
    NamespaceLab();
    ~NamespaceLab();
    NamespaceLab(const NamespaceLab&) = delete;
    NamespaceLab& operator=(const NamespaceLab&) = delete;

    bool setUp(QString* error);
    QString client() const { return m_client; }
    QString peer() const { return m_peer; }
    // The client's /etc/resolv.conf as seen from outside.
    QString resolvConf() const;
    static QByteArray originalResolvConf() { return "nameserver 192.0.2.53\n"; }

    // Runs a program inside a namespace and waits for it.
    static bool run(const QString& space, const QStringList& command, QString* output,
                    const QByteArray& input = QByteArray(), int timeoutMs = 20000);
    static bool ip(const QStringList& arguments, QString* output);
    // Starts a long-running program inside a namespace; the lab ends it.
    QProcess* start(const QString& space, const QStringList& command);

private:
    QString m_client;
    QString m_peer;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    bool m_created = false;
    bool m_madeNetnsFolder = false;
};
