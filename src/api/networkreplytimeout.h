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

    // The URL as a log line may show it: nothing after "accounts/".
    static QString loggableUrl(const QString& url);
    // Any text that may quote an account URL.
    static QString loggableText(const QString& text);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    QBasicTimer m_timer;
};
