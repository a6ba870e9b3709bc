#pragma once

#include <QHash>
#include <QObject>
#include <QPair>
#include <QStringList>
#include <QVector>

class IcmpEcho;
class PingWin;

// Probes IPv4 addresses with ICMP echo in parallel and reports every result as "%1:%2"
// (address, milliseconds, 100000 for a failure) in the order the probes completed, once the
// last one has completed.
class MultiPing : public QObject
{
    Q_OBJECT

public:
    static constexpr unsigned int failedValue = 100000;
    static constexpr int timeoutMs = 1000;

    explicit MultiPing(QObject* parent = nullptr);
    ~MultiPing() override;

signals:
    void lastRequestFinished(const QStringList& data);
    void requestFinished(const QString&, quint16 value);

public slots:
    void sendRequest(const QString& address);
    void sendRequest(const QStringList& list);
    void onPingFinished(bool success, unsigned int value);

private:
    void startProbe(const QString& address);
    void finishProbe(PingWin* probe, bool success, unsigned int value);
    void recordResult(const QString& address, unsigned int ms, bool last);
    void dropProbes();

    QStringList m_results;
    QVector<QPair<unsigned int, QString>> m_timedResults;
    // Each running probe with its address, found at once when it reports.
    QHash<PingWin*, QString> m_probes;
    IcmpEcho* m_echo = nullptr;
};
