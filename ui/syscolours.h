// The desktop's system colours as the window uses them, kept legible in any colour scheme.
#pragma once

#include <QColor>
#include <QPalette>

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

// The contrast ratio of two colours, from 1 (the same) to 21 (black on white).
qreal contrastRatio(const QColor &a, const QColor &b);

// How much contrast a text colour should keep on its background colour, both system colours: as much
// as the pair has in the classic light Windows scheme, and at least 7:1 where the palette is a
// high-contrast one.
qreal contrastFloor(SysColour text, SysColour background, const QPalette &palette);

// A background that lets text reach the floor: where even black or white text could not, it is moved
// away from that extreme, just far enough. Light text on a dark ground is drawn thinner, and styles
// shade button faces lighter than the palette says, so a dark ground keeps room to spare.
QColor legibleBackground(const QColor &background, qreal floor);

// A text colour on a background, kept at the floor: where the scheme's colour is legible enough it is
// kept as it is; otherwise it is moved towards black or white, whichever the background sets off
// better, just far enough.
QColor legibleText(const QColor &text, const QColor &background, qreal floor);
