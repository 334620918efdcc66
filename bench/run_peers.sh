#!/bin/sh
# Builds quill-cli natively and for Windows (Release), then times it against
# djpeg, ImageMagick's convert and Pillow on one 12-megapixel JPEG and on a
# batch of 24, all in this one command (wall-clock time, best and median of
# several runs taken in turn).
# Usage: bench/run_peers.sh [--runs N] [--skip-win32]
# Needs ImageMagick, djpeg (Debian: libjpeg-turbo-progs), python3 with Pillow,
# Wine and scripts/build-win32-deps for the Windows build.
set -eu
. "$(dirname "$0")/lib.sh"
bench_build quill-cli 0
native=$build/quill/app/quill-cli
exe=
case " $* " in
  *" --skip-win32 "*) ;;
  *)
    bench_build quill-cli 1
    exe=$build/quill/app/quill-cli.exe
    . "$root/scripts/lib/env.sh"
    . "$root/scripts/lib/wine-session.sh"
    wine_session_start
    ;;
esac
"$python" "$root/bench/run_peers.py" "$native" "$exe" "$root/tests/data/photo.jpg" "$root/tests/data/chat_palette.txt" "$@"
