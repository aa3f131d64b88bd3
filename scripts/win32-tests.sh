#!/usr/bin/env bash
# Cross-builds stepwise.exe, stepwise-review.exe, stepwise-author.exe and the tests for Windows with mingw-w64
# (installing what is missing) and runs both test programs under Wine on a virtual display: the
# core tests and the tests of the Win32 window, which also start stepwise.exe itself. Then
# stepwise-review.exe reads a sample class under Wine and must write the same CSV, byte for byte,
# as the Linux build; and of a class that works an assignment file beside the built-in one, the
# same CSV, marks file and per-assignment CSV. Exits non-zero when anything fails. Wine runs in
# the prefix of $STEPWISE_WINE_PREFIX when one is given (set up here if new), else in a temporary
# one.
# Usage: scripts/win32-tests.sh [build-dir [linux-build-dir]]   (default: build-win32 in the work
# tree; the Linux build that writes the sample class and the CSV to compare with is built in
# <build-dir>/linux unless a build holding stepwise-review and stepwise_write_sample_class is given)
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$here/build-win32}
linux_build=${2:-}

source "$here/scripts/win32-common.sh"
# The benchmarks are built so that they keep building; scripts/win32-bench.sh runs them.
cross_build "$build_dir" stepwise stepwise-review stepwise-author stepwise_tests stepwise_win32_tests notes_viewer_bench_win32

# The programs must run on a stock Windows: only DLLs that come with Windows.
"$here/scripts/windows-imports.sh" "$build_dir/stepwise.exe" "$build_dir/stepwise-review.exe" "$build_dir/stepwise-author.exe"

# The sample class (damaged and hostile files included) and the CSV the Linux build writes of it.
if [ -z "$linux_build" ]; then
  linux_build=$build_dir/linux
  cmake -S "$here" -B "$linux_build" -DSTEPWISE_QT=OFF -DSTEPWISE_TESTS=ON \
    -DSTEPWISE_GTEST_SOURCE_DIR=/usr/src/googletest </dev/null
  nice -n 10 cmake --build "$linux_build" --parallel "$(nproc)" --target stepwise-review stepwise_write_sample_class </dev/null
fi
sample_dir=$(mktemp -d "${TMPDIR:-/tmp}/stepwise-review-sample.XXXXXX")
"$linux_build/tests/stepwise_write_sample_class" "$sample_dir"
(cd "$sample_dir" && "$linux_build/stepwise-review" --csv linux.csv qwelrand 2>/dev/null) || [ $? -eq 1 ]
(cd "$sample_dir" && "$linux_build/stepwise-review" --csv linux-zip.csv class.zip 2>/dev/null) || [ $? -eq 1 ]
# The class that works an assignment file, with marks from before assignments were named.
cp "$sample_dir/old-marks.csv" "$sample_dir/linux-marks.csv"
(cd "$sample_dir" && "$linux_build/stepwise-review" --assignment speed.stepwise --csv linux-mixed.csv \
  --marks linux-marks.csv --assignments-csv linux-assignments.csv mixed 2>/dev/null)

use_wine_prefix
trap 'stop_wine; rm -rf "$sample_dir"' EXIT

# Runs inside one virtual display: sets up the prefix, then both test programs.
run_under_wine() {
  init_wine_prefix
  local status=0
  (cd "$build_dir/tests" && "$wine" ./stepwise_tests.exe) || status=1
  (cd "$build_dir" && "$wine" ./stepwise_win32_tests.exe) || status=1
  # The same class read by the Windows build, from the folder and from its zip: the same CSV,
  # byte for byte (exit status 1: the damaged files are reported).
  local input
  for input in qwelrand class.zip; do
    local linux_csv=linux.csv windows_csv=windows.csv review_status=0
    [ "$input" = class.zip ] && linux_csv=linux-zip.csv windows_csv=windows-zip.csv
    (cd "$sample_dir" && "$wine" "$build_dir/stepwise-review.exe" --csv "$windows_csv" "$input" 2>/dev/null) || review_status=$?
    if [ "$review_status" -ne 1 ]; then
      echo "stepwise-review.exe exited with $review_status on $input, not 1" >&2; status=1
    elif cmp "$sample_dir/$linux_csv" "$sample_dir/$windows_csv"; then
      echo "stepwise-review.exe under Wine read $input into the same CSV as the Linux build ($(stat -c %s "$sample_dir/$linux_csv") bytes)"
    else
      echo "stepwise-review.exe under Wine read $input into another CSV than the Linux build" >&2; status=1
    fi
  done
  # The class that works an assignment file: the same CSV, marks file and per-assignment CSV
  # (exit status 0: every file is clean).
  local review_status=0 output
  cp "$sample_dir/old-marks.csv" "$sample_dir/windows-marks.csv"
  (cd "$sample_dir" && "$wine" "$build_dir/stepwise-review.exe" --assignment speed.stepwise --csv windows-mixed.csv \
    --marks windows-marks.csv --assignments-csv windows-assignments.csv mixed 2>/dev/null) || review_status=$?
  if [ "$review_status" -ne 0 ]; then
    echo "stepwise-review.exe exited with $review_status on the class that works an assignment file, not 0" >&2; status=1
  fi
  for output in mixed marks assignments; do
    if cmp "$sample_dir/linux-$output.csv" "$sample_dir/windows-$output.csv"; then
      echo "stepwise-review.exe --assignment under Wine wrote the same $output CSV as the Linux build ($(stat -c %s "$sample_dir/linux-$output.csv") bytes)"
    else
      echo "stepwise-review.exe --assignment under Wine wrote another $output CSV than the Linux build" >&2; status=1
    fi
  done
  # The example assignments pass the Windows build's check too.
  local checked
  checked=$(cd "$here/examples" && "$wine" "$build_dir/stepwise-author.exe" check *.stepwise | tr -d '\r') || status=1
  echo "stepwise-author.exe under Wine: $checked"
  [[ "$checked" == *"files checked: no errors, no warnings" ]] || status=1
  "$wineserver" -k || true
  return $status
}
export build_dir sample_dir here
on_virtual_display run_under_wine
echo "Windows build and tests under Wine: passed"
