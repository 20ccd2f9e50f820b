# Cross toolchain for the Windows program: MinGW-w64 for 64-bit (x86-64) Windows, win32 threads. A
# build of the same sources, checked beside the 32-bit one that is released.
set(TARNWICK_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
