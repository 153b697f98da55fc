# Sourced by the test and main-job scripts: installs the toolchain when
# missing, then configures and builds the whole tree into a build folder.

# Runs the calling script again under a lock of the build folder, so that a
# second run in the same folder waits until the first has ended: the runs
# share the build, the Wine prefix and its sessions, which each run stops at
# its end. Call it first, with the build folder and the script's arguments
# after it; the lock is held by flock, never by the programs the run starts.
run_alone_in_build_folder() {
  local script=$1 build=$2
  shift 2
  [ "${NORVA_BUILD_FOLDER_HELD:-}" = "$build" ] && return 0
  export NORVA_BUILD_FOLDER_HELD=$build
  local lock="$build/.run.lock"
  flock -n -o "$lock" true || echo "Another run uses $build: waiting until it ends"
  exec flock -o "$lock" "$script" "$build" "$@"
}

build_all() {
  local root=$1 build=$2
  "$root/setup.sh"
  cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$build/configure.log" 2>&1 \
    || { cat "$build/configure.log"; return 1; }
  cmake --build "$build" -j "$(nproc)"
}
