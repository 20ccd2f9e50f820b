// The window's DPI on every Windows: per monitor where Windows 10 knows it, the system's elsewhere. The
// newer functions are looked up at run time, since importing them would keep older Windows from
// loading the program at all.
#pragma once

#include <windows.h>

namespace dpi
{

// The dots per inch the window is drawn at now.
UINT ofWindow(HWND window);

// The system's dots per inch: what a window starts at on the primary monitor.
UINT ofSystem();

// The outer size of a window whose client area is width x height pixels at a DPI.
SIZE windowSize(int width, int height, DWORD style, DWORD exStyle, UINT dpi);

// On Windows 10 1607 to 1703 (per-monitor v1), the caption and frame follow the monitor's DPI only if
// asked while the window is being created (WM_NCCREATE).
void scaleNonClientArea(HWND window);

} // namespace dpi
