#!/bin/sh
# Makes docs/dither-modes.png: the sample photo exported by quill-cli in each of
# the six dither modes, side by side at twice their size so that the patterns
# show. Needs a native build of quill-cli (cmake --build --preset native
# --target quill-cli) and ImageMagick's montage.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${QUILL_CLI:-$root/build/native/quill/app/quill-cli}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
set --
for mode in nearest floyd stucki sierra jajuni burkes; do
  # The cat's face: the photo at 0.44 with "Reduce" fills the 132 x 132 section.
  "$cli" "$root/tests/data/photo.jpg" --resize reduce --scale 220 --section 33,0 --dither "$mode" \
    -o "$work/$mode.bmp"
  set -- "$@" -label "--dither $mode" "$work/$mode.bmp"
done
montage "$@" -filter point -resize 200% -tile 3x2 -geometry +8+8 -font DejaVu-Sans -pointsize 16 -background white \
  "$root/docs/dither-modes.png"
