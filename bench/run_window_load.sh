#!/bin/sh
# Builds the Windows build's window-load driver, Quill.exe and quill-cli.exe
# (Release), makes the 12-megapixel JPEG of the other benches and times the
# window's "Load" to the section shown against quill-cli.exe's run, under Wine
# on a private display. Usage: bench/run_window_load.sh [--runs N]
# Needs ImageMagick, Wine and scripts/build-win32-deps.
set -eu
. "$(dirname "$0")/lib.sh"
bench_build window_load_bench 1
. "$root/scripts/lib/env.sh"
. "$root/scripts/lib/wine-session.sh"
wine_session_start
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"; wine_session_stop' EXIT
convert "$root/tests/data/photo.jpg" -resize '4000x3000!' -seed 1 -attenuate 0.4 +noise Gaussian -quality 90 \
  -sampling-factor 2x2 "$tmp/photo-12mp.jpg"
wine "$bench" "$tmp/photo-12mp.jpg" "$@"
