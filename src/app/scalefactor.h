#pragma once

#include "platform/platform.h"

#include <array>
#include <functional>

struct ScaleChoice
{
    float factor = 1.0f;
    bool largeScale = false;
};

// Chooses QT_SCALE_FACTOR and its rounding policy before any Qt object exists.
class ScaleFactor
{
public:
    static constexpr std::array<int, 16> scales{100, 120, 125, 140, 150, 160, 175, 180,
                                                200, 225, 250, 300, 350, 400, 450, 500};

    // The measured scale below which an entry is picked; past the last midpoint (475) none is.
    static int upperBound(int index);
    static int entryFor(double measuredScale);
    static ScaleChoice choose(double measuredScale, int modePixelHeight, int windowHeight);
    static const char* roundingPolicy(bool largeScale);

    // Writes the environment; the display is measured only when QT_SCALE_FACTOR is not given.
    static void
    apply(int windowHeight,
          const std::function<Platform::DisplayFacts()>& measure = Platform::displayFacts);
};
