// System colour lookup and the legibility guard for text colours.
#include "syscolours.h"

#include <QtMath>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace
{

// The classic light look the window was designed in (the Windows Standard scheme).
QColor classicColour(SysColour which)
{
    switch (which) {
    case SysColour::ActiveCaption:
        return QColor(0, 0, 128);
    case SysColour::Window:
        return QColor(255, 255, 255);
    case SysColour::WindowText:
    case SysColour::ButtonText:
        return QColor(0, 0, 0);
    case SysColour::AppWorkspace:
        return QColor(128, 128, 128);
    case SysColour::ButtonFace:
        return QColor(192, 192, 192);
    }
    return QColor(0, 0, 0);
}

qreal luminance(const QColor &c)
{
    auto channel = [](qreal v) { return v <= 0.04045 ? v / 12.92 : qPow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

QColor mix(const QColor &from, const QColor &to, qreal t)
{
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * t),
                            float(from.greenF() + (to.greenF() - from.greenF()) * t),
                            float(from.blueF() + (to.blueF() - from.blueF()) * t));
}

// High-contrast schemes put pure black on white or white on black; ordinary ones stay below.
bool isHighContrast(const QPalette &palette)
{
    return contrastRatio(systemColour(SysColour::ButtonText, palette),
                         systemColour(SysColour::ButtonFace, palette)) >= 19.5;
}

const QColor Black(0, 0, 0);
const QColor White(255, 255, 255);

// The least move from a colour towards a target that makes the test true (the target itself where
// nothing short of it does).
template <typename Test> QColor leastMove(const QColor &from, const QColor &to, Test test)
{
    if (test(from))
        return from;
    qreal low = 0;
    qreal high = 1;
    for (int i = 0; i < 16; ++i) {
        const qreal t = (low + high) / 2;
        (test(mix(from, to, t)) ? high : low) = t;
    }
    return mix(from, to, high);
}

QColor extremeOn(const QColor &background)
{
    return contrastRatio(Black, background) >= contrastRatio(White, background) ? Black : White;
}

} // namespace

QColor systemColour(SysColour which, const QPalette &palette)
{
#ifdef Q_OS_WIN
    Q_UNUSED(palette);
    const DWORD rgb = GetSysColor(static_cast<int>(which));
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
#else
    switch (which) {
    case SysColour::ActiveCaption:
        return palette.color(QPalette::Active, QPalette::Highlight);
    case SysColour::Window:
        return palette.color(QPalette::Active, QPalette::Base);
    case SysColour::WindowText:
        return palette.color(QPalette::Active, QPalette::Text);
    case SysColour::AppWorkspace:
        return palette.color(QPalette::Active, QPalette::Dark);
    case SysColour::ButtonFace:
        return palette.color(QPalette::Active, QPalette::Button);
    case SysColour::ButtonText:
        return palette.color(QPalette::Active, QPalette::ButtonText);
    }
    return palette.color(QPalette::Active, QPalette::WindowText);
#endif
}

qreal contrastRatio(const QColor &a, const QColor &b)
{
    const qreal la = luminance(a);
    const qreal lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

qreal contrastFloor(SysColour text, SysColour background, const QPalette &palette)
{
    qreal floor = contrastRatio(classicColour(text), classicColour(background));
    // Who chooses a high-contrast scheme needs strong contrast: 7:1, the stricter of the common levels,
    // so that even thin, anti-aliased strokes stay above 4.5:1.
    if (isHighContrast(palette))
        floor = qMax(floor, 7.0);
    // A little above the floor, so that rounding to 8-bit channels never lands below it.
    return floor * 1.02;
}

QColor legibleBackground(const QColor &background, qreal floor)
{
    const QColor text = extremeOn(background);
    const qreal wanted = qMin(text == White ? floor * 1.5 : floor, 21.0);
    return leastMove(background, text == White ? Black : White,
                     [&](const QColor &c) { return contrastRatio(text, c) >= wanted; });
}

QColor legibleText(const QColor &text, const QColor &background, qreal floor)
{
    return leastMove(text, extremeOn(background),
                     [&](const QColor &c) { return contrastRatio(c, background) >= floor; });
}
