#pragma once

#include <QByteArray>
#include <QObject>

class QNetworkReply;

// Collects the body of the reply it belongs to, a piece at a time, and aborts the reply as soon
// as the body announces or reaches more than its limit: a hostile server cannot make the client
// hold an endless document.
class NetworkReplyLimit : public QObject
{
    Q_OBJECT

public:
    NetworkReplyLimit(QNetworkReply* reply, qint64 limit);

    // The whole body once the reply has finished; empty after the limit was passed.
    QByteArray takeBody();
    bool exceeded() const { return m_exceeded; }
    qint64 limit() const { return m_limit; }
    // The error text of a reply that grew too large.
    QString errorText() const;

    // Pure: whether a declared or received size is past the limit.
    static bool isPastLimit(qint64 size, qint64 limit) { return size > limit; }

private:
    void onMetaDataChanged();
    void onReadyRead();
    void stop();

    QNetworkReply* m_reply = nullptr;
    qint64 m_limit = 0;
    QByteArray m_body;
    bool m_exceeded = false;
};
