#include "scalefactortest.h"

#include "app/scalefactor.h"

#include <QtTest>

namespace {

const int windowHeight = 650;

Platform::DisplayFacts screen(double scale, int modeHeight)
{
    return Platform::DisplayFacts{scale, modeHeight};
}

} // namespace

void ScaleFactorTest::init()
{
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCALE_FACTOR_ROUNDING_POLICY");
}

void ScaleFactorTest::cleanup()
{
    init();
}

void ScaleFactorTest::choosesFactorForScreen_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("modeHeight");
    QTest::addColumn<float>("factor");
    QTest::addColumn<bool>("largeScale");

    // 1920x1080 shown as 1536x864: 650 x 1.25 fits into 80 % of 1080.
    QTest::newRow("1080p at 125 %") << 125.0 << 1080 << 1.25f << false;
    // 812.5 and then 780 exceed 614.4, so the factor steps down to 1.
    QTest::newRow("1366x768 at 125 %") << 125.0 << 768 << 1.0f << false;
    QTest::newRow("4K at 200 %") << 200.0 << 2160 << 1.0f << true;
    QTest::newRow("100 %") << 100.0 << 1080 << 1.0f << false;
    QTest::newRow("just below the 120 bound") << 121.9 << 1080 << 1.2f << false;
    QTest::newRow("at the 120 bound") << 122.0 << 1080 << 1.25f << false;
    QTest::newRow("175 % on 1440") << 175.0 << 1440 << 1.75f << false;
    // 180, 175, 160, 150 and 140 all exceed 864: the fifth step is the last.
    QTest::newRow("180 % on 1080 stops after five steps") << 180.0 << 1080 << 1.4f << false;
    QTest::newRow("250 % on 1080 leaves scaling to Qt") << 250.0 << 1080 << 1.0f << true;
    QTest::newRow("475 % counts as no entry") << 475.0 << 4320 << 1.0f << false;
    QTest::newRow("600 % counts as no entry") << 600.0 << 4320 << 1.0f << false;
    QTest::newRow("below 100 %") << 50.0 << 1080 << 1.0f << false;
}

void ScaleFactorTest::choosesFactorForScreen()
{
    QFETCH(double, scale);
    QFETCH(int, modeHeight);
    QFETCH(float, factor);
    QFETCH(bool, largeScale);

    const ScaleChoice choice = ScaleFactor::choose(scale, modeHeight, windowHeight);
    QCOMPARE(choice.factor, factor);
    QCOMPARE(choice.largeScale, largeScale);
}

void ScaleFactorTest::lastEntryNeverQualifies()
{
    QCOMPARE(ScaleFactor::upperBound(0), 110);
    QCOMPARE(ScaleFactor::upperBound(1), 122);
    QCOMPARE(ScaleFactor::upperBound(14), 475);
    QVERIFY(ScaleFactor::upperBound(15) <= 475);
    QCOMPARE(ScaleFactor::entryFor(474.9), 14);
    QCOMPARE(ScaleFactor::entryFor(475.0), 0);
}

void ScaleFactorTest::givenScaleFactorIsKeptAndPolicyIsFloor()
{
    qputenv("QT_SCALE_FACTOR", "3");
    bool measured = false;
    ScaleFactor::apply(windowHeight, [&] {
        measured = true;
        return screen(200, 2160);
    });
    QVERIFY(!measured);
    QCOMPARE(qgetenv("QT_SCALE_FACTOR"), QByteArray("3"));
    QCOMPARE(qgetenv("QT_SCALE_FACTOR_ROUNDING_POLICY"), QByteArray("Floor"));
}

void ScaleFactorTest::userRoundingPolicyIsNeverReplaced()
{
    qputenv("QT_SCALE_FACTOR_ROUNDING_POLICY", "Round");
    ScaleFactor::apply(windowHeight, [] { return screen(200, 2160); });
    QCOMPARE(qgetenv("QT_SCALE_FACTOR"), QByteArray("1"));
    QCOMPARE(qgetenv("QT_SCALE_FACTOR_ROUNDING_POLICY"), QByteArray("Round"));

    init();
    ScaleFactor::apply(windowHeight, [] { return screen(200, 2160); });
    QCOMPARE(qgetenv("QT_SCALE_FACTOR_ROUNDING_POLICY"), QByteArray("PassThrough"));
}

void ScaleFactorTest::writesFactorWithoutTrailingZeros()
{
    ScaleFactor::apply(windowHeight, [] { return screen(125, 1080); });
    QCOMPARE(qgetenv("QT_SCALE_FACTOR"), QByteArray("1.25"));

    init();
    ScaleFactor::apply(windowHeight, [] { return screen(120, 1080); });
    QCOMPARE(qgetenv("QT_SCALE_FACTOR"), QByteArray("1.2"));

    init();
    ScaleFactor::apply(windowHeight); // this platform's own measurement
    QCOMPARE(qgetenv("QT_SCALE_FACTOR"), QByteArray("1"));
    QCOMPARE(qgetenv("QT_SCALE_FACTOR_ROUNDING_POLICY"), QByteArray("Floor"));
}
