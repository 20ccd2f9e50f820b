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
# The window is Chinese: without a CJK face every character would be a box.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk | fonts-wqy-microhei | fonts-wqy-zenhei | fonts-arphic-uming")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
