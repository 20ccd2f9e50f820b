// Units, system colours and fonts of the window, each mapped to the toolkit in one place.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>

class QMenu;
class QWidget;

// Layout is given in twips: 15 twips make one device-independent pixel (1/96 inch). The toolkit scales
// these pixels to the display, so the window keeps its proportions at any DPI.
constexpr int TwipsPerPixel = 15;
constexpr int twipsToPixels(int twips)
{
    return twips / TwipsPerPixel;
}
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

// The system colours the window refers to, by their classic index.
enum class SysColour {
    ActiveCaption = 2,
    Window = 5,
    WindowText = 8,
    AppWorkspace = 12,
    ButtonFace = 15,
    ButtonText = 18,
};

// The desktop's current value for a system colour: read from the system on Windows, taken from the
// matching role of the toolkit palette elsewhere, so the window follows light and dark schemes.
QColor systemColour(SysColour which, const QPalette &palette);

// The faces the window names. Each asks for its Windows face first and then for installed faces
// of the same style that cover simplified Chinese, so Chinese shows on any desktop.
enum class Face {
    YaHei,  // 微软雅黑: sans serif
    SimSun, // 宋体: serif
    Default // the window's own font, used by the window and its buttons
};

QFont windowFont(Face face, qreal pointSize, QFont::Weight weight);

// The toolkit's own words, in Chinese like the rest of the window, without reading a translation file.
void translateStandardMenu(QMenu *menu);

// Gives a text box the standard edit menu (undo, copy, select all, ...) with Chinese labels.
void useChineseEditMenu(QWidget *box);
