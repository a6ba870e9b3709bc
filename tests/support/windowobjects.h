#pragma once

#include <QString>

class QObject;

// The client's windows and the objects in them, found by object name as a test sees them.
class WindowObjects
{
public:
    static QObject* find(const QString& name);
};
