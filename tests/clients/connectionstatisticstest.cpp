#include "connectionstatisticstest.h"

#include "clients/connectionstatistics.h"

#include <QtTest>

void ConnectionStatisticsTest::parsesByteCounts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint64>("bytes");
    QTest::newRow("bytes") << "512 B" << quint64(512);
    QTest::newRow("kibibytes with a fraction") << "1.5 KiB" << quint64(1536);
    QTest::newRow("mebibytes") << "2.0 MiB" << quint64(2097152);
    QTest::newRow("gibibytes") << "3 GiB" << quint64(3221225472);
    QTest::newRow("tebibytes") << "1 TiB" << quint64(1099511627776);
    QTest::newRow("truncated, not rounded") << "0.9 B" << quint64(0);
    QTest::newRow("unreadable number") << "many MiB" << quint64(0);
    QTest::newRow("negative number") << "-5 KiB" << quint64(0);
    QTest::newRow("not a finite number") << "inf GiB" << quint64(0);
    QTest::newRow("beyond 64 bits") << "1e10 TiB" << std::numeric_limits<quint64>::max();
}

void ConnectionStatisticsTest::parsesByteCounts()
{
    QFETCH(QString, text);
    QFETCH(quint64, bytes);
    QCOMPARE(ConnectionStatistics::parseByteCount(text), bytes);
}

void ConnectionStatisticsTest::unknownUnitIsZeroWithCriticalLine()
{
    QTest::ignoreMessage(QtCriticalMsg, "ConnectionStatistics: Parse error, 12 kB");
    QCOMPARE(ConnectionStatistics::parseByteCount(QStringLiteral("12 kB")), quint64(0));
    QTest::ignoreMessage(QtCriticalMsg, "ConnectionStatistics: Parse error, 12 mib");
    QCOMPARE(ConnectionStatistics::parseByteCount(QStringLiteral("12 mib")), quint64(0));
    QTest::ignoreMessage(QtCriticalMsg, "ConnectionStatistics: Parse error, ");
    QCOMPARE(ConnectionStatistics::parseByteCount(QString()), quint64(0));
}

void ConnectionStatisticsTest::formatsByteCounts_data()
{
    QTest::addColumn<quint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << quint64(0) << "0";
    QTest::newRow("one byte") << quint64(1) << "1B";
    QTest::newRow("1023") << quint64(1023) << "1023B";
    QTest::newRow("1024") << quint64(1024) << "1.0KiB";
    QTest::newRow("1536") << quint64(1536) << "1.5KiB";
    QTest::newRow("just below a mebibyte") << quint64(1048575) << "1024.0KiB";
    QTest::newRow("1048576") << quint64(1048576) << "1.0MiB";
    QTest::newRow("gibibyte") << quint64(1073741824) << "1.0GiB";
    QTest::newRow("2^40") << quint64(1099511627776) << "1.0TiB";
    QTest::newRow("largest count") << std::numeric_limits<quint64>::max() << "16777216.0TiB";
}

void ConnectionStatisticsTest::formatsByteCounts()
{
    QFETCH(quint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(ConnectionStatistics::formatByteCount(bytes), text);
}

void ConnectionStatisticsTest::buildsFromTunnelReportTexts()
{
    const ConnectionStatistics statistics(QStringLiteral("2.0 MiB"), QStringLiteral("512 B"));
    QCOMPARE(statistics.received(), quint64(2097152));
    QCOMPARE(statistics.sent(), quint64(512));
    const ConnectionStatistics zero;
    QCOMPARE(zero.received() + zero.sent(), quint64(0));
}
