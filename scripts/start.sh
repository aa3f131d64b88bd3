#!/usr/bin/env bash
# Builds Stepwise (installing what is missing) and starts it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/build" -DSTEPWISE_TESTS=OFF
exec "$here/build/stepwise"
