// Caption layout: line breaks, ink extents and the narrowing that makes a caption fit its label.
#include "caption.h"

#include "text.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{

constexpr int MaxLines = 8;

struct Line {
    std::size_t start, length;
    int width;
};

// How far the ink of the caption's characters reaches above and below the baseline.
struct Ink {
    int above = 0, below = 0;
    int height() const { return std::max(1, above + below); }
};

bool isWide(char16_t c)
{
    return c >= 0x2E80; // Chinese characters, their punctuation and full-width forms
}

// Closing punctuation stays on the line of what it closes, opening punctuation on the line it opens.
bool mayStartLine(char16_t c)
{
    return std::u16string_view(u"、，。：；！？）」』》").find(c) == std::u16string_view::npos;
}
bool mayEndLine(char16_t c)
{
    return std::u16string_view(u"（「『《").find(c) == std::u16string_view::npos;
}

// Whether a line may break before text[i]: after a blank, or beside a Chinese character.
bool breakBefore(std::u16string_view text, std::size_t i)
{
    if (text[i - 1] == u' ')
        return true;
    if (text[i] == u' ' || (!isWide(text[i - 1]) && !isWide(text[i])))
        return false;
    return mayStartLine(text[i]) && mayEndLine(text[i - 1]);
}

int widthOf(HDC dc, std::u16string_view text)
{
    SIZE size = {};
    GetTextExtentPoint32W(dc, wide(text), int(text.size()), &size);
    return size.cx;
}

// The caption broken into lines no wider than the width where it can be, greedily.
int wrap(HDC dc, std::u16string_view text, int width, Line (&lines)[MaxLines])
{
    int count = 0;
    std::size_t start = 0;
    while (count < MaxLines) {
        while (start < text.size() && text[start] == u' ')
            ++start;
        if (start >= text.size())
            break;
        const std::u16string_view rest(text.data() + start, text.size() - start);
        int fit = 0;
        SIZE size = {};
        GetTextExtentExPointW(dc, wide(rest), int(rest.size()), width, &fit, nullptr, &size);
        std::size_t end = text.size();
        if (std::size_t(fit) < rest.size()) {
            end = start + std::max(fit, 1);
            std::size_t at = end;
            while (at > start + 1 && !breakBefore(text, at))
                --at;
            if (breakBefore(text, at))
                end = at;
        }
        std::size_t shown = end;
        while (shown > start && text[shown - 1] == u' ')
            --shown;
        lines[count++] = {start, shown - start, widthOf(dc, {text.data() + start, shown - start})};
        start = end;
    }
    return count;
}

Ink inkOf(HDC dc, std::u16string_view text)
{
    const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    Ink ink;
    bool measured = false;
    for (char16_t c : text) {
        GLYPHMETRICS glyph;
        if (c == u' ' || GetGlyphOutlineW(dc, c, GGO_METRICS, &glyph, 0, nullptr, &identity) == GDI_ERROR)
            continue;
        ink.above = std::max(ink.above, int(glyph.gmptGlyphOrigin.y));
        ink.below = std::max(ink.below, int(glyph.gmBlackBoxY) - int(glyph.gmptGlyphOrigin.y));
        measured = true;
    }
    if (!measured) { // a face without outlines: its cell stands for its ink
        TEXTMETRICW metrics;
        GetTextMetricsW(dc, &metrics);
        ink = {int(metrics.tmAscent), int(metrics.tmDescent)};
    }
    return ink;
}

} // namespace

Caption::~Caption()
{
    if (m_font)
        DeleteObject(m_font);
}

void Caption::fit(HDC dc, const RECT &area, const LOGFONTW &font)
{
    const SIZE size = {area.right - area.left, area.bottom - area.top};
    if (m_font && size.cx == m_area.cx && size.cy == m_area.cy &&
        std::memcmp(&font, &m_asked, sizeof font) == 0)
        return;
    Line lines[MaxLines];
    int count = 0;
    Ink ink;
    LOGFONTW request = font;
    HFONT tried = nullptr;
    const HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
    // Each try is selected before the one it replaces is deleted: Windows refuses to delete a font that
    // is selected into a device context, and the refused one would stay for as long as the process.
    const auto tryFont = [&] {
        const HFONT next = CreateFontIndirectW(&request);
        if (!next)
            return;
        SelectObject(dc, next);
        if (tried)
            DeleteObject(tried);
        tried = next;
        count = wrap(dc, m_text, size.cx, lines);
        ink = inkOf(dc, m_text);
    };
    tryFont();
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    const LONG naturalWidth = metrics.tmAveCharWidth;
    // Narrower, a twentieth at a time, while the lines are more than the area holds.
    for (int step = 1; count > std::max(1L, size.cy / ink.height()) && step <= 10; ++step) {
        request.lfWidth = std::max(1L, std::lround(naturalWidth * (1 - step / 20.0)));
        tryFont();
    }
    if (count * ink.height() > size.cy) { // taller than the area even so: smaller, in proportion
        const double scale = double(size.cy) / (count * ink.height());
        request.lfHeight = LONG(request.lfHeight * scale); // towards zero: smaller either way
        request.lfWidth = LONG(request.lfWidth * scale);
        tryFont();
    }
    SelectObject(dc, before);
    if (m_font)
        DeleteObject(m_font);
    m_font = tried;
    m_asked = font;
    m_area = size;
}

void Caption::draw(HDC dc, const RECT &area, const LOGFONTW &font, COLORREF colour)
{
    fit(dc, area, font);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const HGDIOBJ before = SelectObject(dc, m_font);
    Line lines[MaxLines];
    const int count = wrap(dc, m_text, width, lines);
    const Ink ink = inkOf(dc, m_text);
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF text = SetTextColor(dc, colour);
    const UINT align = SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    const double share = double(height) / std::max(count, 1);
    for (int i = 0; i < count; ++i) {
        const int x = area.left + (width - lines[i].width) / 2;
        const int baseline =
            area.top + int(std::lround(share * i + (share - ink.height()) / 2.0)) + ink.above;
        TextOutW(dc, x, baseline, wide(m_text) + lines[i].start, int(lines[i].length));
    }
    // As the window's owner-drawn labels must leave the device context: as it came.
    SetTextAlign(dc, align);
    SetTextColor(dc, text);
    SetBkMode(dc, mode);
    SelectObject(dc, before);
}
