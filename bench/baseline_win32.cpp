// Start-up floor on Windows: one window of tarnwick's size showing the label "DEBUG代码：" in a font
// that has Chinese, in the look of the running Windows, and nothing else; the least a Win32 program
// with visual styles that shows Chinese costs.
#include <windows.h>

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    // Visual styles, as tarnwick.exe has them: the manifest's common controls, which need this call.
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"baseline";
    RegisterClassW(&windowClass);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT frame = {0, 0, 249, 241};
    AdjustWindowRect(&frame, style, FALSE);
    const HWND window =
        CreateWindowW(L"baseline", L"baseline", style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                      frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    const HWND label = CreateWindowW(L"STATIC", L"DEBUG代码：", WS_CHILD | WS_VISIBLE, 8, 8, 233, 25, window,
                                     nullptr, instance, nullptr);
    // SimSun, or whatever face Windows maps to it that has the simplified-Chinese character set.
    const HFONT font =
        CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"宋体");
    SendMessageW(label, WM_SETFONT, WPARAM(font), FALSE);
    ShowWindow(window, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
