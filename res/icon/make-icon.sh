#!/usr/bin/env bash
# Builds the program's icons with ImageMagick (Debian package imagemagick):
# res/VELORADesktop.ico for Windows and the PNG images of the Linux package's
# hicolor theme in hicolor/ (NxN.png, installed as the icon named by the
# program's application id). The 16, 32 and 48 pixel images are the drawn ones
# in this folder; every other size is rendered at its own size from the same
# artwork as a drawing: the green square with rounded corners and the white V,
# in a 48-unit square. For Windows those are 20 and 24 (the notification area
# and captions at 125 and 150 %), 40 (250 %), 64 and 256 (Explorer and the
# Start menu); for the hicolor theme 22, 24, 64, 128 and 256 (64 and 128 are
# what software centres show). Run it after changing the artwork and commit
# what it writes.
set -euo pipefail
cd "$(dirname "$0")"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

render() {
  local size=$1 scale
  scale=$(awk "BEGIN { print $size / 48 }")
  convert -size "${size}x${size}" xc:none \
    -draw "scale $scale,$scale fill '#1F7A4D' roundrectangle 1.25,1.25 45.75,45.75 9,9" \
    -draw "scale $scale,$scale fill white polygon 9.97,11.36 18.45,11.36 23.79,30.5 28.61,11.36 37.16,11.36 27.59,37.15 19.5,37.15" \
    "PNG32:$work/$size.png"
}

# The image of one size: the drawn one where there is one, else rendered.
image() {
  local size=$1
  if [ -f "VELORADesktop-$size.png" ]; then
    echo "VELORADesktop-$size.png"
  else
    [ -f "$work/$size.png" ] || render "$size"
    echo "$work/$size.png"
  fi
}

images=()
for size in 16 20 24 32 40 48 64 256; do
  images+=("$(image "$size")")
done
convert "${images[@]}" ../VELORADesktop.ico

mkdir -p hicolor
rm -f hicolor/*.png
for size in 16 22 24 32 48 64 128 256; do
  # Without the time stamps, so that a run on unchanged artwork changes nothing.
  convert "$(image "$size")" -define png:exclude-chunks=date,time "PNG32:hicolor/${size}x${size}.png"
done
