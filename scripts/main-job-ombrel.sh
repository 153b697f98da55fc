#!/usr/bin/env bash
# The AOT module's road in the main job, run inside the Wine environment that
# run-main-job.sh started (kernel stand-in already registered): registers
# OMBREL.dll with regsvr32, lets the stand-in's templates start with their own
# words as keyword lists, ranks a computing and a medical text through
# Tessiva's kernel connector and the module's analyzer, saves PNGs of the
# module's result dialog and keyword setup dialog, and chooses a template
# through Tessiva.exe's ShowAot with the module's dialog driven.
# Usage: scripts/main-job-ombrel.sh <build-dir>
# Ends with "aot-demo: passed", or with a line "aot-demo: FAILED: <what>" for each
# thing that went wrong, and then exits 1 (scripts/road-verdict.sh).
set -euo pipefail
# shellcheck source=road-verdict.sh
source "$(dirname "$0")/road-verdict.sh"

build=$(cd "$1" && pwd)
bin="$build/bin"
shots="$build/screenshots"
mkdir -p "$shots"
out="$build/main-job-ombrel.txt"

echo "Registering the AOT module OMBREL.dll"
timeout 60 wine regsvr32 /s "$bin/OMBREL.dll" </dev/null >/dev/null 2>&1 \
  || road_fail aot-demo "registering OMBREL.dll failed"
timeout 60 wine reg add 'HKCU\Software\NorvaStandIns\Kernel' /v SeedKeywordLists /t REG_DWORD /d 1 /f \
  </dev/null >/dev/null 2>&1 || true
wait_for_tessiva_end  # a Tessiva of the road before, ending
status=0
timeout 120 wine "$bin/aot_demo.exe" "$(winepath -w "$shots")" </dev/null >"$out" 2>&1 || status=$?
road_output "$out"
road_verdict aot-demo "$status" "$out"
