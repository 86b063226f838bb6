# Sourced by the run and test scripts: a private X display with a window
# manager (when none is given) and a warm wineserver for one Wine prefix.
#   wine_session_start PREFIX   sets up and exports DISPLAY, WINEPREFIX, WINEDEBUG
#   wine_session_stop           ends what wine_session_start started

wine_session_pids=()

wine_session_start() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  # No .NET prompt in a fresh prefix, and no menu entries on the host for
  # the shortcuts an installer creates.
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;winemenubuilder.exe=d}"
  if [ -z "${DISPLAY:-}" ]; then
    local n=$((90 + RANDOM % 400))
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    wine_session_pids+=($!)
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    openbox >/dev/null 2>&1 &
    wine_session_pids+=($!)
  fi
  mkdir -p "$WINEPREFIX"
  # The prefix is created (or brought up to date) on a server of its own.
  # Booting it again under the persistent server would start a second set of
  # services that fight the first: COM's RpcSs then never starts, and every
  # program's first COM call waits 10 s for it.
  wineboot -i </dev/null >/dev/null 2>&1 || true
  wineserver -w
  # A persistent server, warmed up before any test runs: without it the first
  # Wine process leaves helpers behind that hold the test runner's pipes open.
  # Its first process starts the prefix's services, once.
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  for pid in "${wine_session_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wine_session_pids=()
}
