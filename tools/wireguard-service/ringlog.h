#pragma once

#include <QByteArray>
#include <QString>

// The binary ring log "log.bin" beside the configuration: a header (magic, record count) and a
// fixed number of 520-byte records that are overwritten oldest first.
class RingLog
{
public:
    static constexpr quint32 magic = 0x0BADBABE;
    static constexpr int capacity = 256;
    static constexpr int recordSize = 520;
    static constexpr int textSize = 512;

    RingLog() = default;
    ~RingLog();
    RingLog(const RingLog&) = delete;
    RingLog& operator=(const RingLog&) = delete;

    static QByteArray header(qint32 count);
    // The text is cut at a character boundary so that a NUL always ends it.
    static QByteArray record(qint64 nanoseconds, const QString& text);

    // Creates or empties "log.bin" in folder; never follows a link, refuses anything but a plain
    // file with one name.
    bool open(const QString& folder, QString* error);
    // The same checks and start for a descriptor opened elsewhere; the log owns it either way.
    bool adopt(int fd, QString* error);
    void append(const QString& text);
    void close();

private:
    int m_fd = -1;
    qint64 m_written = 0;
};
