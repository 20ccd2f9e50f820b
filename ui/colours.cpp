// Contrast arithmetic and the legibility guard for the window's colours.
#include "colours.h"

#include <algorithm>
#include <cmath>

namespace
{

// The classic light look the window was designed in (the Windows Standard scheme).
Rgb classicColour(SysColour which)
{
    switch (which) {
    case SysColour::ActiveCaption:
        return {0, 0, 128};
    case SysColour::Window:
        return {255, 255, 255};
    case SysColour::WindowText:
    case SysColour::ButtonText:
        return {0, 0, 0};
    case SysColour::AppWorkspace:
        return {128, 128, 128};
    case SysColour::ButtonFace:
        return {192, 192, 192};
    }
    return {0, 0, 0};
}

double luminance(Rgb c)
{
    const auto channel = [](std::uint8_t v8) {
        const double v = v8 / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
}

Rgb mix(Rgb from, Rgb to, double t)
{
    const auto channel = [t](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(a + (b - a) * t));
    };
    return {channel(from.r, to.r), channel(from.g, to.g), channel(from.b, to.b)};
}

constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};

// The least move from a colour towards a target that makes the test true (the target itself where
// nothing short of it does).
template <typename Test> Rgb leastMove(Rgb from, Rgb to, Test test)
{
    if (test(from))
        return from;
    double low = 0;
    double high = 1;
    for (int i = 0; i < 16; ++i) {
        const double t = (low + high) / 2;
        (test(mix(from, to, t)) ? high : low) = t;
    }
    return mix(from, to, high);
}

Rgb extremeOn(Rgb background)
{
    return contrastRatio(Black, background) >= contrastRatio(White, background) ? Black : White;
}

} // namespace

double contrastRatio(Rgb a, Rgb b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool isHighContrast(Rgb buttonText, Rgb buttonFace)
{
    return contrastRatio(buttonText, buttonFace) >= 19.5;
}

double contrastFloor(SysColour text, SysColour background, bool highContrast)
{
    double floor = contrastRatio(classicColour(text), classicColour(background));
    // Who chooses a high-contrast scheme needs strong contrast: 7:1, the stricter of the common levels,
    // so that even thin, anti-aliased strokes stay above 4.5:1.
    if (highContrast)
        floor = std::max(floor, 7.0);
    // A little above the floor, for margin.
    return floor * 1.02;
}

Rgb legibleBackground(Rgb background, double floor)
{
    const Rgb text = extremeOn(background);
    const double wanted = std::min(text == White ? floor * 1.5 : floor, 21.0);
    return leastMove(background, text == White ? Black : White,
                     [&](Rgb c) { return contrastRatio(text, c) >= wanted; });
}

Rgb legibleText(Rgb text, Rgb background, double floor)
{
    return leastMove(text, extremeOn(background),
                     [&](Rgb c) { return contrastRatio(c, background) >= floor; });
}
