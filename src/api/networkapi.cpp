#include "networkapi.h"

#include "api/catalogue.h"
#include "api/networkreplylimit.h"
#include "api/networkreplytimeout.h"
#include "app/debugmode.h"
#include "app/logger.h"
#include "utils/utils.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

const char geoIpPath[] = "/v3/geoip";
const char serverListPath[] = "/feeds/serverinfo.xml";
const char accountsPath[] = "/v3_1/private/accounts";
const QByteArray jsonType = QByteArrayLiteral("application/json");
const qint64 feedLimitBytes = 32 * 1024 * 1024;
const qint64 jsonLimitBytes = 1024 * 1024;

} // namespace

NetworkApi::NetworkApi(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("NetworkApi"));
    // One manager for the object's life; a manager per request would pile up for days.
    m_manager = new QNetworkAccessManager(this);
    connect(m_manager, &QNetworkAccessManager::finished, this, &NetworkApi::onFinished);
}

QString NetworkApi::baseUrl()
{
    const QString override = qEnvironmentVariable("CORVALINK_API_URL");
    if (!override.isEmpty())
        return override;
    return QStringLiteral("https://") + QStringLiteral(CORVALINK_API_HOST);
}

QString NetworkApi::geoIpUrl() const
{
    return baseUrl() + QLatin1String(geoIpPath);
}

QString NetworkApi::serverListUrl() const
{
    return baseUrl() + QLatin1String(serverListPath);
}

QString NetworkApi::accountUrl(const QString& username) const
{
    const QString url = baseUrl() + QLatin1String(accountsPath);
    return username.isEmpty() ? url : QStringLiteral("%1/%2").arg(url, username);
}

QString NetworkApi::urlLabel(const QString& url)
{
    if (url.contains(QLatin1String("/v3/geoip")))
        return QStringLiteral("API GEO IP URL");
    if (url.contains(QLatin1String("/feeds/serverinfo.xml")))
        return QStringLiteral("API Serverlist URL");
    if (url.contains(QLatin1String("/v3_1/accounts")))
        return QStringLiteral("API Account URL");
    if (url.contains(QLatin1String("/v3_1/private/accounts")))
        return QStringLiteral("API Accounts URL");
    return QStringLiteral("API *** URL");
}

QByteArray NetworkApi::basicAuthorization(const QString& username, const QString& password)
{
    return QByteArrayLiteral("Basic ") +
           QStringLiteral("%1:%2").arg(username, password).toUtf8().toBase64();
}

void NetworkApi::send(const QNetworkRequest& request, qint64 limitBytes)
{
    if (m_stopped)
        return;
    // Qt would inflate a compressed reply in large steps before the size bound sees it.
    QNetworkRequest plain(request);
    plain.setRawHeader(QByteArrayLiteral("Accept-Encoding"), QByteArrayLiteral("identity"));
    // A connection kept from before the tunnel came up (or went down) no longer gets answers,
    // and would show the old address: every request takes a connection of its own.
    plain.setRawHeader(QByteArrayLiteral("Connection"), QByteArrayLiteral("close"));
    QNetworkReply* reply = m_manager->get(plain);
    new NetworkReplyTimeout(reply, m_requestTimeoutMs);
    new NetworkReplyLimit(reply, limitBytes);
}

void NetworkApi::doRequests()
{
    requestServerList();
    requestCurrentIpAddress();
}

void NetworkApi::requestServerList()
{
    send(QNetworkRequest(QUrl(serverListUrl())), feedLimitBytes);
}

void NetworkApi::requestCurrentIpAddress()
{
    if (m_stopped)
        return;
    Logger::info(objectName(), QStringLiteral("Request current IP address"));
    QNetworkRequest request{QUrl(geoIpUrl())};
    request.setRawHeader("Accept", jsonType);
    send(request, jsonLimitBytes);
}

void NetworkApi::requestWireGuardData(const QString& username, const QString& password)
{
    if (m_stopped)
        return;
    Logger::info(objectName(), QStringLiteral("Request wireguard data"));
    QNetworkRequest request{QUrl(accountUrl(username))};
    request.setRawHeader("Authorization", basicAuthorization(username, password));
    request.setRawHeader("Accept", jsonType);
    send(request, jsonLimitBytes);
}

void NetworkApi::stopRequests()
{
    m_stopped = true;
}

void NetworkApi::onFinished(QNetworkReply* reply)
{
    const QString url = reply->url().toString();
    NetworkReplyLimit* limit = reply->findChild<NetworkReplyLimit*>();
    const QByteArray body = limit ? limit->takeBody() : QByteArray();
    if (limit && limit->exceeded()) {
        handleError(url, limit->errorText(), int(reply->error()));
    } else if (reply->error() != QNetworkReply::NoError) {
        handleError(url, reply->errorString(), int(reply->error()));
    } else {
        if (url == geoIpUrl())
            handleGeoIp(body);
        else if (url == serverListUrl())
            handleServerList(body);
        else if (url.startsWith(accountUrl(QString())))
            handleAccount(body);
    }
    reply->deleteLater();
}

QString NetworkApi::loggableError(const QString& url, const QString& errorText)
{
    // The whole URL first: a user name may hold blanks.
    return NetworkReplyTimeout::loggableText(
        QString(errorText).replace(url, NetworkReplyTimeout::loggableUrl(url)));
}

void NetworkApi::handleError(const QString& url, const QString& errorText, int code)
{
    Logger::warning(objectName(),
                    QStringLiteral("'%1' finished, error: %2 (code: %3)")
                        .arg(urlLabel(url), loggableError(url, errorText), QString::number(code)));
    if (url == geoIpUrl())
        emit requestCurrentIpAddressFinished(Utils::placeholderAddress(), QString());
    else if (url == serverListUrl())
        emit requestServerListFinished(Servers());
    else if (url.startsWith(accountUrl(QString())))
        emit apiRequestAccountFinished(Account());
    else
        Logger::info(objectName(), QStringLiteral("API Request URL: %1").arg(urlLabel(url)));
}

bool NetworkApi::replyData(const QByteArray& body, QJsonObject& data)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError) {
        Logger::critical(
            objectName(),
            QStringLiteral("Cannot parse JSON document. Error: '%1'").arg(error.errorString()));
        return false;
    }
    data = document.object().value(QStringLiteral("data")).toObject();
    return true;
}

void NetworkApi::handleGeoIp(const QByteArray& body)
{
    if (DebugMode::enabled())
        Logger::info(objectName(), QStringLiteral("Parse geo reply: ") + QString::fromUtf8(body));
    QString ip;
    QString countryCode;
    QJsonObject data;
    if (replyData(body, data)) {
        ip = data.value(QStringLiteral("ip")).toString();
        countryCode = data.value(QStringLiteral("iso_code")).toString();
    }
    Logger::info(objectName(), QStringLiteral("Request '%1' finished, %2, valid: %3")
                                   .arg(urlLabel(geoIpUrl()),
                                        Catalogue::formatLocationText(ip, countryCode, false),
                                        Utils::boolText(Utils::isIpv4Address(ip))));
    m_ip = ip;
    m_countryCode = countryCode;
    emit requestCurrentIpAddressFinished(ip, countryCode);
}

void NetworkApi::handleServerList(const QByteArray& body)
{
    m_servers = Catalogue::parseServerFeed(this, QString::fromUtf8(body));
    Logger::info(objectName(), QStringLiteral("Request '%1' finished, %2 servers in %3 countries")
                                   .arg(urlLabel(serverListUrl()))
                                   .arg(m_servers.size())
                                   .arg(Catalogue::countryCodes(m_servers).size()));
    emit requestServerListFinished(m_servers);
}

void NetworkApi::handleAccount(const QByteArray& body)
{
    QJsonObject data;
    if (!replyData(body, data)) {
        emit apiRequestAccountFinished(Account());
        return;
    }
    const auto text = [&data](const char* member) {
        return data.value(QLatin1String(member)).toString();
    };
    const Account account(data.value(QStringLiteral("id")).toVariant().toULongLong(),
                          text("username"), text("status"), text("updated"), text("created"),
                          text("wg_ip"), text("wg_private_key"));
    emit apiRequestAccountFinished(account);
}
