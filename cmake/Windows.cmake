# Compile and link settings shared by every Windows target of the project.
add_compile_definitions(UNICODE _UNICODE WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX)
add_compile_options(
  -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers
  -Wno-cast-function-type
  $<$<COMPILE_LANGUAGE:CXX>:-Wno-non-virtual-dtor>
  # A warning fails the build: none is left to hide a new one.
  $<$<COMPILE_LANGUAGE:C,CXX>:-Werror>
)
# Programs and libraries carry libgcc, libstdc++ and winpthread so that they
# run on a bare Windows without the mingw runtime DLLs.
add_link_options(-static -static-libgcc -static-libstdc++)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

# Output of every program and DLL in one folder, as an installation would.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
