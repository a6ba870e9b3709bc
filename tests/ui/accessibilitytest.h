#pragma once

#include <QObject>

class FakeBackend;

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void keyboardWalk();
    void everyControlIsNamed();

private:
    FakeBackend* m_backend = nullptr;
};
