#!/usr/bin/env bash
# Tests of the test command's shell functions, on the Linux side: stopping a
# private Wine session (also twice at once, also when its display already
# ended), the exit trap that leaves the result as it was, one run at a
# time in a build folder, and the verdict of a main-job road. wineserver is a stand-in on PATH that only waits;
# a session's display is a sleep this test started. Every wait is bounded.
#   ScriptsTests.sh SOURCE-ROOT
set -u
root=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/scripts-tests.XXXXXX")
failures=0
cleanup() {
  local pid
  for pid in $(cat "$work"/displays 2>/dev/null); do kill "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# wineserver -w waits a little, as the real one does while a session ends.
mkdir -p "$work/bin"
cat >"$work/bin/wineserver" <<'STUB'
#!/bin/sh
[ "${1:-}" = "-w" ] && sleep 0.5
exit 0
STUB
chmod +x "$work/bin/wineserver"
export PATH="$work/bin:$PATH"
export WINEPREFIX="$work/prefix"
mkdir -p "$WINEPREFIX-tests"

# True while the process runs (a zombie has ended).
running() {
  local state
  state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null)
  [ -n "$state" ] && [ "$state" != Z ]
}

# A display stand-in that is not this shell's child, so that once killed it is
# gone (a child of this shell would stay a zombie that kill still reaches).
start_display() {
  local pidfile=$1
  (setsid sleep 300 </dev/null >/dev/null 2>&1 & echo $! >"$pidfile")
  cat "$pidfile" >>"$work/displays"
}

# A session folder as wine_private_start leaves it; $2: its display runs.
make_session() {
  local session="$WINEPREFIX-tests/$1"
  mkdir -p "$session/drive_c"
  echo "x" >"$session/system.reg"
  if [ "$2" = running ]; then
    start_display "$session/xvfb.pid"
  else
    echo 999999 >"$session/xvfb.pid"  # no such process
  fi
  echo "$session"
}

# Runs a script under the test command's shell options; prints its exit code.
run_strict() {
  local script=$1
  bash -c "set -euo pipefail; source '$root/scripts/wine-env.sh'; $script" >"$work/out" 2>"$work/err"
  echo $?
}

# 1. A session whose display already ended stops cleanly.
session=$(make_session gone-display stopped)
code=$(run_strict "wine_private_stop '$session'; echo stopped")
[ "$code" = 0 ] || fail "stopping a session whose display ended: exit $code, $(cat "$work/err")"
[ "$(cat "$work/out")" = stopped ] || fail "the caller did not go on after the stop"
[ ! -e "$session" ] || fail "the session folder stayed"
[ ! -s "$work/err" ] || fail "the stop wrote: $(cat "$work/err")"

# 2. Two stop one session at once (the test's own stop in the background, the
#    exit trap's stop_all): both succeed, the display ends, nothing is printed.
for round in 1 2 3; do
  session=$(make_session "twice-$round" running)
  display=$(cat "$session/xvfb.pid")
  code=$(run_strict "(wine_private_stop '$session') & wine_private_stop_all; wait; echo done")
  [ "$code" = 0 ] || fail "round $round: two stops at once: exit $code, $(cat "$work/err")"
  [ ! -e "$session" ] || fail "round $round: the session folder stayed"
  for _ in $(seq 1 50); do running "$display" || break; sleep 0.1; done
  ! running "$display" || fail "round $round: the display still runs"
  [ ! -s "$work/err" ] || fail "round $round: the stops wrote: $(cat "$work/err")"
done

# 3. The exit trap of the test command changes no result: a run's own exit
#    code comes out, whatever the sessions left to stop.
#    wine_env_stop never fails, and the trap guards it besides.
for trap_command in "wine_env_stop" "'wine_env_stop || true'"; do
  for wanted in 0 3; do
    make_session "trap-$wanted-a" running >/dev/null
    make_session "trap-$wanted-b" stopped >/dev/null
    code=$(run_strict "trap $trap_command EXIT; exit $wanted")
    [ "$code" = "$wanted" ] || fail "exit $wanted through the trap $trap_command came out as $code: $(cat "$work/err")"
    [ -z "$(ls -A "$WINEPREFIX-tests")" ] || fail "the trap $trap_command left sessions: $(ls "$WINEPREFIX-tests")"
  done
done

# 4. One run at a time in a build folder: a second run waits for the first.
build="$work/build"
mkdir -p "$build"
cat >"$work/run.sh" <<RUN
#!/usr/bin/env bash
set -euo pipefail
source '$root/scripts/build.sh'
run_alone_in_build_folder "\$0" "\$@"
echo "start \$2 \$(date +%s%N)" >>'$work/runs'
sleep 1
echo "end \$2 \$(date +%s%N)" >>'$work/runs'
exit \$3
RUN
chmod +x "$work/run.sh"
timeout 60 "$work/run.sh" "$build" first 0 >/dev/null 2>&1 &
first=$!
timeout 60 "$work/run.sh" "$build" second 5 >/dev/null 2>&1 &
second=$!
wait "$first"
first_code=$?
wait "$second"
second_code=$?
[ "$first_code" = 0 ] || fail "the first run's exit code came out as $first_code"
[ "$second_code" = 5 ] || fail "the second run's exit code came out as $second_code"
# Sorted by time, the runs must not overlap: start, end, start, end.
touch "$work/runs"
order=$(sort -k3,3n "$work/runs" | awk '{ printf "%s ", $1 }')
[ "$order" = "start end start end " ] || fail "the runs overlapped: $(sort -k3,3n "$work/runs" | tr '\n' ';')"

# 5. A road's verdict: "<road>: passed" only for exit code 0 without a
#    FAILED line; a program that ended otherwise without saying why gets its
#    FAILED line from the script; one that said why gets no second line.
verdict() {  # STATUS OUTPUT-TEXT: prints the verdict's lines and its exit code
  printf '%b' "$2" >"$work/road.txt"
  bash -c "source '$root/scripts/road-verdict.sh'; road_verdict demo-road $1 '$work/road.txt'; echo \"exit \$?\""
}
while IFS='|' read -r status output expected; do
  got=$(verdict "$status" "$output" | tr '\n' ';')
  [ "$got" = "$expected" ] || fail "road_verdict $status after \"$output\": \"$got\", expected \"$expected\""
done <<'ROWS'
0|step 1 done\n|demo-road: passed;exit 0;
3|step 1 done\ndemo-road: FAILED: no popup\n|exit 1;
3|step 1 done\n|demo-road: FAILED: ended with exit code 3;exit 1;
124||demo-road: FAILED: no end within its time limit;exit 1;
0|demo-road: FAILED: no popup\n|demo-road: FAILED: the program reported failures but ended with exit code 0;exit 1;
ROWS
code=$(bash -c "source '$root/scripts/road-verdict.sh'; road_fail demo-road 'registering X failed'; echo after" \
  2>&1 | tr '\n' ';'; echo " ${PIPESTATUS[0]}")
[ "$code" = "demo-road: FAILED: registering X failed; 1" ] || fail "road_fail: \"$code\""

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all passed"
