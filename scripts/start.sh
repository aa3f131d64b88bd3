#!/usr/bin/env bash
# Builds Stepwise into build/ (installing what is missing) and starts it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-missing.sh" build qt
cmake -S "$here" -B "$here/build" -DSTEPWISE_TESTS=OFF
cmake --build "$here/build" --parallel "$(nproc)"
exec "$here/build/stepwise"
