#!/usr/bin/env bash
# Renders the icon's SVG into the PNG and .ico files kept beside it in data/icons/ (committed, so
# that a build needs no SVG renderer). Run it after changing org.stepwise.Stepwise.svg.
# Usage: scripts/render-icons.sh
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-missing.sh" icons

icons=$here/data/icons
svg=$icons/org.stepwise.Stepwise.svg
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

render() {  # size, output file
  rsvg-convert --width "$1" --height "$1" --output "$2" "$svg"
}

# The freedesktop icon theme sizes.
render 48 "$icons/48x48.png"
render 256 "$icons/256x256.png"

# The Windows icon: the sizes Explorer and the task bar ask for; 256 is stored as PNG.
for size in 16 24 32 48 64; do render "$size" "$work/$size.png"; done
render 256 "$work/256.png"
icotool --create --output="$icons/stepwise.ico" \
  "$work/16.png" "$work/24.png" "$work/32.png" "$work/48.png" "$work/64.png" --raw="$work/256.png"
ls -l "$icons"
