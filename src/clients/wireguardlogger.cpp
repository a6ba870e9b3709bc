#include "wireguardlogger.h"

#include "app/logger.h"

#include <QDateTime>
#include <QtEndian>

WireGuardLogger::WireGuardLogger(QObject* parent) : QObject(parent), m_watcher(this)
{
    setObjectName(QStringLiteral("WireGuardLogger"));
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &WireGuardLogger::onFileChanged);
}

void WireGuardLogger::open(const QString& path)
{
    m_file.close();
    m_file.setFileName(path);
    // One watch at a time, and none after a failed open.
    const QStringList watched = m_watcher.files();
    if (!watched.isEmpty())
        m_watcher.removePaths(watched);
    if (!m_file.open(QIODevice::ReadOnly)) {
        Logger::critical(objectName(), QStringLiteral("Can't open file '%1'!").arg(path));
        return;
    }
    m_watcher.addPath(path);
}

void WireGuardLogger::readNew()
{
    if (!m_file.isOpen())
        return;
    const QByteArray bytes = m_file.readAll();
    if (!bytes.isEmpty())
        decode(bytes);
}

void WireGuardLogger::close()
{
    m_file.close();
}

void WireGuardLogger::onFileChanged(const QString& path)
{
    Logger::info(objectName(), QStringLiteral("File '%1' changed").arg(path));
    readNew();
}

void WireGuardLogger::decode(const QByteArray& batch)
{
    m_lineCount = 0;
    const auto* data = reinterpret_cast<const uchar*>(batch.constData());
    if (batch.size() >= headerSize && qFromLittleEndian<quint32>(data) == magic)
        m_lineCount = qFromLittleEndian<qint32>(data + 4);
    if (batch.size() < headerSize || qFromLittleEndian<quint32>(data) != magic || m_lineCount < 0) {
        Logger::critical(objectName(), QStringLiteral("Cannot read header!"));
        m_lineCount = 0;
        return;
    }
    Logger::info(objectName(), QStringLiteral("Using filename '%1', total lines: %2")
                                   .arg(m_file.fileName(), QString::number(m_lineCount)));
    emit lineCount(m_lineCount);

    int offset = headerSize;
    for (int i = 0; i < m_lineCount && batch.size() - offset >= recordSize;
         ++i, offset += recordSize) {
        const qint64 stamp = qFromLittleEndian<qint64>(data + offset);
        const QString date = QDateTime::fromSecsSinceEpoch(stamp / 1000000000)
                                 .toLocalTime()
                                 .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        const QByteArray raw = batch.mid(offset + 8, textSize);
        const int end = raw.indexOf('\0');
        const QString line =
            date + QLatin1Char(' ') + QString::fromUtf8(end < 0 ? raw : raw.left(end));
        Logger::info(objectName(), line);
        emit lineReaded(line);
    }
}
