#pragma once

#include "api/account.h"
#include "api/server.h"

#include <QObject>

class QJsonObject;
class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

// The client's HTTPS requests to the provider's backend: the catalogue, the current public IP
// and the account with its WireGuard keys. Each ends in one signal.
class NetworkApi : public QObject
{
    Q_OBJECT

public:
    explicit NetworkApi(QObject* parent = nullptr);

    void requestWireGuardData(const QString& username, const QString& password);
    void stopRequests();

    // "https://" and the API host, or CORVALINK_API_URL when it is set.
    static QString baseUrl();
    QString geoIpUrl() const;
    QString serverListUrl() const;
    QString accountUrl(const QString& username) const;
    static QString urlLabel(const QString& url);
    // An error text without the account's user name.
    static QString loggableError(const QString& url, const QString& errorText);
    static QByteArray basicAuthorization(const QString& username, const QString& password);
    // Test seam: the time a request may take before it is abandoned.
    void setRequestTimeout(int timeoutMs) { m_requestTimeoutMs = timeoutMs; }

    QString ip() const { return m_ip; }
    QString countryCode() const { return m_countryCode; }
    Servers servers() const { return m_servers; }

signals:
    void apiRequestAccountFinished(const Account& account);
    void requestCurrentIpAddressFinished(const QString& ip, const QString& countryCode);
    void requestServerListFinished(const Servers& servers);

public slots:
    void doRequests();
    void requestCurrentIpAddress();
    void requestServerList();

private slots:
    void onFinished(QNetworkReply* reply);

private:
    // The reply is aborted once its body passes limitBytes.
    void send(const QNetworkRequest& request, qint64 limitBytes);
    void handleError(const QString& url, const QString& errorText, int code);
    // The reply's "data" object; false, with a critical line, for malformed JSON.
    bool replyData(const QByteArray& body, QJsonObject& data);
    void handleGeoIp(const QByteArray& body);
    void handleServerList(const QByteArray& body);
    void handleAccount(const QByteArray& body);

    QString m_countryCode;
    QString m_ip;
    Servers m_servers;
    bool m_stopped = false;
    QNetworkAccessManager* m_manager = nullptr;
    int m_requestTimeoutMs = 20000;
};
