// Face choice: the named face where installed, else the face Windows has for simplified Chinese.
#include "fonts.h"

#include <iterator>

namespace
{

// Each face by its Chinese name, as Chinese Windows lists it, then its English one.
constexpr const wchar_t *YaHeiFaces[] = {L"微软雅黑", L"Microsoft YaHei"};
constexpr const wchar_t *SimSunFaces[] = {L"宋体", L"SimSun"};
constexpr const wchar_t *DefaultFaces[] = {L"Microsoft YaHei UI", L"微软雅黑", L"Microsoft YaHei"};

int CALLBACK noteFound(const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM found)
{
    *reinterpret_cast<bool *>(found) = true;
    return 0;
}

// Whether a face of that name is installed that covers simplified Chinese.
bool installed(HDC dc, const wchar_t *name)
{
    LOGFONTW wanted = {};
    wanted.lfCharSet = GB2312_CHARSET;
    lstrcpynW(wanted.lfFaceName, name, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(dc, &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// The face to ask for: the first of the names that is installed with Chinese. Where none is, the first
// name all the same: with the simplified-Chinese character set asked for, Windows' font mapper then
// puts in the face it has for that character set (SimSun on Windows XP, where there is no YaHei),
// knowing the system's fonts and their substitutes better than any list of ours could.
const wchar_t *firstInstalled(const wchar_t *const *names, std::size_t count)
{
    const HDC dc = GetDC(nullptr);
    const wchar_t *chosen = names[0];
    for (std::size_t i = 0; i < count; ++i) {
        if (installed(dc, names[i])) {
            chosen = names[i];
            break;
        }
    }
    ReleaseDC(nullptr, dc);
    return chosen;
}

// Looked up once for each kind of face.
const wchar_t *faceFor(form::Face face)
{
    static const wchar_t *chosen[3];
    const wchar_t *&kind = chosen[int(face)];
    if (!kind) {
        kind = face == form::Face::YaHei    ? firstInstalled(YaHeiFaces, std::size(YaHeiFaces))
               : face == form::Face::SimSun ? firstInstalled(SimSunFaces, std::size(SimSunFaces))
                                            : firstInstalled(DefaultFaces, std::size(DefaultFaces));
    }
    return kind;
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
