#pragma once

#include <QObject>

class SystemTrayTest : public QObject
{
    Q_OBJECT

private slots:
    void greyLookKeepsLuminanceAndAThirdOfAlpha();
    void trayBehavesUnderATrayHost();
};
