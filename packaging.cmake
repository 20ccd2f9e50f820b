# The Debian package: `cpack -G DEB` in the build folder.
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The tarnwick developers")
set(CPACK_PACKAGE_CONTACT "The tarnwick developers <tarnwick@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "look up motherboard POST (DEBUG) codes")
# Lines of at most 80 characters, as Debian's tools read them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "A diagnostic card plugged into a failing motherboard shows a two-digit"
    "POST (DEBUG) code. tarnwick tells what an Award, AMI and Phoenix BIOS is"
    "doing or testing at that code, and shows what to check when a board stops"
    "at FF or 00 right after power-on. The interface is in Simplified Chinese.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(CMAKE_CROSSCOMPILING)
    # A cross build is packaged for its target (scripts/aarch64-linux-gnu.cmake: arm64). dpkg-shlibdeps
    # reads the target's binaries with the target's objdump and finds the libraries, and the packages
    # they come from, in the target's multiarch folders, once told the architecture that the package
    # is for; cpack runs it with the environment that its project file sets.
    execute_process(COMMAND dpkg-architecture -t ${CMAKE_LIBRARY_ARCHITECTURE} -q DEB_HOST_ARCH
                    OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE
                    ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
    set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/cpack-host-arch.cmake)
    file(WRITE ${CPACK_PROJECT_CONFIG_FILE} "set(ENV{DEB_HOST_ARCH} ${CPACK_DEBIAN_PACKAGE_ARCHITECTURE})\n")
endif()
# The window is Chinese: without a CJK face every character would be a box.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk | fonts-wqy-microhei | fonts-wqy-zenhei | fonts-arphic-uming")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
