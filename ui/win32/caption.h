// A label's caption, drawn the way the window was laid out for whatever face stands in: centred, wrapped
// at blanks and between Chinese characters, never cut off.
#pragma once

#include <windows.h>

#include <string_view>

// A label's caption with the font that makes it fit its area. CJK faces carry much taller line spacing
// than the classic Chinese faces the layout was made for (Noto CJK: about 1.45 em), so the lines are set
// by their ink: each line's ink centred in its share of the area's height. A face whose Latin letters
// are wide would wrap the caption onto more lines than the area holds; the caption is then set narrower,
// just enough (and smaller, in a face whose ink is taller than the area even so).
//
// That font is found once for the area and the font asked for, and kept until either changes (a change
// of DPI changes both): a label is repainted whenever it is uncovered, and a font made on every paint
// is a GDI object made on every paint.
class Caption
{
public:
    explicit Caption(std::u16string_view text) : m_text(text) {}
    Caption(const Caption &) = delete;
    Caption &operator=(const Caption &) = delete;
    ~Caption();

    // Draws the caption in the area; the device context is left with the font, colours and alignment it
    // had.
    void draw(HDC dc, const RECT &area, const LOGFONTW &font, COLORREF colour);

private:
    void fit(HDC dc, const RECT &area, const LOGFONTW &font);

    std::u16string_view m_text;
    HFONT m_font = nullptr; // the fitting font; never left selected into a device context
    LOGFONTW m_asked = {};  // what it was found for
    SIZE m_area = {};
};
