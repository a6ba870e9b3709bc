#include "httprequestparser.h"

#include <QList>
#include <QUrl>

namespace {

const QByteArray accountsPrefix = QByteArrayLiteral("/v3_1/private/accounts/");

bool isToken(const QByteArray& text)
{
    for (const char c : text) {
        if (c <= ' ' || c >= 127)
            return false;
    }
    return !text.isEmpty();
}

} // namespace

HttpRequestParser::Result HttpRequestParser::parse(const QByteArray& buffer)
{
    const int end = buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return buffer.size() > maxHeadBytes ? refuse(431, buffer.size()) : Result();
    const int consumed = end + 4;
    if (consumed > maxHeadBytes)
        return refuse(431, consumed);
    // Every line keeps its carriage return; the split leaves one empty part at the end.
    QList<QByteArray> lines = buffer.left(end + 2).split('\n');
    lines.removeLast();
    QByteArray path;
    bool http11 = false;
    if (!readRequestLine(lines.first(), &path, &http11))
        return refuse(400, consumed);
    if (!lines.first().startsWith("GET "))
        return refuse(405, consumed);
    Result result;
    result.consumed = consumed;
    if (!readHeaders(lines.mid(1), &result, http11))
        return refuse(400, consumed);
    route(path, &result);
    return result;
}

HttpRequestParser::Result HttpRequestParser::refuse(int status, int consumed)
{
    Result result;
    result.status = status;
    result.consumed = consumed;
    return result;
}

bool HttpRequestParser::readRequestLine(const QByteArray& line, QByteArray* path, bool* http11)
{
    if (!line.endsWith('\r'))
        return false;
    const QList<QByteArray> parts = line.chopped(1).split(' ');
    if (parts.size() != 3 || !isToken(parts[0]) || !isToken(parts[1]))
        return false;
    if (parts[2] != "HTTP/1.1" && parts[2] != "HTTP/1.0")
        return false;
    *http11 = parts[2] == "HTTP/1.1";
    const int query = parts[1].indexOf('?');
    *path = query < 0 ? parts[1] : parts[1].left(query);
    return path->startsWith('/');
}

bool HttpRequestParser::readHeaders(const QList<QByteArray>& lines, Result* result, bool http11)
{
    result->keepAlive = http11;
    for (const QByteArray& raw : lines) {
        const int colon = raw.indexOf(':');
        if (!raw.endsWith('\r') || colon <= 0 || !isToken(raw.left(colon)))
            return false;
        const QByteArray name = raw.left(colon).toLower();
        const QByteArray value = raw.mid(colon + 1).chopped(1).trimmed();
        // Bodies are never read, so a request announcing one is refused.
        if (name == "transfer-encoding" || (name == "content-length" && value != "0"))
            return false;
        if (name == "authorization")
            result->authorization = value;
        else if (name == "connection" && value.toLower() == "close")
            result->keepAlive = false;
    }
    return true;
}

void HttpRequestParser::route(const QByteArray& path, Result* result)
{
    const QByteArray decoded = QByteArray::fromPercentEncoding(path);
    if (decoded.contains("..") || decoded.contains('\0') || decoded.contains('\\')) {
        result->status = 400;
        return;
    }
    result->status = 200;
    if (decoded == "/feeds/serverinfo.xml") {
        result->route = Route::Feed;
    } else if (decoded == "/v3/geoip") {
        result->route = Route::GeoIp;
    } else if (decoded.startsWith(accountsPrefix) && decoded.size() > accountsPrefix.size() &&
               !decoded.mid(accountsPrefix.size()).contains('/')) {
        result->route = Route::Account;
        result->user = QString::fromUtf8(decoded.mid(accountsPrefix.size()));
    } else {
        result->status = 404;
    }
}
