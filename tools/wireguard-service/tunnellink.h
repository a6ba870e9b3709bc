#pragma once

#include "wireguardconfig.h"

#include <QObject>
#include <QProcess>

#include <functional>

// One userspace WireGuard interface "wgcl<n>" run by wireguard-go: its keys and peer, its
// addresses, the routes that send all traffic through it and its DNS: through systemd-resolved
// where it is safe, else in /etc/resolv.conf.
class TunnelLink : public QObject
{
    Q_OBJECT

public:
    using LogSink = std::function<void(const QString&)>;
    using Recorder = std::function<void(const QString& interface, const QString& endpointRoute)>;

    explicit TunnelLink(LogSink log, QObject* parent = nullptr);
    ~TunnelLink() override;

    // Told what the link will own before it creates it.
    void setRecorder(Recorder recorder) { m_record = std::move(recorder); }
    // Where the /etc/resolv.conf the tunnel replaces is kept.
    void setResolvConfCopy(const QString& path) { m_resolvConfCopy = path; }
    bool up(const WireGuardConfig& config, QString* error);
    void down();

    QString interfaceName() const { return m_interface; }
    QString endpointRoute() const { return m_endpointRoute; }
    bool handshakeDone() const;
    bool transfer(quint64* received, quint64* sent) const;

    // The default routes become two halves each, so they win over the existing default route
    // without replacing it.
    static QStringList tunnelRoutes(const QStringList& allowedIps);
    // Cleans up after an instance that ended without doing so.
    static void removeLeftovers(const QString& interface, const QString& endpointRoute,
                                const QString& resolvConfCopy, const LogSink& log);

signals:
    void ended();

private:
    static QString freeInterfaceName();
    bool addEndpointRoute(const QString& host, QString* error);
    bool startDaemon(QString* error);
    bool configureDevice(const WireGuardConfig& config, QString* error);
    bool addRoutes(const WireGuardConfig& config, QString* error);
    void applyDns(const QStringList& dns);
    void writeResolvConf(const QStringList& dns);
    static void putBackResolvConf(const QString& copyPath, const LogSink& log);
    bool run(const QString& tool, const QStringList& arguments, QString* error,
             const QByteArray& input = QByteArray());
    void onDaemonOutput();

    void record() const;

    LogSink m_log;
    Recorder m_record;
    QProcess m_daemon;
    QString m_interface;
    QString m_endpointRoute;
    QString m_resolvConfCopy;
    bool m_dnsApplied = false;
    bool m_resolvConfWritten = false;
    bool m_stopping = false;
};
