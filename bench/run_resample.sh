#!/bin/sh
# Builds the resampling bench (Release) and times it against Pillow's affine
# transform on the same 12-megapixel picture. Usage: bench/run_resample.sh [--quick]
# Needs python3 with Pillow (Debian: python3-pil); PYTHON overrides the interpreter.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/bench}
python=${PYTHON:-python3}
if ! "$python" -c 'import PIL' 2>/dev/null && [ -x /usr/bin/python3 ]; then python=/usr/bin/python3; fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILL_BUILD_BENCH=ON -DQUILL_BUILD_TESTS=OFF >/dev/null
ninja -C "$build" -j2 resample_bench >/dev/null
exec "$python" "$root/bench/run_resample.py" "$build/bench/resample_bench" "$@"
