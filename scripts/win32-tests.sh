#!/usr/bin/env bash
# Cross-builds stepwise.exe and its tests for Windows with mingw-w64 (installing what is missing)
# and runs both test programs under Wine on a virtual display: the core tests and the tests of the
# Win32 window, which also start stepwise.exe itself. Exits non-zero when anything fails.
# Usage: scripts/win32-tests.sh [build-dir]   (default: build-win32 in the work tree)
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$here/build-win32}

packages=(cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest wine64 xvfb xauth)
"$here/scripts/install-missing.sh" "${packages[@]}"

cmake -S "$here" -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DSTEPWISE_GTEST_SOURCE_DIR=/usr/src/googletest </dev/null
nice -n 10 cmake --build "$build_dir" --parallel "$(nproc)" --target stepwise stepwise_tests stepwise_win32_tests </dev/null

# stepwise.exe must run on a stock Windows: only DLLs that come with Windows.
dlls=$(x86_64-w64-mingw32-objdump -p "$build_dir/stepwise.exe" | awk '/DLL Name:/ {print $3}')
echo "stepwise.exe ($(stat -c %s "$build_dir/stepwise.exe") bytes) imports:" $dlls
for dll in $dlls; do
  case "${dll,,}" in
    kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|msimg32.dll|ole32.dll|oleacc.dll|oleaut32.dll|msvcrt.dll|advapi32.dll|shell32.dll) ;;
    *) echo "stepwise.exe needs $dll, which Windows does not bring" >&2; exit 1 ;;
  esac
done

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/stepwise-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT

# Runs inside one virtual display: sets up the prefix, then both test programs.
run_under_wine() {
  "$wine" wineboot --init
  # Windows that no window manager looks after: Wine then does not wait for one at every
  # dialog that closes.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
  "$wineserver" -w
  local status=0
  (cd "$build_dir/tests" && "$wine" ./stepwise_tests.exe) || status=1
  (cd "$build_dir" && "$wine" ./stepwise_win32_tests.exe) || status=1
  "$wineserver" -k || true
  return $status
}
# xvfb-run is a sh script, which drops exported bash functions: the function goes as text.
export wine wineserver build_dir
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$(declare -f run_under_wine); run_under_wine" </dev/null
echo "Windows build and tests under Wine: passed"
