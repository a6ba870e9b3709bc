// Typing into the real server window: the application and its QML with a catalogue of N servers
// from the fake backend, the All tab open. For each phrase (many rows, one row, none), every
// keystroke is timed from the key to the next frame on screen; the floor is a plain repaint of
// the same window. Prints medians and worst cases in milliseconds.
//
//   searchwindow_bench [SERVERS]      run under a display (scripts/bench.sh starts Xvfb)
#include "app/application.h"
#include "fakes/fakebackend.h"
#include "models/serverlistmodel.h"
#include "settings/settings.h"
#include "support/testenvironment.h"
#include "support/windowobjects.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>

namespace {

const char* const cities[] = {"Amsterdam", "Berlin", "Rome",   "Madrid", "Paris",
                              "Vienna",    "Prague", "Warsaw", "Oslo",   "Lisbon",
                              "Dublin",    "Athens", "Sofia",  "Riga",   "Tallinn",
                              "Vilnius",   "Zagreb", "Bern",   "Kyiv",   "Bucharest"};
const char* const countries[] = {"nl", "de", "it", "es", "fr", "at", "cz", "pl", "no", "pt",
                                 "ie", "gr", "bg", "lv", "ee", "lt", "hr", "ch", "ua", "ro",
                                 "se", "fi", "dk", "be", "lu", "hu", "sk", "si", "is", "gb",
                                 "us", "ca", "mx", "br", "ar", "cl", "jp", "kr", "sg", "ph"};

// Servers in 40 countries, each city in every country; the last one is "ph-NNNNN" alone.
QByteArray feed(int servers)
{
    QByteArray xml = "<serverList>";
    for (int i = 0; i < servers; ++i) {
        const QByteArray country =
            i == servers - 1 ? QByteArray("ph") : QByteArray(countries[i % 40]);
        const QByteArray city = cities[i / 40 % 20];
        const QByteArray ip =
            QByteArray("127.1.") + QByteArray::number(i / 256) + '.' + QByteArray::number(i % 256);
        xml += "<server name=\"" + country + '-' + QByteArray::number(i).rightJustified(5, '0') +
               "\" country=\"" + country + "\" city=\"" + country + ' ' + city + "\" ip=\"" + ip +
               "\" cpu=\"10\" visible=\"1\" status=\"1\"/>";
    }
    return xml + "</serverList>";
}

// Frames are swapped on the render thread.
std::atomic<qint64> swappedAtNs{-1};

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

// Milliseconds from now, through whatever `act` does, to the next frame on screen.
double untilNextFrame(const QElapsedTimer& clock, const std::function<void()>& act)
{
    const qint64 start = clock.nsecsElapsed();
    swappedAtNs = -1;
    act();
    QElapsedTimer limit;
    limit.start();
    while (swappedAtNs < 0 && limit.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return (swappedAtNs - start) / 1e6;
}

void report(const char* what, const QVector<double>& times)
{
    std::printf("%-34s median %8.2f ms  worst %8.2f ms  (%d frames)\n", what, median(times),
                times.isEmpty() ? 0 : *std::max_element(times.cbegin(), times.cend()),
                int(times.size()));
}

} // namespace

int main(int argc, char** argv)
{
    TestEnvironment::isolate();
    QApplication qtApp(argc, argv);
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(translations);
    const int servers = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;

    FakeBackend backend;
    if (!backend.listen()) {
        std::fprintf(stderr, "the fake backend cannot listen\n");
        return 1;
    }
    backend.setFeed(feed(servers));
    backend.setGeoIp("{\"data\":{\"ip\":\"203.0.113.7\",\"iso_code\":\"nl\"}}");
    qputenv("CORVALINK_API_URL", backend.baseUrl().toUtf8());
    Settings::instance()->setAutoUpdateEnabled(false);
    Settings::instance()->setKillswitchEnabled(false);

    Application app(nullptr);
    if (!app.init()) {
        std::fprintf(stderr, "the application did not start\n");
        return 1;
    }
    QQuickWindow* window = app.mainWindow();
    window->show();
    if (!QTest::qWaitForWindowExposed(window)) {
        std::fprintf(stderr, "the window was not shown\n");
        return 1;
    }
    if (!QTest::qWaitFor([&] { return app.serverListModel()->catalogue().size() == servers; },
                         60000)) {
        std::fprintf(stderr, "the catalogue did not arrive\n");
        return 1;
    }
    // The latency round over the whole catalogue would compete with the frames.
    if (!QTest::qWaitFor([&] { return app.recommendedServersModel()->rowCount() > 0; }, 120000))
        std::fprintf(stderr, "no latency round finished: measuring anyway\n");
    QTest::qWait(1000);

    QElapsedTimer clock;
    clock.start();
    QObject::connect(
        window, &QQuickWindow::frameSwapped, window,
        [&clock] { swappedAtNs = clock.nsecsElapsed(); }, Qt::DirectConnection);

    window->requestActivate();
    QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
    QObject* dialog = WindowObjects::find(QStringLiteral("ServerListWindow"));
    if (!QTest::qWaitFor([&] { return dialog->property("opened").toBool(); }, 5000)) {
        std::fprintf(stderr, "the server window did not open\n");
        return 1;
    }
    dialog->setProperty("currentTab", 1);
    auto* search =
        qobject_cast<QQuickItem*>(WindowObjects::find(QStringLiteral("ServerSearchField")));
    QTest::qWait(500);

    QVector<double> repaints;
    for (int i = 0; i < 40; ++i)
        repaints << untilNextFrame(clock, [window] { window->update(); });
    std::printf("%d servers, All tab\n", servers);
    report("plain repaint", repaints);

    const QStringList phrases = {QStringLiteral("amsterdam"),
                                 QStringLiteral("ph-%1").arg(servers - 1, 5, 10, QLatin1Char('0')),
                                 QStringLiteral("qxqxq")};
    const char* const labels[] = {"keystroke, phrase of many rows", "keystroke, phrase of one row",
                                  "keystroke, phrase of none"};
    for (int p = 0; p < phrases.size(); ++p) {
        search->setProperty("text", QString());
        search->forceActiveFocus();
        QTest::qWait(300);
        QVector<double> keys;
        for (const QChar c : phrases.at(p))
            keys << untilNextFrame(clock, [window, c] { QTest::keyClick(window, c.toLatin1()); });
        if (search->property("text").toString() != phrases.at(p)) {
            std::fprintf(stderr, "the search field did not take the keys\n");
            return 1;
        }
        report(labels[p], keys);
    }
    return 0;
}
