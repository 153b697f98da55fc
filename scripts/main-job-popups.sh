#!/usr/bin/env bash
# The popups' road of the main job: the demo shows Tessiva's word popup and
# selection popup over a page window of its own and saves a PNG of each into
# <build>/screenshots. Runs inside the Wine environment run-main-job.sh started.
# Usage: scripts/main-job-popups.sh <build-dir>
# Ends with "popup-demo: passed", or with a line "popup-demo: FAILED: <what>" for each
# thing that went wrong, and then exits 1 (scripts/road-verdict.sh).
set -euo pipefail
# shellcheck source=road-verdict.sh
source "$(dirname "$0")/road-verdict.sh"
build=$(cd "$1" && pwd)
bin="$build/bin"
shots="$build/screenshots"
mkdir -p "$shots"
out="$build/main-job-popups.txt"
wait_for_tessiva_end  # a Tessiva of the road before, ending
status=0
timeout 120 wine "$bin/tessiva_popup_demo.exe" "$(winepath -w "$shots")" </dev/null >"$out" 2>&1 || status=$?
road_output "$out"
road_verdict popup-demo "$status" "$out"
