#!/usr/bin/env bash
# The main job: builds everything, registers Tessiva and the stand-in
# translation kernel in the build's Wine prefix, and runs the plug-in demo
# client, which reaches Tessiva over COM from its own process and prints what
# it did.
# Usage: scripts/run-main-job.sh [build-dir]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
mkdir -p "$build"
build=$(cd "$build" && pwd)

# shellcheck source=build.sh
source "$root/scripts/build.sh"
run_alone_in_build_folder "$root/scripts/run-main-job.sh" "$build"
build_all "$root" "$build"

# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
wine_env_start "$build"
# Nothing in the trap may change the result the script exits with.
trap 'wine_env_stop || true' EXIT

bin="$build/bin"
out="$build/main-job.txt"
echo "Registering Tessiva in $WINEPREFIX"
timeout 60 wine "$bin/Tessiva.exe" /RegServer </dev/null >/dev/null 2>&1 \
  || { echo "Tessiva.exe /RegServer failed" >&2; exit 1; }
echo "Registering the stand-in translation kernel"
timeout 60 wine regsvr32 /s "$bin/NrvaKernel.dll" </dev/null >/dev/null 2>&1 \
  || { echo "registering NrvaKernel.dll failed" >&2; exit 1; }
timeout 60 wine "$bin/NrvaKernelServer.exe" -RegServer </dev/null >/dev/null 2>&1 \
  || { echo "NrvaKernelServer.exe -RegServer failed" >&2; exit 1; }
status=0
timeout 120 wine "$bin/tessiva_plugin_demo.exe" </dev/null >"$out" 2>&1 || status=$?
grep -v -e 'wine32 is missing' -e 'multiarch needs' -e 'dpkg --add-architecture' -e 'apt-get install wine32' "$out" || true
"$root/scripts/main-job-popups.sh" "$build" || status=$?
"$root/scripts/main-job-server.sh" "$build" || status=$?
"$root/scripts/main-job-ombrel.sh" "$build" || status=$?
"$root/scripts/main-job-dialogs.sh" "$build" || status=$?
"$root/scripts/main-job-quenlo.sh" "$build" || status=$?
"$root/scripts/main-job-fervix.sh" "$build" || status=$?
exit $status
