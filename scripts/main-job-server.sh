#!/usr/bin/env bash
# The main job's translation-server step: starts the stand-in translation
# server (python3, on a free port of 127.0.0.1), runs Tessiva's server
# connector against it (a text, a page with its progress dialog, the about
# box, with pictures in $build/screenshots), then points Tessiva's own
# connector at the server and runs the plug-in demo through Tessiva, and
# stops the server by its process id.
# Runs inside the Wine environment that scripts/run-main-job.sh started.
# Usage: scripts/main-job-server.sh <build-dir>
# Ends with "server-demo: passed", or with a line "server-demo: FAILED: <what>" for each
# thing that went wrong, and then exits 1 (scripts/road-verdict.sh).
set -euo pipefail
# shellcheck source=road-verdict.sh
source "$(dirname "$0")/road-verdict.sh"

build=$(cd "$1" && pwd)
bin="$build/bin"
work="$build/main-job-server"
shots="$build/screenshots"
mkdir -p "$work" "$shots"
rm -f "$work/ready.txt" "$work/requests.log"

python=$(command -v /usr/bin/python3 || command -v python3 || true)
[ -n "$python" ] || road_fail server-demo "python3 is needed for the translation server stand-in"
# A slower job, so that the progress dialog shows for a moment; the server
# names its reply elements otherwise than its defaults and indents them, as a
# server Tessiva has never seen may.
echo '{"jobMs": 1500, "renameElements": true, "soapHeader": true, "whitespace": true}' >"$work/switches.json"
"$python" "$bin/vqd-server/vqd_server.py" --port 0 --data "$bin/kernel-data" \
  --extra "$bin/vqd-server/templates.txt" --switches "$work/switches.json" \
  --log "$work/requests.log" --ready "$work/ready.txt" </dev/null >"$work/server.out" 2>&1 &
server_pid=$!
stop_server() {
  kill -TERM "$server_pid" 2>/dev/null || true
  for _ in $(seq 1 50); do kill -0 "$server_pid" 2>/dev/null || break; sleep 0.1; done
  kill -KILL "$server_pid" 2>/dev/null || true
  wait "$server_pid" 2>/dev/null || true
}
trap stop_server EXIT
for _ in $(seq 1 100); do [ -s "$work/ready.txt" ] && break; sleep 0.1; done
if [ ! -s "$work/ready.txt" ]; then
  cat "$work/server.out" >&2
  road_fail server-demo "the translation server stand-in did not start"
fi
read -r _ port <"$work/ready.txt"
address="http://127.0.0.1:$port/vqd"
echo "Translation server stand-in listens at $address"

winpath() { printf 'Z:%s' "${1//\//\\}"; }
status=0
timeout 120 wine "$bin/tessiva_server_demo.exe" "$address" "$(winpath "$bin/Tessiva.exe")" "$(winpath "$shots")" \
  </dev/null >"$work/demo.txt" 2>&1 || status=$?
road_output "$work/demo.txt"

# Tessiva itself over the server: a Tessiva started for the kernel must have
# ended first, so that COM starts one that sees the server's address.
wait_for_tessiva_end
echo "Tessiva with its connector pointed at the translation server:"
echo '{"renameElements": true}' >"$work/switches.json"
before=$(grep -c "\"operation\"" "$work/requests.log" || true)
TESSIVA_VQD_SERVER="$address" timeout 120 wine "$bin/tessiva_plugin_demo.exe" server-demo </dev/null \
  >"$work/plugin.txt" 2>&1 || status=$?
road_output "$work/plugin.txt"
requests=$(grep -c "\"operation\"" "$work/requests.log" || true)
echo "requests the translation server received: $requests"
if [ "${requests:-0}" -le "${before:-0}" ]; then
  echo "server-demo: FAILED: Tessiva's own connector sent the translation server no request" | tee -a "$work/plugin.txt"
  [ "$status" != 0 ] || status=1
fi
# That Tessiva ends by itself once idle; the roads after this one must not
# reach it, since its connector points at a server that is about to stop.
wait_for_tessiva_end
cat "$work/demo.txt" "$work/plugin.txt" >"$work/road.txt"
road_verdict server-demo "$status" "$work/road.txt"
