#!/usr/bin/env bash
# Builds Stepwise and its tests (installing what is missing) and runs every test, with no display:
# the Linux build's CTest suite, then the Windows build's tests under Wine, then the packages made
# from those two builds (installed, started and removed again).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
# Everything this run needs, at once: the scripts below then install nothing.
groups=(build qt tests browser windows wine packaging package-checks)
"$here/scripts/install-missing.sh" "${groups[@]}"
export STEPWISE_INSTALLED_GROUPS="${groups[*]}"

# One Linux build, tested and then packaged: the release build, with the tests and the benchmarks.
build=$here/build-release
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DSTEPWISE_TESTS=ON -DSTEPWISE_BENCH=ON </dev/null
cmake --build "$build" --parallel "$(nproc)" </dev/null

status=0
(
  export QT_QPA_PLATFORM=offscreen
  cd "$build"
  ctest --output-on-failure --parallel "$(nproc)" </dev/null
) || status=1

# One Wine prefix for the Windows build's tests and the package checks; the first sets it up.
source "$here/scripts/win32-common.sh"
use_wine_prefix
trap stop_wine EXIT
export STEPWISE_WINE_PREFIX=$WINEPREFIX
"$here/scripts/win32-tests.sh" "$here/build-win32" "$build" </dev/null || status=1
"$here/scripts/package-tests.sh" "$build" "$here/build-win32" </dev/null || status=1
exit $status
