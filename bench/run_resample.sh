#!/bin/sh
# Builds the resampling bench (Release) and times it against Pillow's affine
# transform on the same 12-megapixel picture.
# Usage: bench/run_resample.sh [--win32] [--quick]
# Needs python3 with Pillow (Debian: python3-pil); PYTHON overrides the interpreter.
set -eu
. "$(dirname "$0")/lib.sh"
win32=0
if [ "${1:-}" = --win32 ]; then win32=1; shift; fi
bench_build resample_bench "$win32"
exec "$python" "$root/bench/run_resample.py" "$bench" "$@"
