# Cross toolchain for the Windows program: MinGW-w64 for 32-bit (i686) Windows, win32 threads. The
# released tarnwick.exe is built with it, and runs on every Windows from XP SP3 on, 32- and 64-bit.
set(TARNWICK_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
