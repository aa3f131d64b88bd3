#!/usr/bin/env bash
# Builds the packages with scripts/package.sh from the given builds and checks them as the systems
# that receive them would: the .deb's fields, files, desktop entry, metainfo and lintian; the .deb
# installed with apt-get, its programs started from /usr/bin (the window under Xvfb) and removed
# again; the Windows zip's files, its programs' imports and resources, and the instructor's
# program under Wine (in the prefix of $STEPWISE_WINE_PREFIX when given, else a temporary one).
# Installs what it needs. Prints one line per check and a closing count.
# Usage: scripts/package-tests.sh [linux-build-dir [windows-build-dir]]
#        (defaults: build-release and build-win32 in the work tree; both must be release builds)
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
linux_build=$(realpath -m "${1:-$here/build-release}")
windows_build=$(realpath -m "${2:-$here/build-win32}")
dist=$here/dist

"$here/scripts/install-missing.sh" build qt windows wine packaging package-checks

started=$(date +%s)
"$here/scripts/package.sh" "$linux_build" "$windows_build"
echo "Packaging took $(($(date +%s) - started)) s"

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$linux_build/CPackConfig.cmake")
deb=$dist/stepwise_${version}_amd64.deb
zip=$dist/stepwise-${version}-windows-x64.zip
echo "Packages of Stepwise $version:"
stat -c '  %n: %s bytes' "$deb" "$zip"

work=$(mktemp -d "${TMPDIR:-/tmp}/stepwise-package-tests.XXXXXX")
source "$here/scripts/win32-common.sh"
use_wine_prefix
trap 'stop_wine; rm -rf "$work"' EXIT
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

passed=0
failed=0
# Runs one check (a function or command); counts it and says how it went.
check() {  # description, command...
  local description=$1
  shift
  if "$@"; then
    echo "ok: $description"
    passed=$((passed + 1))
  else
    echo "FAILED: $description" >&2
    failed=$((failed + 1))
  fi
}

# Compares two texts, showing the difference when they differ.
same_text() {  # expected, actual
  diff <(printf '%s\n' "$1") <(printf '%s\n' "$2")
}

# --- The Debian package -------------------------------------------------------------------------

deb_fields() {
  local depends
  depends=$(dpkg-deb --field "$deb" Depends)
  echo "Depends: $depends"
  [ "$(dpkg-deb --field "$deb" Package)" = stepwise ] &&
    [ "$(dpkg-deb --field "$deb" Version)" = "$version" ] &&
    [ "$(dpkg-deb --field "$deb" Architecture)" = amd64 ] &&
    [ "$(dpkg-deb --field "$deb" Section)" = education ] &&
    [[ "$(dpkg-deb --field "$deb" Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] &&
    for needed in qt6-qpa-plugins libqt6widgets6 libqt6core6 libstdc++6 libc6; do
      [[ "$depends," == *"$needed,"* || "$depends," == *"$needed ("* ]] || { echo "Depends lacks $needed" >&2; return 1; }
    done
}

deb_files() {
  local expected
  expected=$(printf '%s\n' \
    ./usr/bin/stepwise \
    ./usr/bin/stepwise-author \
    ./usr/bin/stepwise-review \
    ./usr/share/applications/org.stepwise.Stepwise.desktop \
    ./usr/share/doc/stepwise/changelog.gz \
    ./usr/share/doc/stepwise/copyright \
    ./usr/share/icons/hicolor/256x256/apps/org.stepwise.Stepwise.png \
    ./usr/share/icons/hicolor/48x48/apps/org.stepwise.Stepwise.png \
    ./usr/share/icons/hicolor/scalable/apps/org.stepwise.Stepwise.svg \
    ./usr/share/man/man1/stepwise-author.1.gz \
    ./usr/share/man/man1/stepwise-review.1.gz \
    ./usr/share/man/man1/stepwise.1.gz \
    ./usr/share/man/man5/stepwise-assignment.5.gz \
    ./usr/share/metainfo/org.stepwise.Stepwise.metainfo.xml \
    ./usr/share/mime/packages/org.stepwise.Stepwise.xml \
    $(cd "$here/examples" && printf './usr/share/stepwise/assignments/%s\n' *.stepwise) | LC_ALL=C sort)
  same_text "$expected" "$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | LC_ALL=C sort)"
}

icon_sizes() {
  local icons=$work/deb/usr/share/icons/hicolor size
  for size in 48 256; do
    file "$icons/${size}x$size/apps/org.stepwise.Stepwise.png" | grep -q "PNG image data, $size x $size," ||
      { echo "the ${size}x$size icon is not a $size by $size PNG" >&2; return 1; }
  done
  grep -q '<svg' "$icons/scalable/apps/org.stepwise.Stepwise.svg"
}

# Validators pass only with nothing to say beyond hints and notes.
desktop_entry_valid() {
  local report
  report=$(desktop-file-validate "$work/deb/usr/share/applications/org.stepwise.Stepwise.desktop" 2>&1) || {
    echo "$report"
    return 1
  }
  [ -n "$report" ] && echo "$report"
  ! grep -Eiq 'error|warning' <<<"$report"
}

metainfo_valid() {
  local metainfo=$work/deb/usr/share/metainfo/org.stepwise.Stepwise.metainfo.xml report
  # The file alone, then the installed tree: the launchable desktop entry and the icons with it.
  report=$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1 &&
    appstreamcli validate-tree --no-net --no-color "$work/deb" 2>&1) || { echo "$report"; return 1; }
  echo "$report"
  ! grep -Eq '^[EW]: ' <<<"$report" &&
    grep -q "<release version=\"$version\" date=\"[0-9-]*\"/>" "$metainfo"
}

lintian_clean() {
  local report
  report=$(lintian --tag-display-limit 0 --display-info "$deb" 2>&1) || true
  [ -n "$report" ] && echo "$report"
  ! grep -Eq '^E: ' <<<"$report"
}

mkdir -p "$work/deb"
dpkg-deb --extract "$deb" "$work/deb"
check "the .deb's control fields (section, maintainer, dependencies)" deb_fields
check "the .deb holds exactly the programs, desktop entry, file type, metainfo, icons, manual pages, examples and licence" deb_files
check "the icons are the sizes their folders name" icon_sizes
check "desktop-file-validate finds no error or warning" desktop_entry_valid
check "appstreamcli validate finds no error or warning; the release is $version" metainfo_valid
check "lintian finds no error in the .deb" lintian_clean

# --- The .deb installed, started and removed ----------------------------------------------------

# Starts the installed student program on the virtual display, waits for its first prompt (a
# window titled "Stepwise" of that process) and ends the program. Runs under xvfb-run.
student_window_shows() {
  local home pid window status=0
  home=$(mktemp -d)
  env -u QT_QPA_PLATFORM HOME="$home" /usr/bin/stepwise </dev/null >"$home/output.txt" 2>&1 &
  pid=$!
  if window=$(timeout 60 xdotool search --sync --all --onlyvisible --pid "$pid" --name '^Stepwise$'); then
    echo "the first prompt is window $window: $(xdotool getwindowname "$window")"
  else
    echo "no window titled Stepwise within 60 s; the program said:" >&2
    cat "$home/output.txt" >&2
    status=1
  fi
  # Closing the name prompt asks for the name again, so the program is ended from outside.
  kill "$pid" 2>/dev/null || status=1
  wait "$pid" 2>/dev/null || true
  rm -rf "$home"
  return $status
}

installed_review_version() {
  local output
  output=$(/usr/bin/stepwise-review --version </dev/null) && same_text "stepwise-review $version" "$output"
}

installed_author_checks_examples() {
  local output
  output=$(/usr/bin/stepwise-author --version </dev/null) && same_text "stepwise-author $version" "$output" &&
    output=$(/usr/bin/stepwise-author check /usr/share/stepwise/assignments/*.stepwise </dev/null) &&
    same_text "$(ls "$here"/examples/*.stepwise | wc -l) files checked: no errors, no warnings" "$output"
}

# The file type as the desktop sees it, from shared-mime-info's database (gio reads it; a query
# through file(1) would only say text/plain), and the desktop entry that opens it.
assignment_file_type_registered() {
  local home type
  home=$(mktemp -d)
  cp "$here/examples/002-averages.stepwise" "$home/"
  type=$(HOME=$home XDG_DATA_DIRS=/usr/share gio info --attributes=standard::content-type \
    "$home/002-averages.stepwise" </dev/null | sed -n 's/^ *standard::content-type: //p')
  rm -rf "$home"
  same_text application/x-stepwise-assignment "$type" &&
    grep -Eq '^application/x-stepwise-assignment=(.*;)?org\.stepwise\.Stepwise\.desktop(;|$)' \
      /usr/share/applications/mimeinfo.cache
}

installed_student_version() {
  local output
  output=$(env -u DISPLAY -u QT_QPA_PLATFORM /usr/bin/stepwise --version </dev/null) &&
    same_text "stepwise $version" "$output"
}

install_deb() {
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --reinstall --no-install-recommends \
    -o DPkg::Lock::Timeout=300 "$deb" </dev/null
}

remove_deb() {
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get remove -y -o DPkg::Lock::Timeout=300 stepwise </dev/null
}

# Every file the package put in place is gone, and dpkg no longer knows the package.
removed_cleanly() {
  local file
  while read -r file; do
    if [ -e "$file" ] && [ ! -d "$file" ]; then echo "$file is still there" >&2; return 1; fi
  done <"$work/installed-files"
  [ ! -d /usr/share/doc/stepwise ] && ! dpkg-query -W -f='${Status}\n' stepwise 2>/dev/null | grep -q ' installed$'
}

installed_package_checks() {
  check "apt-get installs the .deb and what it depends on" install_deb
  dpkg-query -L stepwise >"$work/installed-files" 2>/dev/null || return 0
  check "stepwise-review --version runs from /usr/bin" installed_review_version
  check "stepwise-author --version runs from /usr/bin and the installed examples pass its check" \
    installed_author_checks_examples
  check "*.stepwise files are application/x-stepwise-assignment, opened by the student program" \
    assignment_file_type_registered
  check "stepwise --version runs from /usr/bin with no display" installed_student_version
  # xvfb-run is a sh script, which drops exported bash functions: the function goes as text.
  check "the installed stepwise shows its first prompt under Xvfb and is closed" \
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$(declare -f student_window_shows); student_window_shows"
  check "apt-get removes the package" remove_deb
  check "no file of the package is left" removed_cleanly
}

# The system's package database is shared: one run at a time installs and removes the package.
exec 9>"${TMPDIR:-/tmp}/stepwise-package-install.lock"
flock 9
installed_package_checks
flock -u 9

# --- The Windows zip ----------------------------------------------------------------------------

zip_files() {
  same_text "$( (printf '%s\n' LICENSE README.txt stepwise-author.exe stepwise-review.exe stepwise.exe &&
    cd "$here/examples" && printf 'assignments/%s\n' *.stepwise) | LC_ALL=C sort)" \
    "$(unzip -Z1 "$zip" | grep -v '/$' | LC_ALL=C sort)"
}

# The README and the licence as Windows' editors want them: CR LF line ends, the repository's
# texts, and after the licence the notices of the mingw-w64 runtime the programs contain.
zip_texts() {
  local name
  for name in README.txt LICENSE; do
    LC_ALL=C awk '!/\r$/ { bare = 1 } END { exit bare }' "$work/zip/$name" ||
      { echo "$name has a line without CR LF" >&2; return 1; }
  done
  cmp <(tr -d '\r' <"$work/zip/README.txt") "$here/README.md" &&
    cmp <(tr -d '\r' <"$work/zip/LICENSE") <(cat "$here/LICENSE" "$here/data/windows/third-party-notices.txt")
}

# The student program carries the icon and a version block; the instructor's a version block.
resources() {  # exe, description, icon expected (yes/no)
  local exe=$work/zip/$1 strings
  strings=$(wrestool --extract --raw --type=version "$exe" | strings --encoding=l)
  grep -qx "$version" <<<"$strings" && grep -qx "$2" <<<"$strings" && grep -qx "$1" <<<"$strings" ||
    { echo "$1's version block holds:" $strings >&2; return 1; }
  if [ "$3" = yes ]; then
    wrestool --extract --type=group_icon "$exe" >"$work/icon.ico" &&
      same_text "$(icotool --list "$here/data/icons/stepwise.ico")" "$(icotool --list "$work/icon.ico")"
  fi
}

# A console program: no display is needed, not even to set up the prefix when no earlier run has.
review_exe_version_under_wine() {
  local output
  (unset DISPLAY && init_wine_prefix </dev/null) || return 1
  output=$(cd "$work/zip" && env -u DISPLAY "$wine" ./stepwise-review.exe --version </dev/null | tr -d '\r')
  same_text "stepwise-review $version" "$output"
}

# The author's tool checks the examples shipped beside it, as an instructor would in the folder.
author_exe_checks_examples_under_wine() {
  local output
  output=$(cd "$work/zip" && env -u DISPLAY "$wine" ./stepwise-author.exe check assignments/*.stepwise </dev/null |
    tr -d '\r') &&
    same_text "$(ls "$work"/zip/assignments/*.stepwise | wc -l) files checked: no errors, no warnings" "$output"
}

mkdir -p "$work/zip"
unzip -q "$zip" -d "$work/zip"
check "the zip holds exactly the three programs, README.txt, LICENSE and the example assignments" zip_files
check "README.txt and LICENSE (with the runtime's notices) are the repository's texts in CR LF" zip_texts
check "the programs import only Windows' own DLLs" \
  "$here/scripts/windows-imports.sh" "$work/zip/stepwise.exe" "$work/zip/stepwise-review.exe" \
  "$work/zip/stepwise-author.exe"
check "stepwise.exe carries the icon and a version block of $version" \
  resources stepwise.exe "Stepwise self-paced tutorial" yes
check "stepwise-review.exe carries a version block of $version" \
  resources stepwise-review.exe "Stepwise review of hand-in files" no
check "stepwise-author.exe carries a version block of $version" \
  resources stepwise-author.exe "Stepwise assignment author's tool" no
check "stepwise-review.exe --version runs under Wine" review_exe_version_under_wine
check "stepwise-author.exe checks the zip's example assignments under Wine" author_exe_checks_examples_under_wine
echo "Packages: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
