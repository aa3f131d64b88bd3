#!/usr/bin/env bash
# Builds Stepwise and its tests (installing what is missing) and runs every test, with no display:
# the Linux build's CTest suite, then the Windows build's tests under Wine, then the packages made
# from those two builds (installed, started and removed again).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/build-tests" -DSTEPWISE_TESTS=ON -DSTEPWISE_BENCH=ON
# The instructor's HTML report is checked in a real browser, headless.
"$here/scripts/install-missing.sh" chromium
status=0
(
  export QT_QPA_PLATFORM=offscreen
  cd "$here/build-tests"
  ctest --output-on-failure --parallel "$(nproc)" </dev/null
) || status=1
"$here/scripts/win32-tests.sh" "$here/build-win32" "$here/build-tests" </dev/null || status=1
"$here/scripts/package-tests.sh" "$here/build-tests" "$here/build-win32" </dev/null || status=1
exit $status
