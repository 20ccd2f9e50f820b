// Run-time lookups of the DPI functions of Windows 10, with what older Windows offers instead.
#include "dpi.h"

namespace
{

template <typename Function> Function user32(const char *name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

using GetDpiForWindowFn = UINT(WINAPI *)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI *)(RECT *, DWORD, BOOL, DWORD, UINT);
using EnableNonClientDpiScalingFn = BOOL(WINAPI *)(HWND);

} // namespace

namespace dpi
{

UINT ofWindow(HWND window)
{
    static const auto forWindow = user32<GetDpiForWindowFn>("GetDpiForWindow");
    if (forWindow) {
        if (const UINT found = forWindow(window))
            return found;
    }
    // Before Windows 10 a program sees one DPI, the system's, on every monitor.
    return ofSystem();
}

UINT ofSystem()
{
    const HDC screen = GetDC(nullptr);
    const int found = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return found > 0 ? UINT(found) : 96;
}

SIZE windowSize(int width, int height, DWORD style, DWORD exStyle, UINT dpi)
{
    static const auto adjustForDpi = user32<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    RECT frame = {0, 0, width, height};
    if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, dpi))
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void scaleNonClientArea(HWND window)
{
    static const auto enable = user32<EnableNonClientDpiScalingFn>("EnableNonClientDpiScaling");
    if (enable)
        enable(window);
}

} // namespace dpi
