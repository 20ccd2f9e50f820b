# What both Windows toolchains share; TARNWICK_MINGW_TRIPLE names the target.
set(CMAKE_SYSTEM_NAME Windows)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${TARNWICK_MINGW_TRIPLE})
# The compilers are called by their full names: the plain names switch between the thread models with
# whichever package was installed last. The win32 model, because the posix model's threads library
# imports GetTickCount64, which Windows XP lacks.
set(CMAKE_C_COMPILER ${TARNWICK_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TARNWICK_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${TARNWICK_MINGW_TRIPLE}-windres)
# Headers and libraries come from the MinGW-w64 tree, never from the Linux host.
set(CMAKE_FIND_ROOT_PATH /usr/${TARNWICK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
