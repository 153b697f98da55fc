# Sourced by the test and main-job scripts: a private Wine prefix inside the
# build tree, a private Xvfb display when none is set, and the prefix's
# wineserver started up front so that no test's pipes are inherited by it.

wine_env_start() {
  local build=$1
  export WINEPREFIX="$build/wineprefix"
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  _wine_xvfb_pid=""

  if [ -z "${DISPLAY:-}" ]; then
    # Xvfb picks a free display itself and writes its number to the file.
    local numfile="$build/xvfb.display"
    rm -f "$numfile"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numfile" </dev/null >"$build/xvfb.log" 2>&1 &
    _wine_xvfb_pid=$!
    local i
    for i in $(seq 1 100); do
      [ -s "$numfile" ] && break
      sleep 0.1
    done
    [ -s "$numfile" ] || { echo "Xvfb did not start" >&2; cat "$build/xvfb.log" >&2; return 1; }
    export DISPLAY=":$(tr -d '[:space:]' <"$numfile")"
  fi

  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    timeout 300 wineboot -i </dev/null >"$build/wineboot.log" 2>&1 || true
    # A crash prints its backtrace and ends the program; no dialog waits.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      </dev/null >>"$build/wineboot.log" 2>&1 || true
    timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || true
  fi
  # Xvfb has no window manager: a managed window that closes makes Wine wait
  # 2 s for one. Unmanaged windows close at once. Checked on every start so
  # that a prefix created before this setting gets it too.
  if ! grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
      </dev/null >>"$build/wineboot.log" 2>&1 || true
    timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || true
  fi
  wineserver -p </dev/null >/dev/null 2>&1 || true
  # The first program of a session starts the prefix's services and desktop
  # process; started here, they hold no test's output pipes.
  timeout 60 wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

wine_env_stop() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  if [ -n "${_wine_xvfb_pid:-}" ]; then
    kill "$_wine_xvfb_pid" 2>/dev/null || true
    wait "$_wine_xvfb_pid" 2>/dev/null || true
    _wine_xvfb_pid=""
  fi
}
