# shellcheck shell=bash
# Sourced by the scripts that cross-build for Windows with mingw-w64 and run the result under Wine
# on a virtual display. Expects $here, the work tree.

# Installs what the cross build and Wine need, configures the cross build in the folder given and
# builds the targets that follow.
cross_build() {
  local build_dir=$1
  shift
  "$here/scripts/install-missing.sh" build windows wine
  cmake -S "$here" -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DSTEPWISE_GTEST_SOURCE_DIR=/usr/src/googletest </dev/null
  nice -n 10 cmake --build "$build_dir" --parallel "$(nproc)" --target "$@" </dev/null
}

# The Wine prefix: the one in $STEPWISE_WINE_PREFIX when one is given (scripts/test.sh shares one
# among all its runs under Wine), else a new one in a temporary folder, which stop_wine removes. A
# WINEPREFIX of the user's own is never used.
use_wine_prefix() {
  wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
  wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
  if [ -n "${STEPWISE_WINE_PREFIX:-}" ]; then
    WINEPREFIX=$STEPWISE_WINE_PREFIX
    own_wine_prefix=""
  else
    WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/stepwise-wine.XXXXXX")
    own_wine_prefix=yes
  fi
  export wine wineserver WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}

# Ends the prefix's Wine processes, and removes the prefix when use_wine_prefix made it.
stop_wine() {
  "$wineserver" -k 2>/dev/null || true
  [ -z "$own_wine_prefix" ] || rm -rf "$WINEPREFIX"
}

# Sets up the prefix unless an earlier run has; runs inside the virtual display, where Wine's
# "being updated" window goes.
init_wine_prefix() {
  [ ! -f "$WINEPREFIX/.stepwise-ready" ] || return 0
  # Windows that no window manager looks after: Wine then does not wait for one at every dialog
  # that closes.
  "$wine" wineboot --init &&
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null &&
    "$wineserver" -w &&
    touch "$WINEPREFIX/.stepwise-ready"
}

# Runs the named shell function on a virtual display of 1024 x 768; xvfb-run is a sh script, which
# drops exported bash functions, so the function goes as text.
on_virtual_display() {
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$(declare -f init_wine_prefix "$1"); $1" </dev/null
}
