# Cross-compiles 64-bit Windows binaries with mingw-w64 (posix thread model,
# so std::thread and std::mutex exist).
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)

# Tests run the Windows programs through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
