// A label's caption, drawn the way the window was laid out for whatever face stands in: centred, wrapped
// at blanks and between Chinese characters, never cut off.
#pragma once

#include <windows.h>

#include <string_view>

// Draws the caption in the area with the font asked for. CJK faces carry much taller line spacing than
// the classic Chinese faces the layout was made for (Noto CJK: about 1.45 em), so the lines are set by
// their ink: each line's ink centred in its share of the area's height. A face whose Latin letters are
// wide would wrap the caption onto more lines than the area holds; the caption is then set narrower,
// just enough (and smaller, in a face whose ink is taller than the area even so).
void drawCaption(HDC dc, const RECT &area, std::u16string_view text, const LOGFONTW &font, COLORREF colour);
