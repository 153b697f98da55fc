# fervix9.dll and fervix9.xpt for 32-bit Windows: this tree configured again
# with Debian's i686 mingw-w64 toolchain (FERVIX_WIN32_ONLY, see
# Fervix32Only.cmake) in <build>/win32, built with every build. Nothing of it
# runs on the build machines (their kernels run no 32-bit programs); its
# exports and imports are checked with objdump (tests/firefox).
include(ExternalProject)
find_program(FERVIX_I686_CXX i686-w64-mingw32-g++-posix REQUIRED)
find_program(FERVIX_I686_OBJDUMP i686-w64-mingw32-objdump REQUIRED)
set(FERVIX_WIN32_BINARY_DIR ${CMAKE_BINARY_DIR}/win32 CACHE INTERNAL "the 32-bit build of fervix9.dll")
ExternalProject_Add(fervix9_win32
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${FERVIX_WIN32_BINARY_DIR}
  CMAKE_GENERATOR ${CMAKE_GENERATOR}
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-mingw32.cmake
             -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
             -DFERVIX_WIN32_ONLY=ON
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target fervix9 fervix9_xpt
  INSTALL_COMMAND ""
  BUILD_ALWAYS TRUE)
set(FERVIX_WIN32_DLL ${FERVIX_WIN32_BINARY_DIR}/bin/fervix9.dll CACHE INTERNAL "the 32-bit fervix9.dll")
