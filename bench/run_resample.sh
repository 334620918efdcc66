#!/bin/sh
# Builds the resampling bench (Release) and times it against Pillow's affine
# transform on the same 12-megapixel picture.
# Usage: bench/run_resample.sh [--win32] [--quick]
# Needs python3 with Pillow (Debian: python3-pil); PYTHON overrides the interpreter.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/bench}
python=${PYTHON:-python3}
if ! "$python" -c 'import PIL' 2>/dev/null && [ -x /usr/bin/python3 ]; then python=/usr/bin/python3; fi
if [ "${1:-}" = --win32 ]; then
  # The shipped 32-bit Windows build, run through Wine (native speed where the
  # kernel runs i386 code; scripts/build-win32-deps must have run once).
  shift
  build=${BUILD_DIR:-$root/build/bench-win32}
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILL_BUILD_BENCH=ON -DQUILL_BUILD_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DQUILL_WIN32_DEPS="$root/build/win32-deps" \
    -DCMAKE_PREFIX_PATH="$root/build/win32-deps" >/dev/null
  ninja -C "$build" -j2 resample_bench >/dev/null
  export QUILL_BENCH_RUNNER="$root/scripts/wine-run"
  exec "$python" "$root/bench/run_resample.py" "$build/bench/resample_bench.exe" "$@"
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILL_BUILD_BENCH=ON -DQUILL_BUILD_TESTS=OFF >/dev/null
ninja -C "$build" -j2 resample_bench >/dev/null
exec "$python" "$root/bench/run_resample.py" "$build/bench/resample_bench" "$@"
