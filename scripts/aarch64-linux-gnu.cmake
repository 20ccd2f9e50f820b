# Cross toolchain for the Linux program on 64-bit ARM (Debian's arm64), built on amd64 Debian with its
# cross compiler and the arm64 Qt development packages installed beside the amd64 ones (multiarch, as
# scripts/deps.sh arm64 sets up). Qt's moc, rcc and uic are the host's own. The tests run under qemu-user.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
# Multiarch puts the arm64 libraries and headers in the host's own tree, in folders of their triplet,
# which the cross compiler and CMake both search; programs found are the host's.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
# The arm64 C library of multiarch installs its loader where arm64 programs look for it
# (/lib/ld-linux-aarch64.so.1), so qemu needs no -L to find it, nor the libraries.
find_program(TARNWICK_QEMU_AARCH64 NAMES qemu-aarch64 qemu-aarch64-static)
if(TARNWICK_QEMU_AARCH64)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TARNWICK_QEMU_AARCH64})
endif()
