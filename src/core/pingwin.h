#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class IcmpEcho;

// One ICMP echo probe through its prober's shared echo channel; reports exactly once.
class PingWin : public QObject
{
    Q_OBJECT

public:
    explicit PingWin(IcmpEcho* echo, QObject* parent = nullptr);
    ~PingWin() override;

    void ping(const QString& address, int timeoutMs);

signals:
    // value: the round-trip time in milliseconds on success, else 0.
    void finished(bool success, unsigned int value);

public slots:
    void kill();
    void callBackFinished(bool success, unsigned int value);

private:
    QPointer<IcmpEcho> m_echo;
    quint64 m_request = 0;
    bool m_reported = false;
};
