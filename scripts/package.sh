#!/usr/bin/env bash
# Builds the two packages with CPack into dist/ (installing what is missing):
#   stepwise_<version>_amd64.deb            from the Linux build (Qt front end),
#   stepwise-<version>-windows-x64.zip      from the mingw-w64 cross build (Win32 front end).
# A build folder that is already configured is reused with its settings, so scripts/test.sh
# packages the builds it has just tested; a missing one is configured as a release build. Either
# way the folder must be a release build (CMAKE_BUILD_TYPE Release).
# Usage: scripts/package.sh [linux-build-dir [windows-build-dir]]
#        (defaults: build-release and build-win32 in the work tree)
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
linux_build=$(realpath -m "${1:-$here/build-release}")
windows_build=$(realpath -m "${2:-$here/build-win32}")
dist=$here/dist

"$here/scripts/install-missing.sh" build qt windows packaging

# Configures the build folder when it is new, builds the programs, and runs CPack in it; the
# package lands in dist/.
package() {  # build-dir, extra cmake arguments for a new folder...
  local build_dir=$1 build_type
  shift
  if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S "$here" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DSTEPWISE_TESTS=OFF "$@" </dev/null
  fi
  build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build_dir/CMakeCache.txt")
  if [ "$build_type" != Release ]; then
    echo "$build_dir is not a release build (CMAKE_BUILD_TYPE ${build_type:-empty}); no package is made of it" >&2
    return 1
  fi
  nice -n 10 cmake --build "$build_dir" --parallel "$(nproc)" </dev/null
  rm -rf "$build_dir/cpack"
  (cd "$build_dir" && cpack -B "$build_dir/cpack" </dev/null)
  find "$build_dir/cpack" -maxdepth 1 -type f \( -name '*.deb' -o -name '*.zip' \) -exec cp {} "$dist/" \;
}

rm -rf "$dist"
mkdir -p "$dist"
package "$linux_build"
package "$windows_build" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake"
ls -l "$dist"
