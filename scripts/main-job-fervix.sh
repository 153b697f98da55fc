#!/usr/bin/env bash
# The Firefox road of the main job: firefox_host.exe plays Firefox, loads
# fervix9.dll through the stand-in XPCOM library, and drives it against the
# Tessiva and stand-in kernel that run-main-job.sh registered; the pictures
# of what it showed go to <build>/screenshots/.
# Usage (inside the Wine environment of run-main-job.sh): main-job-fervix.sh <build-dir>
# Ends with "firefox-host: passed", or with a line "firefox-host: FAILED: <what>" for each
# thing that went wrong, and then exits 1 (scripts/road-verdict.sh).
set -euo pipefail
# shellcheck source=road-verdict.sh
source "$(dirname "$0")/road-verdict.sh"
build=$(cd "${1:?build dir}" && pwd)
mkdir -p "$build/screenshots"
out="$build/main-job-fervix.txt"
echo "Firefox road: firefox_host.exe with fervix9.dll"
wait_for_tessiva_end  # a Tessiva of the road before, ending
status=0
timeout 180 wine "$build/bin/firefox_host.exe" "$(winepath -w "$build/screenshots")" </dev/null >"$out" 2>&1 || status=$?
road_output "$out"
road_verdict firefox-host "$status" "$out"
