#include "connectionstate.h"

#include <QCoreApplication>
#include <QMetaType>
#include <QQmlEngine>

namespace {

const char* const logTexts[] = {"Disconnected",  "Preparing",    "Connecting", "Connected",
                                "Disconnecting", "Reconnecting", "Error",      "Unknown"};

const char* const displayTexts[] = {
    QT_TRANSLATE_NOOP("ConnectionState", "Disconnected"),
    QT_TRANSLATE_NOOP("ConnectionState", "Preparing"),
    QT_TRANSLATE_NOOP("ConnectionState", "Connecting..."),
    QT_TRANSLATE_NOOP("ConnectionState", "Connected"),
    QT_TRANSLATE_NOOP("ConnectionState", "Disconnecting..."),
    QT_TRANSLATE_NOOP("ConnectionState", "Reconnecting..."),
    QT_TRANSLATE_NOOP("ConnectionState", "Error!"),
};

} // namespace

ConnectionState::ConnectionState(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("ConnectionState"));
}

void ConnectionState::registerTypes()
{
    qRegisterMetaType<ConnectionState::Id>("ConnectionState::Id");
    qmlRegisterType<ConnectionState>("ConnectionState", 1, 0, "ConnectionState");
}

QString connectionStateName(ConnectionState::Id id, bool quoted)
{
    const int value = int(id);
    const QString name =
        QString::fromLatin1(value >= 0 && value <= 7 ? logTexts[value] : "Unknown");
    return quoted ? QStringLiteral("'%1'").arg(name) : name;
}

QString connectionStateText(ConnectionState::Id id)
{
    const int value = int(id);
    if (value < 0 || value > 6)
        return QCoreApplication::translate("ConnectionState", "Unknown");
    return QCoreApplication::translate("ConnectionState", displayTexts[value]);
}
