#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// The requesting user's program-data folder, opened component by component without following
// any link, and the files in it written and removed with that user's file-system identity.
class DataFolder
{
public:
    DataFolder(const QString& path, uid_t owner);
    ~DataFolder();
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;

    // Creates the last folder when it is missing.
    bool open(QString* error);
    bool write(const QString& name, const QByteArray& data, QString* error);
    void remove(const QString& name);

private:
    QString m_path;
    uid_t m_owner;
    int m_fd = -1;
};
