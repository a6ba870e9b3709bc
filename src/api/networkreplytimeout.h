#pragma once

#include <QBasicTimer>
#include <QObject>

class QNetworkReply;

// Aborts the reply it belongs to when it has not finished in time.
class NetworkReplyTimeout : public QObject
{
    Q_OBJECT

public:
    NetworkReplyTimeout(QNetworkReply* reply, int timeoutMs);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    QBasicTimer m_timer;
};
