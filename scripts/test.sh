#!/usr/bin/env bash
# Builds the presets and runs every test: the unit tests natively (with
# sanitizers) and the layer check, the Linux program with its unit and
# end-to-end tests, the unit tests under Wine, then the end-to-end tests of
# the Windows program under Wine against the mock service. Where clang and its fuzzer runtime are
# installed, the fuzz targets also run for a few seconds each.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

# True when clang++ links a libFuzzer target (clang and its runtime library).
fuzzer_available() {
  command -v clang++ >/dev/null || return 1
  local probe ok=1
  probe=$(mktemp -d)
  echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' >"$probe/probe.cpp"
  if clang++ -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1; then ok=0; fi
  rm -rf "$probe"
  return $ok
}

bash scripts/install-deps.sh

jobs=$(nproc)
echo "== native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native

echo "== Linux program: build, unit tests, end-to-end tests (Xvfb, a session bus each)"
cmake --preset linux >/dev/null
cmake --build --preset linux -j "$jobs"
ctest --preset linux

echo "== the benchmark's look-up of the processes it measures"
python3 -m unittest -q tests/bench/test_wine_process.py

echo "== language files"
python3 tests/lang/check_language_files.py lang/de.lang lang/en.lang

echo "== fuzz targets, a short run each"
if fuzzer_available; then
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz -j "$jobs"
  ctest --preset fuzz
else
  echo "skipped: needs clang++ with its fuzzer runtime (apt-get install clang libclang-rt-14-dev)"
fi

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
