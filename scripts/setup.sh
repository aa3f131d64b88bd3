#!/usr/bin/env bash
# Installs what the build and the tests need on Debian or Ubuntu, then configures and builds.
# Usage: scripts/setup.sh <build-dir> [extra cmake arguments]
set -euo pipefail

packages=(cmake make g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update </dev/null
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}" </dev/null
fi

build_dir=$1
shift
cmake -S "$(dirname "$0")/.." -B "$build_dir" "$@"
cmake --build "$build_dir" --parallel "$(nproc)"
