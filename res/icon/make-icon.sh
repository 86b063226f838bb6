#!/usr/bin/env bash
# Builds res/VELORADesktop.ico, the program's icon, with ImageMagick (Debian
# package imagemagick). The 16, 32 and 48 pixel images are the drawn ones in
# this folder; the sizes the system asks for at other display scales (20 and
# 24 for the notification area and captions at 125 and 150 %, 40 for 250 %,
# 64 and 256 for Explorer and the Start menu) are rendered at their own size
# from the same artwork as a drawing: the green square with rounded corners
# and the white V, in a 48-unit square. Run it after changing the artwork and
# commit the icon it writes.
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

images=()
for size in 16 20 24 32 40 48 64 256; do
  if [ -f "VELORADesktop-$size.png" ]; then
    images+=("VELORADesktop-$size.png")
  else
    render "$size"
    images+=("$work/$size.png")
  fi
done
convert "${images[@]}" ../VELORADesktop.ico
