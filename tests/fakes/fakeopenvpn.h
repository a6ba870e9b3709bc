#pragma once

#include <QFile>
#include <QObject>
#include <QStringList>
#include <QTimer>

class QTcpSocket;

// Speaks OpenVPN 2.6's management dialogue as the recorded transcripts show it, without any
// tunnel. The scenario comes from FAKE_OPENVPN_SCENARIO: "udp" (the default), "tcp", "wrongpw",
// "drop" (ends by itself after the first traffic report), "crash" (ends once the password is in,
// before any tunnel) or "linger" (ignores "signal SIGTERM" after announcing its exit).
// FAKE_OPENVPN_EXIT_CODE is the code of every end; every argument and received line goes to the
// file named by FAKE_OPENVPN_RECORD.
class FakeOpenVpn : public QObject
{
    Q_OBJECT

public:
    explicit FakeOpenVpn(const QStringList& arguments);
    int start();

private:
    void onLine(QString line);
    void send(const QString& line);
    void log(const QString& flags, const QString& text);
    void state(const QString& fields);
    void connectSequence();
    void exitSequence();
    void sendByteCount();
    void finish(int code);
    void record(const QString& text);
    QString time() const;

    QStringList m_arguments;
    QString m_scenario;
    int m_exitCode = 0;
    QTcpSocket* m_socket = nullptr;
    QFile m_record;
    QFile m_log;
    QTimer m_byteCountTimer;
    quint64 m_in = 2678;
    quint64 m_out = 1763;
    int m_byteCounts = 0;
};
