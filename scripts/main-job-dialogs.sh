#!/usr/bin/env bash
# The dialogs' road of the main job: registers the stand-in smart-URL store,
# then opens Tessiva's settings frame on each page and its translation dialog
# over a window of the demo's own, saving a PNG of each into
# <build>/screenshots. Runs inside the Wine environment the main job started.
# Usage: scripts/main-job-dialogs.sh <build-dir>
# Ends with "dialogs-demo: passed", or with a line "dialogs-demo: FAILED: <what>" for each
# thing that went wrong, and then exits 1 (scripts/road-verdict.sh).
set -euo pipefail
# shellcheck source=road-verdict.sh
source "$(dirname "$0")/road-verdict.sh"

build=$(cd "$1" && pwd)
bin="$build/bin"
shots="$build/screenshots"
mkdir -p "$shots"
echo "Registering the stand-in smart-URL store"
timeout 60 wine regsvr32 /s "$bin/NrvaSmartUrl.dll" </dev/null >/dev/null 2>&1 \
  || road_fail dialogs-demo "registering NrvaSmartUrl.dll failed"
out="$build/main-job-dialogs.txt"
wait_for_tessiva_end  # a Tessiva of the road before, ending
status=0
timeout 180 wine "$bin/tessiva_dialogs_demo.exe" "$(winepath -w "$shots")" </dev/null >"$out" 2>&1 || status=$?
road_output "$out"
road_verdict dialogs-demo "$status" "$out"
