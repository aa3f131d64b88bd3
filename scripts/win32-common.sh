# Sourced by the scripts that cross-build for Windows with mingw-w64 and run the result under Wine
# on a virtual display. Expects $here, the work tree.

# Installs what the cross build and Wine need, configures the cross build in the folder given and
# builds the targets that follow.
cross_build() {
  local build_dir=$1
  shift
  "$here/scripts/install-missing.sh" cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest \
    wine64 xvfb xauth
  cmake -S "$here" -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DSTEPWISE_GTEST_SOURCE_DIR=/usr/src/googletest </dev/null
  nice -n 10 cmake --build "$build_dir" --parallel "$(nproc)" --target "$@" </dev/null
}

# A fresh Wine prefix in a temporary folder; the caller removes it (stop_wine) when done.
start_wine_prefix() {
  wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
  wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/stepwise-wine.XXXXXX")
  export wine wineserver WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}

stop_wine() {
  "$wineserver" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}

# Sets up the prefix; runs inside the virtual display.
init_wine_prefix() {
  "$wine" wineboot --init
  # Windows that no window manager looks after: Wine then does not wait for one at every dialog
  # that closes.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
  "$wineserver" -w
}

# Runs the named shell function on a virtual display of 1024 x 768; xvfb-run is a sh script, which
# drops exported bash functions, so the function goes as text.
on_virtual_display() {
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$(declare -f init_wine_prefix "$1"); $1" </dev/null
}
