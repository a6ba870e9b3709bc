#include "tunnelhealthtest.h"

#include "core/tunnelhealth.h"

#include <QtTest>

using Verdict = TunnelHealth::Verdict;
Q_DECLARE_METATYPE(TunnelHealth::Verdict)

namespace {

// A history of the tunnel, one step per word: "rx" something came back, "tx" something went out,
// "probe" a probe went out, "away" the process was stopped or slept, "+N" N seconds pass; a
// history that begins with "oneway" is a tunnel whose keepalives go one way (WireGuard).
TunnelHealth replay(const QString& history, qint64* nowMs)
{
    TunnelHealth health;
    *nowMs = 0;
    health.start(*nowMs, history.startsWith(QLatin1String("oneway")));
    quint64 received = 0;
    quint64 sent = 0;
    for (const QString& step : history.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (step.startsWith(QLatin1Char('+')))
            *nowMs += step.mid(1).toLongLong() * 1000;
        else if (step == QLatin1String("rx"))
            health.record(received += 100, sent, *nowMs);
        else if (step == QLatin1String("tx"))
            health.record(received, sent += 100, *nowMs);
        else if (step == QLatin1String("restart"))
            health.record(received = 0, sent = 0, *nowMs);
        else if (step == QLatin1String("probe"))
            health.probeSent(*nowMs);
        else if (step == QLatin1String("away"))
            health.checkNow();
    }
    return health;
}

} // namespace

void TunnelHealthTest::verdictsOverTime_data()
{
    QTest::addColumn<QString>("history");
    QTest::addColumn<Verdict>("verdict");
    QTest::newRow("fresh") << "" << Verdict::Alive;
    QTest::newRow("quiet both ways, short") << "+22" << Verdict::Alive;
    QTest::newRow("quiet both ways, long: probe") << "+23" << Verdict::Probe;
    QTest::newRow("sent, nothing back for 29 s") << "tx +29" << Verdict::Alive;
    QTest::newRow("sent, nothing back for 30 s: dead") << "tx +30" << Verdict::Dead;
    QTest::newRow("sent and answered") << "tx +20 rx +20" << Verdict::Alive;
    QTest::newRow("answered, then sent into silence") << "rx +5 tx +30" << Verdict::Dead;
    QTest::newRow("unanswered probe is repeated") << "+23 probe +6" << Verdict::Probe;
    QTest::newRow("repeats do not move the window") << "+23 probe +3 probe +4" << Verdict::Dead;
    QTest::newRow("probe unanswered") << "+23 probe tx +7" << Verdict::Dead;
    QTest::newRow("probe answered late in its window") << "+23 probe tx +6 rx +6" << Verdict::Alive;
    QTest::newRow("answered probe, quiet again: probe again")
        << "+23 probe rx +23" << Verdict::Probe;
    QTest::newRow("back from away: probe at once") << "rx +1 away" << Verdict::Probe;
    QTest::newRow("back from away, probe unanswered") << "rx +1 away probe +7" << Verdict::Dead;
    QTest::newRow("back from away, answered") << "rx +1 away probe +1 rx +5" << Verdict::Alive;
    QTest::newRow("restarted counts start afresh") << "tx +10 restart +23" << Verdict::Dead;
    // An idle WireGuard tunnel sends its keepalives into silence: only an unanswered probe kills.
    QTest::newRow("one-way keepalives into silence: probe") << "oneway rx tx +23" << Verdict::Probe;
    QTest::newRow("one-way keepalives, probe answered")
        << "oneway rx tx +23 probe +1 rx +2" << Verdict::Alive;
    QTest::newRow("one-way keepalives, probe unanswered")
        << "oneway rx tx +23 probe tx +7" << Verdict::Dead;
}

void TunnelHealthTest::verdictsOverTime()
{
    QFETCH(QString, history);
    QFETCH(Verdict, verdict);
    qint64 nowMs = 0;
    const TunnelHealth health = replay(history, &nowMs);
    QCOMPARE(health.judge(nowMs), verdict);
}

void TunnelHealthTest::awayFromTheClocks()
{
    const qint64 tick = 1000;
    // On time; a little late; stopped for a minute; asleep for a minute.
    QVERIFY(!TunnelHealth::wasAway(1000, 1000, tick));
    QVERIFY(!TunnelHealth::wasAway(5000, 5000, tick));
    QVERIFY(TunnelHealth::wasAway(61000, 61000, tick));
    QVERIFY(TunnelHealth::wasAway(1000, 61000, tick));
}

void TunnelHealthTest::probeTargets()
{
    QCOMPARE(TunnelHealth::probeTarget(QStringLiteral("172.16.0.1"), QStringLiteral("10.8.0.2")),
             QStringLiteral("172.16.0.1"));
    QCOMPARE(TunnelHealth::probeTarget(QString(), QStringLiteral("10.66.0.2/32")),
             QStringLiteral("10.66.0.1"));
    QCOMPARE(TunnelHealth::probeTarget(QStringLiteral("fd00::1"), QString()), QString());
}
