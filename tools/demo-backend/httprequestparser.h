#pragma once

#include <QByteArray>
#include <QString>

// Reads one HTTP/1.1 GET request head from the front of a buffer and names its route.
class HttpRequestParser
{
public:
    static constexpr int maxHeadBytes = 8 * 1024;

    enum class Route
    {
        None,
        Feed,
        GeoIp,
        Account
    };

    struct Result
    {
        // 0 while the head is incomplete, 200 for a routed request, else the error status.
        int status = 0;
        Route route = Route::None;
        QString user;
        QByteArray authorization;
        bool keepAlive = false;
        // Bytes of the buffer the head took.
        int consumed = 0;
    };

    static Result parse(const QByteArray& buffer);

private:
    static Result refuse(int status, int consumed);
    static bool readRequestLine(const QByteArray& line, QByteArray* path, bool* http11);
    static bool readHeaders(const QList<QByteArray>& lines, Result* result, bool http11);
    static void route(const QByteArray& path, Result* result);
};
