# Shared by the bench/run_*.sh scripts (sourced, POSIX sh): finds a python3
# with Pillow and builds one bench, natively or for the shipped 32-bit Windows
# build (run through Wine: native speed where the kernel runs i386 code;
# scripts/build-win32-deps must have run once).
root=$(cd "$(dirname "$0")/.." && pwd)
python=${PYTHON:-python3}
if ! "$python" -c 'import PIL' 2>/dev/null && [ -x /usr/bin/python3 ]; then python=/usr/bin/python3; fi

# bench_build TARGET WIN32 (0 or 1): builds TARGET in Release and sets bench to
# the program's path; for the Windows build QUILL_BENCH_RUNNER runs it.
bench_build() {
  if [ "$2" = 1 ]; then
    build=${BUILD_DIR:-$root/build/bench-win32}
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILL_BUILD_BENCH=ON -DQUILL_BUILD_TESTS=OFF \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DQUILL_WIN32_DEPS="$root/build/win32-deps" \
      -DCMAKE_PREFIX_PATH="$root/build/win32-deps" >/dev/null
    bench="$build/bench/$1.exe"
    QUILL_BENCH_RUNNER="$root/scripts/wine-run"
    export QUILL_BENCH_RUNNER
  else
    build=${BUILD_DIR:-$root/build/bench}
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILL_BUILD_BENCH=ON -DQUILL_BUILD_TESTS=OFF >/dev/null
    bench="$build/bench/$1"
  fi
  ninja -C "$build" -j2 "$1" >/dev/null
}
