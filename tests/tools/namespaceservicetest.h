#pragma once

#include <QObject>

// The real service and the real tools inside a network namespace of the test's own, driven by
// the client's own kill switch and service channel.
class NamespaceServiceTest : public QObject
{
    Q_OBJECT

private slots:
    void killSwitchAndDnsThroughTheService();
};
