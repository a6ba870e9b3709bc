#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>

class QTcpServer;
class QTcpSocket;

// A loopback HTTP server in the backend's place: the feed, the geo-IP document and account
// documents. It checks the Accept header and, for accounts, the Basic authorisation, and can
// answer late, answer with an HTTP error, or close the connection.
class FakeBackend : public QObject
{
    Q_OBJECT

public:
    enum class Behaviour
    {
        Answer,
        Late,
        HttpError,
        Close
    };

    struct Request
    {
        QString path;
        QHash<QByteArray, QByteArray> headers;
    };

    explicit FakeBackend(QObject* parent = nullptr);

    bool listen();
    QString baseUrl() const;

    void setFeed(const QByteArray& xml) { m_feed = xml; }
    // A feed of that many bytes, made up as it is sent so that this process never holds it;
    // with or without a Content-Length. 0 goes back to the feed of setFeed.
    void setGeneratedFeed(qint64 bytes, bool announceLength);
    void setGeoIp(const QByteArray& json) { m_geoIp = json; }
    // Answers account requests whose Basic credentials are these, with this document.
    void setAccount(const QString& username, const QString& password, const QByteArray& json);
    void setBehaviour(Behaviour behaviour, int httpStatus = 500);

    QList<Request> requests() const { return m_requests; }
    void clearRequests() { m_requests.clear(); }

private:
    void onReadyRead(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const Request& request);
    static void reply(QTcpSocket* socket, int status, const QByteArray& type,
                      const QByteArray& body);
    void streamGeneratedFeed(QTcpSocket* socket);

    QTcpServer* m_server = nullptr;
    QByteArray m_feed;
    qint64 m_generatedFeedBytes = 0;
    bool m_announceGeneratedLength = false;
    QByteArray m_geoIp;
    QByteArray m_authorization;
    QByteArray m_account;
    Behaviour m_behaviour = Behaviour::Answer;
    int m_httpStatus = 500;
    QList<Request> m_requests;
    QHash<QTcpSocket*, QByteArray> m_pending;
};
