#!/bin/sh
# Builds the palette reduction bench (Release) and times it against Pillow's
# fixed-palette quantize on the same 12-megapixel picture and the chat palette.
# Usage: bench/run_reduce.sh [--win32] [--runs N]
# Needs python3 with Pillow (Debian: python3-pil); PYTHON overrides the interpreter.
set -eu
. "$(dirname "$0")/lib.sh"
win32=0
if [ "${1:-}" = --win32 ]; then win32=1; shift; fi
bench_build reduce_bench "$win32"
exec "$python" "$root/bench/run_reduce.py" "$bench" "$root/tests/data/chat_palette.txt" "$@"
