// The window's colours: the desktop's system colours, by the classic index the window names, kept
// legible in any colour scheme. Plain arithmetic on RGB, shared by every front-end.
#pragma once

#include <cstdint>

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(Rgb, Rgb) = default;
};

// The system colours the window refers to, by their classic index (COLOR_ACTIVECAPTION, ...).
enum class SysColour {
    ActiveCaption = 2,
    Window = 5,
    WindowText = 8,
    AppWorkspace = 12,
    ButtonFace = 15,
    ButtonText = 18,
};

// The result box's own colours, whatever the scheme: dark red on light grey.
inline constexpr Rgb ResultText{128, 0, 0};
inline constexpr Rgb ResultBackground{224, 224, 224};

// The contrast ratio of two colours, from 1 (the same) to 21 (black on white).
double contrastRatio(Rgb a, Rgb b);

// The colours the window paints with, made from the desktop's: the face (also the window's
// background) and the code box's background are made dark or light enough where the scheme's are
// not, then each text is kept legible on its background.
struct WindowColours {
    Rgb face, faceText; // window, labels' and buttons' background, and their text
    Rgb codeBase, codeText;
    Rgb label3Text;
    friend bool operator==(const WindowColours &, const WindowColours &) = default;
};

// `system` gives the desktop's current value of a system colour; `highContrast` whether the desktop is
// in a high-contrast (contrast) theme, as the platform says or, where it does not, as isHighContrast
// guesses.
template <typename System> WindowColours windowColours(const System &system, bool highContrast);

// How much contrast a text colour should keep on its background colour, both system colours: as much
// as the pair has in the classic light Windows scheme, and at least 7:1 where the scheme is a
// high-contrast one.
double contrastFloor(SysColour text, SysColour background, bool highContrast);

// A guess, for a platform that does not say whether a high-contrast theme is on: the classic
// high-contrast schemes put pure black on white or white on black, ordinary ones stay below. Newer
// contrast themes (Windows 11's) stay below too, so where the platform says, its word counts.
bool isHighContrast(Rgb buttonText, Rgb buttonFace);

// A background that lets text reach the floor: where even black or white text could not, it is moved
// away from that extreme, just far enough. Light text on a dark ground is drawn thinner, and styles
// shade button faces lighter than the palette says, so a dark ground keeps room to spare.
Rgb legibleBackground(Rgb background, double floor);

// A text colour on a background, kept at the floor: where the scheme's colour is legible enough it is
// kept as it is; otherwise it is moved towards black or white, whichever the background sets off
// better, just far enough.
Rgb legibleText(Rgb text, Rgb background, double floor);

template <typename System> WindowColours windowColours(const System &system, bool highContrast)
{
    const auto floor = [highContrast](SysColour text, SysColour background) {
        return contrastFloor(text, background, highContrast);
    };
    WindowColours c;
    const double faceFloor = floor(SysColour::ButtonText, SysColour::ButtonFace);
    c.face = legibleBackground(system(SysColour::ButtonFace), faceFloor);
    c.faceText = legibleText(system(SysColour::ButtonText), c.face, faceFloor);
    const double codeFloor = floor(SysColour::ActiveCaption, SysColour::Window);
    c.codeBase = legibleBackground(system(SysColour::Window), codeFloor);
    c.codeText = legibleText(system(SysColour::ActiveCaption), c.codeBase, codeFloor);
    c.label3Text = legibleText(system(SysColour::AppWorkspace), c.face,
                               floor(SysColour::AppWorkspace, SysColour::ButtonFace));
    return c;
}
