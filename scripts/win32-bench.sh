#!/usr/bin/env bash
# Cross-builds the benchmarks of the Win32 window (bench/win32) and runs them under Wine on a
# virtual display (in the prefix of $STEPWISE_WINE_PREFIX when one is given, else in a temporary
# one); exits non-zero when a benchmark's checks do not hold.
# Usage: scripts/win32-bench.sh [build-dir]   (default: build-win32 in the work tree)
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$here/build-win32}
source "$here/scripts/win32-common.sh"
cross_build "$build_dir" notes_viewer_bench_win32

use_wine_prefix
trap stop_wine EXIT
run_benchmarks() {
  init_wine_prefix
  (cd "$build_dir" && "$wine" ./notes_viewer_bench_win32.exe)
}
export build_dir
on_virtual_display run_benchmarks
