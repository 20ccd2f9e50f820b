// The desktop's system colours as the Qt window finds them in the toolkit's palette.
#pragma once

#include "colours.h"

#include <QColor>
#include <QPalette>

// The desktop's current value for a system colour, from the matching role of the toolkit palette, so
// the window follows light and dark schemes.
Rgb systemColour(SysColour which, const QPalette &palette);

// The window's colours in a palette's scheme.
WindowColours windowColours(const QPalette &palette);

inline Rgb toRgb(const QColor &c)
{
    return {std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue())};
}

inline QColor toQColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

inline qreal contrastRatio(const QColor &a, const QColor &b)
{
    return contrastRatio(toRgb(a), toRgb(b));
}
