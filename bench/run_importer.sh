#!/bin/sh
# Builds the importer bench and quill-cli (Release), makes a 132 x 132 and a
# 12-megapixel JPEG from the sample photo, times the rescale and the section
# refresh on both, then quill-cli against djpeg's decode of the 12-megapixel
# file. Usage: bench/run_importer.sh [--runs N]
# Needs ImageMagick's convert and djpeg (Debian: imagemagick, libjpeg-turbo-progs).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILL_BUILD_BENCH=ON -DQUILL_BUILD_TESTS=OFF >/dev/null
ninja -C "$build" -j2 importer_bench quill-cli >/dev/null
exec python3 "$root/bench/run_importer.py" "$build" "$root/tests/data/photo.jpg" "$@"
