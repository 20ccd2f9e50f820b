// Twips, the unit the window's layout is given in, and their conversion to pixels.
#pragma once

#include <QRect>

// 15 twips make one device-independent pixel (1/96 inch). The toolkit scales these pixels to the
// display, so the window keeps its proportions at any DPI.
constexpr int TwipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    return twips / TwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}
