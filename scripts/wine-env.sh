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
  # Wine draws the buttons of a title bar as letters of its Marlett font;
  # this Wine does not load the fonts of its own data folder, and without the
  # font the buttons show "0 1 r" where a user sees minimise, maximise and
  # close. The font goes where every Wine program finds it.
  local marlett
  for marlett in /usr/share/wine/fonts/marlett.ttf /usr/lib/wine/fonts/marlett.ttf; do
    if [ -f "$marlett" ] && [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
      mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
      cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
    fi
  done
  wineserver -p </dev/null >/dev/null 2>&1 || true
  # The first program of a session starts the prefix's services and desktop
  # process; started here, they hold no test's output pipes.
  timeout 60 wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# The exit trap's work: never fails, so that it leaves the run's result as it was.
wine_env_stop() {
  wine_private_stop_all || true
  wineserver -k </dev/null >/dev/null 2>&1 || true
  if [ -n "${_wine_xvfb_pid:-}" ]; then
    kill "$_wine_xvfb_pid" 2>/dev/null || true
    wait "$_wine_xvfb_pid" 2>/dev/null || true
    _wine_xvfb_pid=""
  fi
  return 0
}

# A private Wine session for one test program (scripts/wine-test.sh): a copy
# of the environment's prefix, its own wineserver (so its own COM service,
# registry and services) and its own Xvfb display (its own pointer and
# foreground window). Tests in private sessions share none of these and need
# no locks on them. The copy links the prefix's files and copies those that a
# program may rewrite in place (registry and .ini files); the session's server
# saves the registry by replacing the file, never through the link.
wine_private_start() {
  local name=$1
  local template=$WINEPREFIX
  mkdir -p "$template-tests"
  _wine_private=$(mktemp -d "$template-tests/$name.XXXXXX")
  # The display starts while the prefix is copied.
  local numfile="$_wine_private/xvfb.display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numfile" </dev/null >/dev/null 2>&1 &
  echo $! >"$_wine_private/xvfb.pid"
  cp -al "$template/." "$_wine_private/"
  local file
  while IFS= read -r -d '' file; do
    cp --remove-destination "$template/${file#"$_wine_private"/}" "$file"
  done < <(find "$_wine_private" -type f \( -name '*.reg' -o -iname '*.ini' \) -print0)
  export WINEPREFIX="$_wine_private"
  # The session needs no menu entries of the programs it runs.
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winemenubuilder.exe=d"
  local i
  for i in $(seq 1 100); do
    [ -s "$numfile" ] && break
    sleep 0.1
  done
  [ -s "$numfile" ] || { echo "wine-test: Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(tr -d '[:space:]' <"$numfile")"
  # Started here, the session's server holds none of the test's output.
  wineserver -p5 </dev/null >/dev/null 2>&1 || true
}

# Ends the private session's processes, its display, and removes its copy.
# Two may stop one session at once (a test's own stop, in the background,
# and the exit trap's wine_private_stop_all): the first to make the marker
# folder stops it, the other waits (at most a minute) until it is gone.
# Never fails: stopping a session changes no result.
wine_private_stop() {
  local prefix=${1:-${_wine_private:-}}
  [ -n "$prefix" ] && [ -d "$prefix" ] || return 0
  if ! mkdir "$prefix/.stopping" 2>/dev/null; then
    local i
    for i in $(seq 1 600); do
      [ -d "$prefix" ] || return 0
      sleep 0.1
    done
    return 0
  fi
  WINEPREFIX="$prefix" wineserver -k </dev/null >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" timeout 30 wineserver -w </dev/null >/dev/null 2>&1 || true
  local xvfb=""
  xvfb=$(cat "$prefix/xvfb.pid" 2>/dev/null) || true
  if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; fi
  rm -rf "$prefix" 2>/dev/null || true
  return 0
}

# Private sessions left behind by a test that was killed (a ctest time-out),
# or still being stopped in the background by the test that ended last.
wine_private_stop_all() {
  local prefix
  for prefix in "${WINEPREFIX:-}-tests"/*/; do
    if [ -d "$prefix" ]; then wine_private_stop "${prefix%/}" || true; fi
  done
  return 0
}
