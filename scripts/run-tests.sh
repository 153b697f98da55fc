#!/usr/bin/env bash
# Installs the toolchain when missing, builds everything, and runs every test
# as a Windows program under Wine, in a private Wine prefix and on a private
# X display. Usage: scripts/run-tests.sh [build-dir] [ctest arguments...]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
[ $# -gt 0 ] && shift
mkdir -p "$build"
build=$(cd "$build" && pwd)

# shellcheck source=build.sh
source "$root/scripts/build.sh"
run_alone_in_build_folder "$root/scripts/run-tests.sh" "$build" "$@"
build_all "$root" "$build"

# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
wine_env_start "$build"
# Nothing in the trap may change the result the script exits with.
trap 'wine_env_stop || true' EXIT
# Each test program runs in a private session made from the prefix
# (scripts/wine-test.sh); the prefix's own session rests meanwhile.
wineserver -k </dev/null >/dev/null 2>&1 || true
timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || true

status=0
started=$(date +%s%N)
ctest --test-dir "$build" --output-on-failure --timeout 300 -j "$(nproc)" "$@" || status=$?
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
printf 'Suite wall time: %d.%03d s\n' $((elapsed_ms / 1000)) $((elapsed_ms % 1000))
exit $status
