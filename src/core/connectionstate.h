#pragma once

#include <QObject>
#include <QString>

// The tunnel states every client reports, readable by name from QML.
class ConnectionState : public QObject
{
    Q_OBJECT

public:
    enum Id
    {
        Disconnected = 0,
        Preparing = 1,
        Connecting = 2,
        Connected = 3,
        Disconnecting = 4,
        Reconnecting = 5,
        Error = 6,
        Unknown = 7
    };
    Q_ENUM(Id)

    explicit ConnectionState(QObject* parent = nullptr);

    // The meta-type "ConnectionState::Id" and the QML type ConnectionState 1.0.
    static void registerTypes();
};

Q_DECLARE_METATYPE(ConnectionState::Id)

QString connectionStateName(ConnectionState::Id id, bool quoted = false);
QString connectionStateText(ConnectionState::Id id);
