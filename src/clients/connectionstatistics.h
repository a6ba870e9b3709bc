#pragma once

#include <QString>
#include <QtGlobal>

// Bytes received and sent through the tunnel, from exact counts or from display texts.
class ConnectionStatistics
{
public:
    ConnectionStatistics() = default;
    ConnectionStatistics(quint64 received, quint64 sent);
    ConnectionStatistics(const QString& receivedText, const QString& sentText);

    quint64 received() const { return m_received; }
    quint64 sent() const { return m_sent; }

    // "1.5 KiB" gives 1536; a text without a known unit gives 0 and a critical line.
    static quint64 parseByteCount(const QString& text);
    static QString formatByteCount(quint64 count);

private:
    quint64 m_received = 0;
    quint64 m_sent = 0;
};
