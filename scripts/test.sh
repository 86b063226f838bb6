#!/usr/bin/env bash
# Builds both presets and runs every test: the unit tests natively (with
# sanitizers) and under Wine, then the end-to-end tests of the Windows program
# under Wine against the mock service.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh

jobs=$(nproc)
echo "== native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native

echo "== language files"
python3 tests/lang/check_language_files.py lang/de.lang lang/en.lang

echo "== Windows build"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$jobs"

echo "== unit and end-to-end tests under Wine"
source scripts/wine-session.sh
prefix="$root/build/win64/wineprefix"
rm -rf "$prefix"   # every run starts from a fresh prefix
trap wine_session_stop EXIT
wine_session_start "$prefix"
ctest --preset win64
