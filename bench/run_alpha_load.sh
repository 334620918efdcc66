#!/bin/sh
# Builds the PNG and WebP load bench (Release) and times LoadPicture against
# the libraries' own decode of the same 12-megapixel files.
# Usage: bench/run_alpha_load.sh [--win32] [--runs N]
set -eu
. "$(dirname "$0")/lib.sh"
win32=0
if [ "${1:-}" = --win32 ]; then win32=1; shift; fi
bench_build alpha_load_bench "$win32"
exec ${QUILL_BENCH_RUNNER:-} "$bench" "$@"
