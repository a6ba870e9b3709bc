#include "scalefactor.h"

#include <QByteArray>

namespace {

const int maximumSteps = 5;
const int lastIndex = int(ScaleFactor::scales.size()) - 1;

} // namespace

int ScaleFactor::upperBound(int index)
{
    if (index >= lastIndex)
        return scales[lastIndex - 1] + (scales[lastIndex] - scales[lastIndex - 1]) / 2;
    return scales[index] + (scales[index + 1] - scales[index]) / 2;
}

int ScaleFactor::entryFor(double measuredScale)
{
    for (int i = 0; i <= lastIndex; ++i) {
        if (upperBound(i) > measuredScale)
            return i;
    }
    return 0;
}

ScaleChoice ScaleFactor::choose(double measuredScale, int modePixelHeight, int windowHeight)
{
    ScaleChoice choice;
    int i = entryFor(measuredScale);
    for (int step = 0; step < maximumSteps; ++step) {
        const int scale = scales[i];
        if (scale < 200) {
            choice.factor = float(scale) / 100.0f;
            choice.largeScale = false;
        } else {
            choice.largeScale = true;
        }
        if (scale <= 100 || windowHeight * double(choice.factor) <= 0.8 * modePixelHeight || i == 0)
            break;
        --i;
    }
    return choice;
}

const char* ScaleFactor::roundingPolicy(bool largeScale)
{
    return largeScale ? "PassThrough" : "Floor";
}

void ScaleFactor::apply(int windowHeight, const std::function<Platform::DisplayFacts()>& measure)
{
    bool largeScale = false;
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) {
        const Platform::DisplayFacts facts = measure();
        const ScaleChoice choice =
            choose(facts.measuredScalePercent, facts.modePixelHeight, windowHeight);
        qputenv("QT_SCALE_FACTOR", QByteArray::number(double(choice.factor), 'g', 6));
        largeScale = choice.largeScale;
    }
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR_ROUNDING_POLICY"))
        qputenv("QT_SCALE_FACTOR_ROUNDING_POLICY", roundingPolicy(largeScale));
}
