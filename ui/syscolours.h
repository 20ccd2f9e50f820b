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

// A text colour drawn on a background, both system colours of the given palette, made at least as
// legible as the same pair is in the classic light Windows scheme (and at least 7:1 where the
// palette is a high-contrast one). Where the scheme's own colour is legible enough it is kept as it is;
// otherwise it is moved towards black or white, whichever the background sets off better, just far
// enough.
QColor legibleColour(SysColour text, SysColour background, const QPalette &palette);
