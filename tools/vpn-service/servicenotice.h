#pragma once

#include <QString>

#include <sys/types.h>

// The texts the service sends. A "started:" tells which start request of its link it answers
// ("started:ID,CODE,REQUEST,NAME"): a client may have several starts of one name in flight.
// Clients that read only the second and the last field are unaffected by the third.
class ServiceNotice
{
public:
    static QString started(qint64 id, int code, quint64 request, const QString& name);
    static QString finished(qint64 id, int code, const QString& name);
    // A request number means something only on the link that sent the request: a notice held
    // for a later link loses it.
    static QString forLaterLink(const QString& text);
};
