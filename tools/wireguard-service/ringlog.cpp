#include "ringlog.h"

#include <QDateTime>
#include <QFile>
#include <QtEndian>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeAt(int fd, const QByteArray& bytes, off_t offset)
{
    return pwrite(fd, bytes.constData(), size_t(bytes.size()), offset) == bytes.size();
}

} // namespace

RingLog::~RingLog()
{
    close();
}

QByteArray RingLog::header(qint32 count)
{
    QByteArray bytes(8, '\0');
    auto* data = reinterpret_cast<uchar*>(bytes.data());
    qToLittleEndian<quint32>(magic, data);
    qToLittleEndian<qint32>(count, data + 4);
    return bytes;
}

QByteArray RingLog::record(qint64 nanoseconds, const QString& text)
{
    QByteArray bytes(recordSize, '\0');
    qToLittleEndian<qint64>(nanoseconds, reinterpret_cast<uchar*>(bytes.data()));
    QByteArray utf8 = text.toUtf8();
    int length = qMin(utf8.size(), textSize - 1);
    while (length > 0 && length < utf8.size() && (uchar(utf8.at(length)) & 0xC0) == 0x80)
        --length;
    bytes.replace(8, length, utf8.left(length));
    return bytes;
}

bool RingLog::open(const QString& folder, QString* error)
{
    close();
    const int dir = ::open(QFile::encodeName(folder).constData(),
                           O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dir < 0) {
        *error = QStringLiteral("cannot open the folder of the configuration");
        return false;
    }
    // No O_TRUNC before the checks: a hard link to another file must stay untouched.
    const int fd =
        openat(dir, "log.bin", O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    ::close(dir);
    if (fd < 0) {
        *error = QStringLiteral("cannot create the ring log");
        return false;
    }
    return adopt(fd, error);
}

bool RingLog::adopt(int fd, QString* error)
{
    // Full size from the start, as a mapped ring is: a reader that has taken the file once sees
    // later records only when it reads it whole again, never a tail without a header.
    const off_t fileSize = off_t(8) + off_t(capacity) * recordSize;
    close();
    struct stat info;
    // Nothing this program starts may inherit it.
    if (fcntl(fd, F_SETFD, FD_CLOEXEC) != 0 || fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_nlink != 1 || ftruncate(fd, 0) != 0 || ftruncate(fd, fileSize) != 0 ||
        fchmod(fd, 0644) != 0 || !writeAt(fd, header(0), 0)) {
        ::close(fd);
        *error = QStringLiteral("cannot create the ring log");
        return false;
    }
    m_fd = fd;
    m_written = 0;
    return true;
}

void RingLog::append(const QString& text)
{
    if (m_fd < 0)
        return;
    const qint64 slot = m_written % capacity;
    const qint64 now = QDateTime::currentMSecsSinceEpoch() * 1000000;
    ++m_written;
    writeAt(m_fd, record(now, text), off_t(8 + slot * recordSize));
    writeAt(m_fd, header(qint32(qMin<qint64>(m_written, capacity))), 0);
}

void RingLog::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}
