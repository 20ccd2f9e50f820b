// Face choice: the named face where installed, else the first installed stand-in that covers
// simplified Chinese.
#include "fonts.h"

namespace
{

// Faces that carry simplified Chinese, in order of preference. Windows has SimSun from XP on and
// YaHei from Vista; the others are what other systems (and wine on them) offer.
constexpr const wchar_t *StandIns[] = {
    L"微软雅黑",
    L"Microsoft YaHei",
    L"宋体",
    L"SimSun",
    L"新宋体",
    L"NSimSun",
    L"黑体",
    L"SimHei",
    L"Noto Sans CJK SC",
    L"Noto Sans Mono CJK SC",
    L"Source Han Sans SC",
    L"WenQuanYi Micro Hei",
    L"WenQuanYi Zen Hei",
    L"Noto Serif CJK SC",
    L"AR PL UMing CN",
    L"AR PL UKai CN",
    L"Droid Sans Fallback",
};

constexpr const wchar_t *YaHeiFaces[] = {L"微软雅黑", L"Microsoft YaHei"};
constexpr const wchar_t *SimSunFaces[] = {L"宋体", L"SimSun"};
constexpr const wchar_t *DefaultFaces[] = {L"Microsoft YaHei UI", L"微软雅黑", L"Microsoft YaHei"};

int CALLBACK noteFound(const LOGFONTW *font, const TEXTMETRICW *, DWORD, LPARAM found)
{
    // Faces for vertical writing ("@SimSun") lie on their side.
    if (font->lfFaceName[0] != L'@') {
        lstrcpynW(reinterpret_cast<wchar_t *>(found), font->lfFaceName, LF_FACESIZE);
        return 0;
    }
    return 1;
}

// The installed face of that name that covers simplified Chinese, or, with an empty name, the first
// such face of any name. Empty where there is none.
bool findFace(HDC dc, const wchar_t *name, wchar_t (&found)[LF_FACESIZE])
{
    LOGFONTW wanted = {};
    wanted.lfCharSet = GB2312_CHARSET;
    lstrcpynW(wanted.lfFaceName, name, LF_FACESIZE);
    found[0] = L'\0';
    EnumFontFamiliesExW(dc, &wanted, noteFound, reinterpret_cast<LPARAM>(found), 0);
    return found[0] != L'\0';
}

// The face to ask for: the first of the named faces that is installed, else the first stand-in, else
// any face that covers simplified Chinese. Looked up once for each kind of face.
const wchar_t *faceFor(form::Face face)
{
    static wchar_t chosen[3][LF_FACESIZE];
    static bool looked[3];
    const int kind = int(face);
    if (!looked[kind]) {
        looked[kind] = true;
        const HDC dc = GetDC(nullptr);
        const auto firstOf = [&](auto &faces) {
            for (const wchar_t *name : faces) {
                if (findFace(dc, name, chosen[kind]))
                    return true;
            }
            return false;
        };
        const bool named = face == form::Face::YaHei    ? firstOf(YaHeiFaces)
                           : face == form::Face::SimSun ? firstOf(SimSunFaces)
                                                        : firstOf(DefaultFaces);
        if (!named && !firstOf(StandIns) && !findFace(dc, L"", chosen[kind])) {
            // Nothing installed shows Chinese: ask for the face by name and let Windows map it.
            lstrcpynW(chosen[kind], face == form::Face::SimSun ? L"宋体" : L"微软雅黑", LF_FACESIZE);
        }
        ReleaseDC(nullptr, dc);
    }
    return chosen[kind];
}

} // namespace

LOGFONTW fontRequest(form::Font font, UINT dpi)
{
    LOGFONTW request = {};
    // Points to pixels at the DPI, to the nearest pixel; negative: the size of the characters, not of
    // the line.
    request.lfHeight = -MulDiv(int(font.points * 100 + 0.5), int(dpi), 72 * 100);
    request.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    request.lfCharSet = GB2312_CHARSET;
    request.lfOutPrecision = OUT_TT_PRECIS;
    request.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(request.lfFaceName, faceFor(font.face), LF_FACESIZE);
    return request;
}

HFONT createFont(form::Font font, UINT dpi)
{
    const LOGFONTW request = fontRequest(font, dpi);
    return CreateFontIndirectW(&request);
}
