// Start-up of the client against a bare Qt Quick window started the same way: both are
// launched by this program and watched by the same method (a file polled every millisecond for
// "First frame shown"); resident memory is read 2 s after that frame. Five runs each after a
// warm-up, alternating, with a 500-server catalogue from the fake backend. Targets: the client's
// first frame within 1.2x the bare window's, its memory within 1.2x.
//
//   startup_bench CLIENT BARE_WINDOW      run under a display
#include "fakes/fakebackend.h"
#include "support/testenvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace {

struct Run
{
    double firstFrameMs = -1;
    double residentMiB = -1;
};

QByteArray feed(int servers)
{
    QByteArray xml = "<serverList>";
    for (int i = 0; i < servers; ++i) {
        const QByteArray n = QByteArray::number(i);
        xml += "<server name=\"nl-" + n + "\" country=\"nl\" city=\"nl Amsterdam\" ip=\"127.2.0." +
               QByteArray::number(i % 250 + 1) + "\" cpu=\"10\" visible=\"1\" status=\"1\"/>";
    }
    return xml + "</serverList>";
}

// One folder listed and one small file read per poll: the watch must not take the CPU that the
// watched program needs.
bool fileHasMark(const QString& folder)
{
    const QDir dir(folder);
    for (const QString& name :
         dir.entryList({QStringLiteral("*.log"), QStringLiteral("first-frame")}, QDir::Files)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains("First frame shown"))
            return true;
    }
    return false;
}

double residentMiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return -1;
}

// Starts the program with a fresh home but the caches of its earlier runs, as on a desktop where
// it started before (a cold shader cache costs Mesa's software renderer hundreds of
// milliseconds), waits for its mark in `watched`, then for its memory.
Run measure(const QString& program, const QStringList& arguments, const QString& home,
            const QString& watched)
{
    static QTemporaryDir caches;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"),
                       caches.path() + QLatin1Char('/') + QFileInfo(program).fileName());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    Run run;
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    while (clock.elapsed() < 20000 && process.state() != QProcess::NotRunning) {
        if (fileHasMark(watched)) {
            run.firstFrameMs = clock.nsecsElapsed() / 1e6;
            break;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 0);
        QThread::usleep(1000);
    }
    if (run.firstFrameMs < 0)
        std::fprintf(stderr, "%s: %s after %lld ms\n", qPrintable(program),
                     process.state() == QProcess::NotRunning ? "ended" : "still running",
                     clock.elapsed());
    if (run.firstFrameMs >= 0) {
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        run.residentMiB = residentMiB(process.processId());
    }
    process.kill();
    process.waitForFinished();
    return run;
}

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? -1 : values.at(values.size() / 2);
}

} // namespace

int main(int argc, char** argv)
{
    TestEnvironment::isolate();
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench CLIENT BARE_WINDOW\n");
        return 2;
    }
    FakeBackend backend;
    if (!backend.listen())
        return 1;
    backend.setFeed(feed(500));
    backend.setGeoIp("{\"data\":{\"ip\":\"203.0.113.7\",\"iso_code\":\"nl\"}}");
    qputenv("CORVALINK_API_URL", backend.baseUrl().toUtf8());

    QVector<double> bareFrames, clientFrames, bareMemory, clientMemory;
    // The first run of each only warms its caches.
    for (int i = 0; i < 6; ++i) {
        QTemporaryDir bareHome, clientHome;
        const QString mark = bareHome.path() + QStringLiteral("/first-frame");
        const Run bare =
            measure(QFile::decodeName(argv[2]), {mark}, bareHome.path(), bareHome.path());
        const Run client =
            measure(QFile::decodeName(argv[1]), {}, clientHome.path(),
                    clientHome.path() + QStringLiteral("/.local/share/Corvalink/logs"));
        if (bare.firstFrameMs < 0 || client.firstFrameMs < 0) {
            std::fprintf(stderr, "no first frame seen from the %s\n",
                         bare.firstFrameMs < 0 ? "bare window" : "client");
            return 1;
        }
        if (i == 0)
            continue;
        bareFrames << bare.firstFrameMs;
        clientFrames << client.firstFrameMs;
        bareMemory << bare.residentMiB;
        clientMemory << client.residentMiB;
    }
    std::printf("first frame      bare %7.1f ms  client %7.1f ms  ratio %.2f (target 1.2)\n",
                median(bareFrames), median(clientFrames),
                median(clientFrames) / median(bareFrames));
    std::printf("resident memory  bare %7.1f MiB client %7.1f MiB ratio %.2f (target 1.2)\n",
                median(bareMemory), median(clientMemory),
                median(clientMemory) / median(bareMemory));
    return 0;
}
