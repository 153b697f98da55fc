# Sourced by the test and main-job scripts: installs the toolchain when
# missing, then configures and builds the whole tree into a build folder.

build_all() {
  local root=$1 build=$2
  "$root/setup.sh"
  cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$build/configure.log" 2>&1 \
    || { cat "$build/configure.log"; return 1; }
  cmake --build "$build" -j "$(nproc)"
}
