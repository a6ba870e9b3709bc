#pragma once

#include <QFile>
#include <QFileSystemWatcher>
#include <QObject>

// Shows the WireGuard tunnel program's binary ring log "log.bin" in the client's own log.
class WireGuardLogger : public QObject
{
    Q_OBJECT

public:
    static constexpr quint32 magic = 0x0BADBABE;
    static constexpr int headerSize = 8;
    static constexpr int recordSize = 520;
    static constexpr int textSize = 512;

    explicit WireGuardLogger(QObject* parent = nullptr);

    void open(const QString& path);
    void readNew();
    void close();
    // Decodes one batch that starts with the header; logs and emits every record.
    void decode(const QByteArray& batch);

signals:
    void lineCount(int lineCount);
    void lineReaded(const QString& line);

private slots:
    void onFileChanged(const QString& path);

private:
    QFile m_file;
    QFileSystemWatcher m_watcher;
    qint32 m_lineCount = 0;
};
