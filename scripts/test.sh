#!/usr/bin/env bash
# Builds Stepwise and its tests (installing what is missing) and runs every test, with no display.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/build-tests" -DSTEPWISE_TESTS=ON -DSTEPWISE_BENCH=ON
export QT_QPA_PLATFORM=offscreen
cd "$here/build-tests"
ctest --output-on-failure --parallel "$(nproc)" </dev/null
