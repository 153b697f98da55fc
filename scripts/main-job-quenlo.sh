#!/usr/bin/env bash
# The extensions manager's part of the main job: a fabricated machine with
# Internet Explorer, Firefox, Chrome and Opera, "Quenlo.exe /i <codes>" and
# "/u" over it with what changed for each host, and a picture of the tree
# dialog in <build>/screenshots/quenlo-tree.png. Runs inside the Wine
# environment that scripts/run-main-job.sh started.
# Usage: scripts/main-job-quenlo.sh <build-dir>
# Ends with "quenlo-demo: passed", or with a line "quenlo-demo: FAILED: <what>" for each
# thing that went wrong, and then exits 1 (scripts/road-verdict.sh).
set -euo pipefail
# shellcheck source=road-verdict.sh
source "$(dirname "$0")/road-verdict.sh"
build=$(cd "$1" && pwd)
out="$build/main-job-quenlo.txt"
mkdir -p "$build/screenshots"
shots=$(winepath -w "$build/screenshots" 2>/dev/null)
status=0
timeout 300 wine "$build/bin/quenlo_demo.exe" "$shots" </dev/null >"$out" 2>&1 || status=$?
road_output "$out"
road_verdict quenlo-demo "$status" "$out"
