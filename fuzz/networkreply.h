#pragma once

#include "api/networkapi.h"
#include "api/networkreplylimit.h"
#include "fuzzsupport.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <cstring>

namespace fuzz {

// A finished reply that holds the body, as QNetworkAccessManager hands it to NetworkApi.
class BodyReply : public QNetworkReply
{
public:
    BodyReply(const QString& url, const QByteArray& body) : m_body(body)
    {
        setUrl(QUrl(url));
        setOperation(QNetworkAccessManager::GetOperation);
        open(QIODevice::ReadOnly);
        setFinished(true);
    }

    void abort() override {}
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override
    {
        return m_body.size() - m_read + QNetworkReply::bytesAvailable();
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 count = qMin<qint64>(maxSize, m_body.size() - m_read);
        if (count > 0)
            std::memcpy(data, m_body.constData() + m_read, size_t(count));
        m_read += count;
        return count;
    }

private:
    QByteArray m_body;
    qint64 m_read = 0;
};

// The body as the reply of a request to url, handed to NetworkApi as its network manager would.
inline void finishRequest(NetworkApi* api, const QString& url, const QByteArray& body)
{
    auto* reply = new BodyReply(url, body);
    // NetworkApi::send gives every reply a body limit; this one is far past any input.
    new NetworkReplyLimit(reply, 64 * 1024 * 1024);
    FUZZ_CHECK(QMetaObject::invokeMethod(api, "onFinished", Qt::DirectConnection,
                                         Q_ARG(QNetworkReply*, reply)));
    delete reply;
}

} // namespace fuzz
