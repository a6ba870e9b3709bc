#pragma once

#include "instancefile.h"
#include "ringlog.h"
#include "tunnellink.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>

class QSocketNotifier;

// The "--add" run: brings the tunnel up, reports its state and traffic to the client's report
// port once a second, keeps the ring log and takes everything down on SIGTERM.
class TunnelService : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 reportPort = 61976;
    static constexpr int handshakeTimeoutMs = 30000;

    explicit TunnelService(QObject* parent = nullptr);
    ~TunnelService() override;

    // False when the run already ended; exitCode() then tells how. The ring log goes to logFd
    // when it is not -1, else to "log.bin" beside the configuration.
    bool start(const QString& configPath, int logFd = -1);
    int exitCode() const { return m_exitCode; }

    // Reads the configuration without following a link, a plain file of bounded size.
    static bool readConfig(const QString& path, QByteArray* text, QString* error);
    // An error text the client can read: one line, no field separator.
    static QString reportable(const QString& error);

private:
    bool installSignalPipe();
    void onTick();
    void finish(int code, const QString& error);
    void report(const QByteArray& line);
    void log(const QString& text);

    RingLog m_ringLog;
    InstanceFile m_instance;
    TunnelLink m_link;
    QTcpSocket m_report;
    QTimer m_tick;
    QElapsedTimer m_since;
    QSocketNotifier* m_signals = nullptr;
    bool m_connected = false;
    bool m_finished = false;
    int m_exitCode = 0;
};
