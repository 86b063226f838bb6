#!/usr/bin/env bash
# Builds the Windows program and runs it under Wine against the mock service,
# in a fresh demo prefix, on $DISPLAY when set, else on a private X display.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target VELORADesktop
# The mock service publishes the installer, as the real one does.
cmake --build --preset win64 --target installer 2>/dev/null || echo "(no installer: makensis missing)"

demo="$root/.demo"
rm -rf "$demo"
mkdir -p "$demo/service"
cp tools/mock_service/dw.version "$demo/service/"
[ -f build/win64/installer/VELORADesktopSetup.exe ] &&
  cp build/win64/installer/VELORADesktopSetup.exe "$demo/service/VELORADesktop.exe"

source scripts/wine-session.sh
mock_pid=""
cleanup() {
  [ -n "$mock_pid" ] && kill "$mock_pid" 2>/dev/null
  wine_session_stop
}
trap cleanup EXIT
wine_session_start "$demo/prefix"

port=$(sed -n 's/.*VELORA_SERVICE_URL:STRING=.*:\([0-9][0-9]*\).*/\1/p' build/win64/CMakeCache.txt)
python3 tools/mock_service/mock_service.py --port "${port:-8642}" --root "$demo/service" \
  --log "$demo/service/requests.log" &
mock_pid=$!

echo "VELORA Desktop runs on display $DISPLAY; the mock service logs to $demo/service/requests.log."
echo "End it from its tray menu (or press Ctrl+C here)."
wine build/win64/bin/VELORADesktop.exe "$@" || true
