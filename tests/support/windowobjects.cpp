#include "windowobjects.h"

#include <QGuiApplication>
#include <QWindow>

QObject* WindowObjects::find(const QString& name)
{
    for (QWindow* window : QGuiApplication::allWindows()) {
        if (window->objectName() == name)
            return window;
        if (QObject* object = window->findChild<QObject*>(name))
            return object;
    }
    return nullptr;
}
