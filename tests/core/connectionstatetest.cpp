#include "connectionstatetest.h"

#include "core/connectionstate.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QtTest>

void ConnectionStateTest::logNames_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("quoted");
    QTest::addColumn<QString>("name");
    QTest::newRow("Disconnected") << 0 << false << "Disconnected";
    QTest::newRow("Connecting") << 2 << false << "Connecting";
    QTest::newRow("Connected quoted") << 3 << true << "'Connected'";
    QTest::newRow("Reconnecting") << 5 << false << "Reconnecting";
    QTest::newRow("Unknown") << 7 << false << "Unknown";
    QTest::newRow("8") << 8 << false << "Unknown";
    QTest::newRow("8 quoted") << 8 << true << "'Unknown'";
    QTest::newRow("-1") << -1 << false << "Unknown";
}

void ConnectionStateTest::logNames()
{
    QFETCH(int, value);
    QFETCH(bool, quoted);
    QFETCH(QString, name);
    QCOMPARE(connectionStateName(ConnectionState::Id(value), quoted), name);
}

void ConnectionStateTest::displayTexts_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("Disconnected") << 0 << "Disconnected";
    QTest::newRow("Preparing") << 1 << "Preparing";
    QTest::newRow("Connecting") << 2 << "Connecting...";
    QTest::newRow("Connected") << 3 << "Connected";
    QTest::newRow("Disconnecting") << 4 << "Disconnecting...";
    QTest::newRow("Reconnecting") << 5 << "Reconnecting...";
    QTest::newRow("Error") << 6 << "Error!";
    QTest::newRow("Unknown") << 7 << "Unknown";
    QTest::newRow("out of range") << 42 << "Unknown";
}

void ConnectionStateTest::displayTexts()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(connectionStateText(ConnectionState::Id(value)), text);
}

void ConnectionStateTest::registeredForSignalsAndQml()
{
    ConnectionState::registerTypes();
    const int type = QMetaType::type("ConnectionState::Id");
    QVERIFY(type != QMetaType::UnknownType);
    QCOMPARE(type, qMetaTypeId<ConnectionState::Id>());

    QQmlEngine engine;
    QQmlComponent component(&engine);
    component.setData("import QtQml 2.0\nimport ConnectionState 1.0\n"
                      "QtObject { property int connected: ConnectionState.Connected;"
                      " property int error: ConnectionState.Error }",
                      QUrl());
    QScopedPointer<QObject> object(component.create());
    QVERIFY2(object, qPrintable(component.errorString()));
    QCOMPARE(object->property("connected").toInt(), 3);
    QCOMPARE(object->property("error").toInt(), 6);
}
