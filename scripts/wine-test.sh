#!/usr/bin/env bash
# The emulator of every test program (cmake/WineTests.cmake): runs one
# Windows test program under Wine as ctest's child.
#   scripts/wine-test.sh TIMEOUT PROGRAM.exe [ARGUMENTS...]
# TIMEOUT is the test's ctest time-out in seconds.
#
# The program writes its output to a file, which is copied to ctest's output
# when it ends: Wine hands its unix standard error on to every process it
# starts, and a process that outlives the test (the desktop's explorer.exe,
# started by whichever test first needed the desktop, or a COM server) kept
# ctest's pipe open, so that ctest waited for it until the test's time-out
# although the test had ended.
#
# The program's main() writes a start marker first thing and an end marker
# with its result after its tests (tests/support/TestMain.cpp), so that:
# - a program that Wine ended before its main() ran is started again, at most
#   twice, and the output says so. A program that started is never run again,
#   whatever its result: only a launch that provably ran none of the tests is
#   repeated. (Under load a launch was seen to fail at once without output.)
# - a program still running shortly before ctest's time-out gets the
#   backtraces of its threads written to the test's output, with whether its
#   tests had already ended, so that a hang shows where it stands.
set -u

timeout_s=$1
shift
program=$1
name=$(basename "$program")

markers=$(mktemp -d "${TMPDIR:-/tmp}/wine-test.XXXXXX")
trap 'rm -rf "$markers"' EXIT
# Each program runs in a private Wine session made from the environment's
# prefix (scripts/wine-env.sh), unless WINE_TEST_SHARED is set: then in the
# prefix's own session (a fixture's set-up that later sessions copy), whose
# registry is saved before the test ends.
if [ -z "${WINE_TEST_SHARED:-}" ] && [ -n "${WINEPREFIX:-}" ] && [ -f "$WINEPREFIX/system.reg" ]; then
  # shellcheck source=wine-env.sh
  source "$(dirname "$0")/wine-env.sh"
  wine_private_start "${name%.exe}" || exit 1
  # Ended in the background: ctest need not wait for the session to go.
  trap '(wine_private_stop) </dev/null >/dev/null 2>&1 & rm -rf "$markers"' EXIT
fi
# Wine's drive Z: is the Unix root.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
export TEST_START_MARKER TEST_END_MARKER
TEST_START_MARKER=$(windows_path "$markers/started")
TEST_END_MARKER=$(windows_path "$markers/ended")

# Backtraces of every thread of the running test program.
dump_threads() {
  local threads pid tids
  threads=$(WINEDEBUG=-all timeout 20 winedbg --command "info thread" </dev/null 2>/dev/null)
  pid=$(awk -v n="$name" '$2 == n { print $1; exit }' <<<"$threads")
  [ -n "$pid" ] || { echo "wine-test: $name is not among the running processes"; return; }
  tids=$(awk -v p="$pid" '/^[0-9a-f]/ { inside = ($1 == p); next } inside && NF { print $1 }' <<<"$threads")
  local commands="$markers/winedbg.txt"
  : >"$commands"
  local tid
  for tid in $tids; do
    echo "echo \"--- thread 0x$tid\"" >>"$commands"
    echo "bt 0x$tid" >>"$commands"
  done
  echo "detach" >>"$commands"
  WINEDEBUG=-all timeout 60 winedbg --file "$commands" "0x$pid" </dev/null 2>&1
}

watch_for_hang() {
  local wine_pid=$1 margin=15 sleeper
  [ "$timeout_s" -lt 60 ] && margin=$((timeout_s / 4))
  # The sleep holds none of ctest's output pipes and goes with the watcher.
  sleep $((timeout_s - margin)) </dev/null >/dev/null 2>&1 &
  sleeper=$!
  trap 'kill $sleeper 2>/dev/null; exit 0' TERM
  wait "$sleeper"
  kill -0 "$wine_pid" 2>/dev/null || return
  # What the program wrote so far, then where its threads stand.
  cat "$output"
  wc -c <"$output" >"$markers/shown"
  {
    echo
    if [ -f "$markers/ended" ]; then
      echo "wine-test: $name still runs $((timeout_s - margin)) s after its start; its tests had ended (result $(cat "$markers/ended")): it hangs in its exit"
    else
      echo "wine-test: $name still runs $((timeout_s - margin)) s after its start, inside its tests"
    fi
    echo "wine-test: backtraces of its threads:"
    dump_threads
  } >&2
}

status=0
wine_pid=""
watcher=""
trap 'kill $wine_pid $watcher 2>/dev/null; exit 143' TERM INT
output="$markers/output"
for attempt in 1 2 3; do
  rm -f "$markers/started" "$markers/ended" "$markers/shown"
  start=$(date +%s%N)
  wine "$@" </dev/null >"$output" 2>&1 &
  wine_pid=$!
  watch_for_hang "$wine_pid" &
  watcher=$!
  wait "$wine_pid"
  status=$?
  kill "$watcher" 2>/dev/null
  wait "$watcher" 2>/dev/null
  shown=0
  [ -f "$markers/shown" ] && shown=$(cat "$markers/shown")
  tail -c +$((shown + 1)) "$output"
  [ -f "$markers/started" ] && break
  ms=$((($(date +%s%N) - start) / 1000000))
  echo "wine-test: $name ended with status $status after $ms ms before its main() ran (launch $attempt of 3)" >&2
done
# What a shared run registered is on disk before the next session copies it.
[ -n "${WINE_TEST_SHARED:-}" ] && timeout 60 wineserver -w </dev/null >/dev/null 2>&1
exit $status
