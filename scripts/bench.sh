#!/usr/bin/env bash
# Builds the benchmark presets and prints the table of the program's figures
# beside their baselines (make bench): the native benchmarks of the settings
# read and the XML reader; the Linux program's start, idle cost and memory
# with a page and after it, in a display and session bus of their own; then,
# under Wine against the mock service, the start, the idle cost, the settings
# writes of a start and the download.
# Separate from make test: nothing here is a test, and no goal fails the run;
# a figure that cannot be measured does.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

# Benchmark-only packages: Google Benchmark, pugixml (the XML baseline),
# curl (the download baseline) and gdbus (the tray's calls to the Linux program).
bash scripts/install-deps.sh libbenchmark-dev libpugixml-dev curl libglib2.0-bin

jobs=$(nproc)
echo "== native benchmarks and the Linux program build"
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$jobs"
echo "== Windows release build and the programs it is measured with"
cmake --preset bench-win64 >/dev/null
cmake --build --preset bench-win64 -j "$jobs"

echo "== measuring"
source scripts/wine-session.sh
trap wine_session_stop EXIT
# A prefix of its own, kept between runs: the benchmark writes every file it
# depends on itself.
wine_session_start "$root/build/bench-win64/wineprefix"
python3 tools/bench/run_bench.py --native-bin build/bench/bench --win-build build/bench-win64 \
  --linux-build build/bench "$@"
