#!/usr/bin/env bash
# The dialogs' road of the main job: registers the stand-in smart-URL store,
# then opens Tessiva's settings frame on each page and its translation dialog
# over a window of the demo's own, saving a PNG of each into
# <build>/screenshots. Runs inside the Wine environment the main job started.
# Usage: scripts/main-job-dialogs.sh <build-dir>
set -euo pipefail

build=$(cd "$1" && pwd)
bin="$build/bin"
shots="$build/screenshots"
mkdir -p "$shots"
echo "Registering the stand-in smart-URL store"
timeout 60 wine regsvr32 /s "$bin/NrvaSmartUrl.dll" </dev/null >/dev/null 2>&1 \
  || { echo "registering NrvaSmartUrl.dll failed" >&2; exit 1; }
out="$build/main-job-dialogs.txt"
status=0
timeout 180 wine "$bin/tessiva_dialogs_demo.exe" "$(winepath -w "$shots")" </dev/null >"$out" 2>&1 || status=$?
grep -v -e 'wine32 is missing' -e 'multiarch needs' -e 'dpkg --add-architecture' -e 'apt-get install wine32' "$out" || true
exit $status
