#!/usr/bin/env bash
# Builds the Linux program and runs it against the mock service, with a fresh
# demo configuration folder (so the first start shows the options dialog).
# On $DISPLAY when set, with the desktop's own tray; else on a private Xvfb
# display with the end-to-end tests' small StatusNotifier host as its tray.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh
cmake --preset linux >/dev/null
cmake --build --preset linux -j "$(nproc)" --target velora-desktop

demo="$root/.demo/linux"
rm -rf "$demo"
mkdir -p "$demo/service" "$demo/config"
cp tools/mock_service/dw.version "$demo/service/"

pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  Xvfb :93 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  export DISPLAY=:93
  sleep 1
  private_display=1
fi

port=$(sed -n 's/.*VELORA_SERVICE_URL:STRING=.*:\([0-9][0-9]*\).*/\1/p' build/linux/CMakeCache.txt)
python3 tools/mock_service/mock_service.py --port "${port:-8663}" --root "$demo/service" \
  --log "$demo/service/requests.log" &
pids+=($!)

run_program() {
  if [ -n "${private_display:-}" ]; then
    /usr/bin/python3 tests/e2e_linux/sni_host.py >/dev/null &
    sleep 1
  fi
  echo "VELORA Desktop runs on display $DISPLAY; the mock service logs to $demo/service/requests.log."
  echo "Its settings are in $demo/config. End it from its tray menu (or press Ctrl+C here)."
  [ -n "${private_display:-}" ] && echo "Open the send page: build/linux/bin/velora-desktop (a second start hands over)."
  XDG_CONFIG_HOME="$demo/config" build/linux/bin/velora-desktop "$@" || true
}

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
  export -f run_program
  export demo private_display
  dbus-run-session -- bash -c 'run_program "$@"' run "$@"
else
  run_program "$@"
fi
