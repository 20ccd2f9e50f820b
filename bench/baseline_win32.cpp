// Start-up peer on Windows: tarnwick's seven controls written directly on Win32, with the same places,
// sizes and texts, the faces asked for by name with the simplified-Chinese character set (whatever
// Windows maps them to), in the look of the running Windows, and nothing tuned: no owner-drawn
// captions, colours, icon, DPI scaling or input-method handling.
#include "fixedtexts.h"

#include <windows.h>

#include <commctrl.h>

namespace
{

HFONT face(const wchar_t *name, int points100, int weight = FW_NORMAL)
{
    return CreateFontW(-MulDiv(points100, 96, 7200), 0, 0, 0, weight, FALSE, FALSE, FALSE, GB2312_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, name);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    // Visual styles, as tarnwick.exe has them: the manifest's common controls, which need this call.
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"baseline";
    RegisterClassW(&windowClass);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT frame = {0, 0, 249, 241};
    AdjustWindowRect(&frame, style, FALSE);
    const HWND window = CreateWindowW(L"baseline", L"DEBUG代码查询系统", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                      frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                      instance, nullptr);

    const auto control = [&](const wchar_t *kind, const wchar_t *text, DWORD controlStyle, RECT r, HFONT font,
                             DWORD exStyle = 0, int id = 0) {
        const HWND made =
            CreateWindowExW(exStyle, kind, text, WS_CHILD | WS_VISIBLE | controlStyle, r.left, r.top, r.right,
                            r.bottom, window, HMENU(INT_PTR(id)), instance, nullptr);
        SendMessageW(made, WM_SETFONT, WPARAM(font), FALSE);
        return made;
    };
    const HWND code = control(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, {168, 8, 57, 34},
                              face(L"微软雅黑", 1575), WS_EX_CLIENTEDGE);
    SendMessageW(code, EM_LIMITTEXT, 2, 0);
    control(L"STATIC", L"DEBUG代码：", SS_CENTER, {24, 16, 153, 25}, face(L"宋体", 1800, FW_BOLD));
    const HFONT buttons = face(L"微软雅黑", 900);
    control(L"BUTTON", L"查询", WS_TABSTOP | BS_DEFPUSHBUTTON, {8, 200, 73, 33}, buttons, 0, IDOK);
    control(L"BUTTON", L"更多", WS_TABSTOP, {88, 200, 73, 33}, buttons);
    control(L"BUTTON", L"退出", WS_TABSTOP, {168, 200, 73, 33}, buttons, 0, IDCANCEL);
    control(L"EDIT", reinterpret_cast<const wchar_t *>(StartupText().data()),
            WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, {8, 80, 233, 113},
            face(L"微软雅黑", 1050, FW_BOLD), WS_EX_CLIENTEDGE);
    control(L"STATIC", L"代码适用：Award BIOS、Ami BIOS、Phoenix BIOS、Tandy 3000 BIOS", SS_CENTER,
            {8, 48, 233, 33}, face(L"宋体", 1050));

    ShowWindow(window, show);
    SetFocus(code);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}
