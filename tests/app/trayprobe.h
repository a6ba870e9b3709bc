#pragma once

#include <QObject>

// The tray's behaviour checked from inside a process on a display with a tray host; the app
// suite runs it under its private X session.
class TrayProbe : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void menuReportsEachAction();
    void flashingStopsAtTheConnectedLook();
    void disabledMenuIgnoresClicks();
    void emptyMessageShowsNoBalloon();
};
