#!/bin/sh
# Runs mdsstg under Wine at build time: run-under-wine.sh <mdsstg.exe>
# <output.stg> <source folder> <log>. Uses a Wine prefix of its own beside
# the output (the tests' prefix may not exist yet), no display, and keeps
# Wine's output in the log so that no Wine process holds the build's pipes.
set -u
exe=$1 out=$2 src=$3 log=$4
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

export WINEPREFIX="${MDSSTG_WINEPREFIX:?}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY

rm -f "$out"
timeout 300 wine "$exe" "$(winpath "$out")" "$(winpath "$src")" </dev/null >"$log" 2>&1
status=$?
if [ $status -ne 0 ] || [ ! -s "$out" ]; then
  echo "mdsstg failed (exit $status); its output:" >&2
  cat "$log" >&2
  rm -f "$out"
  exit 1
fi
