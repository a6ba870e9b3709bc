#include "networkreplytimeout.h"

#include "app/logger.h"

#include <QNetworkReply>
#include <QRegularExpression>
#include <QTimerEvent>

NetworkReplyTimeout::NetworkReplyTimeout(QNetworkReply* reply, int timeoutMs) : QObject(reply)
{
    setObjectName(QStringLiteral("ReplyTimeout"));
    if (reply && reply->isRunning())
        m_timer.start(timeoutMs, this);
}

void NetworkReplyTimeout::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timer.timerId())
        return;
    m_timer.stop();
    auto* reply = qobject_cast<QNetworkReply*>(parent());
    if (!reply) {
        Logger::warning(objectName(), QStringLiteral("Reply doesn't exists"));
        return;
    }
    if (reply->isRunning()) {
        // Said first: the abort reports the reply finished before it returns.
        Logger::info(objectName(), QStringLiteral("Request '%1', cancelled by timer")
                                       .arg(loggableUrl(reply->url().toString())));
        reply->abort();
    }
}

QString NetworkReplyTimeout::loggableUrl(const QString& url)
{
    // The account URL ends in the user name, which stays out of the log.
    static const QLatin1String accounts("accounts/");
    const int at = url.indexOf(accounts);
    return at < 0 ? url : url.left(at + accounts.size()) + QStringLiteral("***");
}

QString NetworkReplyTimeout::loggableText(const QString& text)
{
    // Qt's error texts quote the whole URL.
    static const QRegularExpression accountName(QStringLiteral("accounts/\\S*"));
    return QString(text).replace(accountName, QStringLiteral("accounts/***"));
}
