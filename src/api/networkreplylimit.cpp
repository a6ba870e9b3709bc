#include "networkreplylimit.h"

#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

// Qt's network thread reads ahead at most this much before we take it.
const qint64 readBufferBytes = 256 * 1024;

} // namespace

NetworkReplyLimit::NetworkReplyLimit(QNetworkReply* reply, qint64 limit)
    : QObject(reply), m_reply(reply), m_limit(limit)
{
    setObjectName(QStringLiteral("ReplyLimit"));
    reply->setReadBufferSize(readBufferBytes);
    connect(reply, &QNetworkReply::metaDataChanged, this, &NetworkReplyLimit::onMetaDataChanged);
    connect(reply, &QNetworkReply::readyRead, this, &NetworkReplyLimit::onReadyRead);
}

QByteArray NetworkReplyLimit::takeBody()
{
    onReadyRead();
    if (m_exceeded)
        return {};
    QByteArray body;
    body.swap(m_body);
    return body;
}

QString NetworkReplyLimit::errorText() const
{
    return QStringLiteral("Reply larger than %1 bytes").arg(m_limit);
}

void NetworkReplyLimit::onMetaDataChanged()
{
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && isPastLimit(length.toLongLong(), m_limit))
        stop();
}

void NetworkReplyLimit::onReadyRead()
{
    if (m_exceeded)
        return;
    const qint64 available = m_reply->bytesAvailable();
    if (isPastLimit(m_body.size() + available, m_limit)) {
        stop();
        return;
    }
    m_body += m_reply->read(available);
}

void NetworkReplyLimit::stop()
{
    if (m_exceeded)
        return;
    m_exceeded = true;
    m_body.clear();
    m_body.squeeze();
    if (m_reply->isRunning())
        m_reply->abort();
}
