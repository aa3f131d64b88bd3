#!/usr/bin/env bash
# Installs what the build and the tests need on Debian or Ubuntu, then configures and builds.
# Usage: scripts/setup.sh <build-dir> [extra cmake arguments]
set -euo pipefail

packages=(cmake make g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core)

"$(dirname "$0")/install-missing.sh" "${packages[@]}"

build_dir=$1
shift
cmake -S "$(dirname "$0")/.." -B "$build_dir" "$@"
cmake --build "$build_dir" --parallel "$(nproc)"
