# Cross-compiles 32-bit Windows binaries with Debian's i686 mingw-w64
# toolchain. Used by the 32-bit build of the Firefox plug-in; nothing built
# with it runs on the build machines (see README).
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
