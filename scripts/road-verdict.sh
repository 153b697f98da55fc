# Sourced by the main job's road scripts (scripts/main-job-*.sh): the verdict
# of a road. A road that fails prints one line "<road>: FAILED: <what>" for
# each thing that went wrong; its program prints those of its own checks,
# these functions those of the script and of a program that ended without
# saying why (a crash, a time-out).

# Prints the program's output without Wine's own notes.
road_output() {
  grep -v -e 'wine32 is missing' -e 'multiarch needs' -e 'dpkg --add-architecture' -e 'apt-get install wine32' \
    -e '^[0-9a-f]*:fixme:' -e '^[0-9a-f]*:err:' "$1" || true
}

# road_fail ROAD WHAT: the road failed before or after its program; exits 1.
road_fail() {
  echo "$1: FAILED: $2"
  exit 1
}

# road_verdict ROAD STATUS OUTPUT-FILE: "<road>: passed" for a program that
# ended with 0; for any other exit, the FAILED line the program did not
# print itself. Answers 0 or 1.
road_verdict() {
  local road=$1 status=$2 output=$3
  if [ "$status" = 0 ]; then
    if grep -q "^$road: FAILED: " "$output" 2>/dev/null; then
      echo "$road: FAILED: the program reported failures but ended with exit code 0"
      return 1
    fi
    echo "$road: passed"
    return 0
  fi
  if ! grep -q "^$road: FAILED: " "$output" 2>/dev/null; then
    case $status in
      124) echo "$road: FAILED: no end within its time limit" ;;
      *) echo "$road: FAILED: ended with exit code $status" ;;
    esac
  fi
  return 1
}

# Waits (at most 30 s) until no Tessiva.exe of this Wine prefix runs: a
# Tessiva that an earlier road started ends by itself once idle, and a road
# that reached it during its final pause would lose it half-way. Tessivas of
# other prefixes on the machine are not waited for.
wait_for_tessiva_end() {
  local i pid busy
  for i in $(seq 1 300); do
    busy=""
    for pid in $(pgrep -f 'Tessiva\.exe' || true); do
      if { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then busy=1; fi
    done
    [ -n "$busy" ] || return 0
    sleep 0.1
  done
  return 0
}
