#!/usr/bin/env bash
# The main job: builds everything, registers Tessiva and the stand-in
# translation kernel in the build's Wine prefix, and runs its seven roads:
# the plug-in demo client (Tessiva over COM from its own process), the
# popups, the translation server, the AOT module, the dialogs, the extensions
# manager and the Firefox plug-in (scripts/main-job-*.sh). Each road checks
# its windows and results and saves pictures in <build>/screenshots; the job
# exits non-zero when any road failed.
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

# shellcheck source=road-verdict.sh
source "$root/scripts/road-verdict.sh"
bin="$build/bin"
out="$build/main-job.txt"
echo "Registering Tessiva in $WINEPREFIX"
timeout 60 wine "$bin/Tessiva.exe" /RegServer </dev/null >/dev/null 2>&1 \
  || road_fail "main job" "Tessiva.exe /RegServer failed"
echo "Registering the stand-in translation kernel"
timeout 60 wine regsvr32 /s "$bin/NrvaKernel.dll" </dev/null >/dev/null 2>&1 \
  || road_fail "main job" "registering NrvaKernel.dll failed"
timeout 60 wine "$bin/NrvaKernelServer.exe" -RegServer </dev/null >/dev/null 2>&1 \
  || road_fail "main job" "NrvaKernelServer.exe -RegServer failed"
# The product installs its table reader beside "mds.stg": without it every
# word popup asks COM for the reader again for each of its tables.
echo "Registering the stand-in table reader"
timeout 60 wine regsvr32 /s "$bin/mdsreader.dll" </dev/null >/dev/null 2>&1 \
  || road_fail "main job" "registering mdsreader.dll failed"

# Each road prints "<road>: passed" or its "<road>: FAILED: <what>" lines;
# the job goes on after a failed road and fails at the end.
failed=()
status=0
timeout 120 wine "$bin/tessiva_plugin_demo.exe" </dev/null >"$out" 2>&1 || status=$?
road_output "$out"
road_verdict plugin-demo "$status" "$out" || failed+=(plugin-demo)
"$root/scripts/main-job-popups.sh" "$build" || failed+=(popup-demo)
"$root/scripts/main-job-server.sh" "$build" || failed+=(server-demo)
"$root/scripts/main-job-ombrel.sh" "$build" || failed+=(aot-demo)
"$root/scripts/main-job-dialogs.sh" "$build" || failed+=(dialogs-demo)
"$root/scripts/main-job-quenlo.sh" "$build" || failed+=(quenlo-demo)
"$root/scripts/main-job-fervix.sh" "$build" || failed+=(firefox-host)
if [ ${#failed[@]} -eq 0 ]; then
  echo "main job: all 7 roads passed; pictures in $build/screenshots"
  exit 0
fi
echo "main job: FAILED: ${#failed[@]} of 7 roads failed: ${failed[*]}"
exit 1
