#pragma once

#include <QObject>
#include <QString>

// Installed version of the client, as the installer's component description records it.
class Update : public QObject
{
    Q_OBJECT

public:
    explicit Update(QObject* parent = nullptr);

    static QString installedVersion();
    // The first "Version" element of a component description; empty when there is none.
    static QString versionFromComponents(const QByteArray& xml);
};
