// One probe round over 10,000 loopback addresses, the size of a large catalogue. Targets: every
// address answered, the round within 2 s, at most 4 file descriptors added by it. scripts/bench.sh
// runs it under "ulimit -n 1024", the limit of many desktop sessions.
#include "core/multiping.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace {

const int addressCount = 10000;
const int roundLimitMs = 30000;

// 127.0.0.0/8 answers on loopback: 127.1.0.1 and on.
QStringList loopbackAddresses(int count)
{
    QStringList addresses;
    for (int i = 0; i < count; ++i)
        addresses << QStringLiteral("127.1.%1.%2").arg(i / 250).arg(i % 250 + 1);
    return addresses;
}

int openDescriptors()
{
    return QDir(QStringLiteral("/proc/self/fd"))
        .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
        .size();
}

int openFileLimit()
{
    QFile limits(QStringLiteral("/proc/self/limits"));
    if (!limits.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (const QByteArray& line : limits.readAll().split('\n'))
        if (line.startsWith("Max open files"))
            return line.mid(26).simplified().split(' ').value(0).toInt();
    return -1;
}

void pingRound(benchmark::State& state)
{
    const QStringList addresses = loopbackAddresses(addressCount);
    for (auto _ : state) {
        const int before = openDescriptors();
        MultiPing ping;
        QStringList results;
        QEventLoop loop;
        QObject::connect(&ping, &MultiPing::lastRequestFinished, &loop,
                         [&](const QStringList& data) {
                             results = data;
                             loop.quit();
                         });
        QTimer::singleShot(roundLimitMs, &loop, &QEventLoop::quit);
        QElapsedTimer clock;
        clock.start();
        ping.sendRequest(addresses);
        loop.exec();
        const qint64 roundMs = clock.elapsed();
        const int added = openDescriptors() - before;
        const int answered =
            results.size() -
            results.filter(QStringLiteral(":%1").arg(MultiPing::failedValue)).size();
        state.counters["addresses"] = addresses.size();
        state.counters["answered"] = answered;
        state.counters["round_ms"] = double(roundMs);
        state.counters["fds_added"] = added;
        state.counters["fd_limit"] = openFileLimit();
    }
}

} // namespace

BENCHMARK(pingRound)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
