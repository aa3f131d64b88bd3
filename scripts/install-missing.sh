#!/usr/bin/env bash
# Installs the packages of the given groups of scripts/packages.txt that are not installed yet, with
# one apt-get update and one apt-get install, as root or through sudo, without asking anything. When
# another package manager holds the dpkg lock, apt-get waits for it (up to 5 minutes). Groups named
# in $STEPWISE_INSTALLED_GROUPS are skipped: scripts/test.sh installs all its scripts need at once
# and names the groups there, so that the scripts it runs look at nothing again.
# Usage: scripts/install-missing.sh <group>...
set -euo pipefail

list=$(cd "$(dirname "$0")" && pwd)/packages.txt
[ $# -gt 0 ] || { echo "Usage: $0 <group>...   (the groups of $list)" >&2; exit 2; }

declare -A wanted=() known=() listed=() done_before=()
for group in ${STEPWISE_INSTALLED_GROUPS:-}; do done_before[$group]=1; done
for group in "$@"; do [ -n "${done_before[$group]:-}" ] || wanted[$group]=1; done
packages=()
group=""
while read -r line || [ -n "$line" ]; do
  line=${line%%#*}
  read -r -a words <<<"$line"
  [ ${#words[@]} -gt 0 ] || continue
  if [[ ${words[0]} =~ ^\[(.+)\]$ ]]; then
    group=${BASH_REMATCH[1]}
    known[$group]=1
  elif [ -z "$group" ]; then
    echo "$list: ${words[*]} is in no group" >&2
    exit 2
  elif [ -n "${wanted[$group]:-}" ]; then
    for p in "${words[@]}"; do
      [ -n "${listed[$p]:-}" ] || packages+=("$p")
      listed[$p]=1
    done
  fi
done <"$list"
for group in "$@"; do
  [ -n "${known[$group]:-}" ] || { echo "$list has no group $group" >&2; exit 2; }
done

# Installed, or installed with triggers still to run (while another apt-get is at work).
installed() {  # package
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -Eqx "install ok (installed|triggers-pending|triggers-awaited)"
}
missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
[ ${#missing[@]} -gt 0 ] || exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
apt_get() {
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 "$@" </dev/null
}
echo "Installing: ${missing[*]}"
apt_get update
apt_get install -y --no-install-recommends "${missing[@]}"

# A name that apt-get takes but dpkg never lists as installed (a virtual package) would have every
# later run update and install again.
not_installed=()
for p in "${missing[@]}"; do
  installed "$p" || not_installed+=("$p")
done
[ ${#not_installed[@]} -eq 0 ] || { echo "Still not installed: ${not_installed[*]}" >&2; exit 1; }
