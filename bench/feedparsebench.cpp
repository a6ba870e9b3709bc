// Parse time of the server feed per server, for feeds of 1,000 to 50,000 servers. The time per
// server must not grow with the feed: the 50,000 case stays below three times the 1,000 case.
#include "api/catalogue.h"

#include <QCoreApplication>
#include <QString>

#include <benchmark/benchmark.h>

namespace {

QString generatedFeed(int servers)
{
    static const char* const countries[] = {"de", "nl", "se", "us", "gb",
                                            "fr", "ch", "jp", "ca", "au"};
    QString feed = QStringLiteral("<?xml version=\"1.0\"?>\n<serverList>\n");
    feed.reserve(servers * 160);
    for (int i = 0; i < servers; ++i) {
        const QString country = QString::fromLatin1(countries[i % 10]);
        feed += QStringLiteral(
                    "<server name=\"%1-%2\" country=\"%1\" city=\"%1 City%3\" ip=\"10.%4.%5.%6\" "
                    "cpu=\"%7\" capacity=\"100\" visible=\"1\" status=\"1\"/>\n")
                    .arg(country)
                    .arg(i)
                    .arg(i % 97)
                    .arg(i / 65536 % 256)
                    .arg(i / 256 % 256)
                    .arg(i % 256)
                    .arg(i % 90 + 1);
    }
    return feed + QStringLiteral("</serverList>\n");
}

void parseFeed(benchmark::State& state)
{
    const int servers = int(state.range(0));
    const QString feed = generatedFeed(servers);
    for (auto _ : state) {
        Servers parsed = Catalogue::parseServerFeed(nullptr, feed);
        benchmark::DoNotOptimize(parsed);
    }
    state.counters["per_server"] =
        benchmark::Counter(double(servers), benchmark::Counter::kIsIterationInvariantRate |
                                                benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(parseFeed)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
