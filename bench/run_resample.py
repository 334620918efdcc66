#!/usr/bin/env python3
"""Times our resampling bench and Pillow's affine transform on the same picture.

Usage: run_resample.py BENCH_BINARY [--quick]

The bench binary writes its 12-megapixel test picture as raw BGRA; Pillow
transforms that very picture with Image.transform(size, AFFINE, data,
resample=...) at the same scales and destination sizes. Both sides are timed in
processor time of one thread, best of several runs, and the table shows ns per
destination pixel and how many times faster ours is.
"""
import os
import struct
import subprocess
import sys
import tempfile
import time

from PIL import Image

SCALES = (0.37, 1.0, 2.5)


def run_ours(binary, dump_path, quick):
    args = [binary, "--dump", dump_path] + (["--quick"] if quick else [])
    runner = os.environ.get("QUILL_BENCH_RUNNER")  # e.g. Wine for the Windows build
    if runner:
        args = [runner] + args
    out = subprocess.run(args, check=True, capture_output=True, text=True).stdout
    results = {}
    for line in out.splitlines():
        name, rest = line[:28].strip(), line[28:].split()
        results[name] = (int(rest[0]), float(rest[4]))  # pixels, ns/px
    return out, results


def load_picture(path):
    with open(path, "rb") as f:
        width, height = struct.unpack("<ii", f.read(8))
        data = f.read()
    return Image.frombuffer("RGBA", (width, height), data, "raw", "BGRA", 0, 1)


def bounds(extent, scale):
    # Same destination size as the bench: round((extent - 1) * s + 0.5), halves to even.
    return round((extent - 1) * scale + 0.5)


def time_pillow(picture, scale, resample, runs):
    size = (bounds(picture.width, scale), bounds(picture.height, scale))
    data = (1.0 / scale, 0.0, 0.0, 0.0, 1.0 / scale, 0.0)
    best = float("inf")
    for _ in range(runs):
        start = time.process_time()
        picture.transform(size, Image.AFFINE, data, resample=resample)
        best = min(best, time.process_time() - start)
    pixels = size[0] * size[1]
    return pixels, best * 1e9 / pixels


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    quick = "--quick" in sys.argv[2:]
    with tempfile.TemporaryDirectory() as tmp:
        dump = os.path.join(tmp, "picture.bgra")
        raw, ours = run_ours(sys.argv[1], dump, quick)
        picture = load_picture(dump)
    print(raw, end="")
    print()
    print(f"{picture.width} x {picture.height} picture, RGBA, one thread; Pillow {Image.__version__}")
    print(f"{'transform':<22} {'pixels':>10} {'ours ns/px':>11} {'Pillow ns/px':>13} {'ratio':>6}")
    runs = 1 if quick else 3
    for scale in SCALES:
        for ours_name, pil_name, resample in (("bilinear", "BILINEAR", Image.BILINEAR),
                                              ("nearest", "NEAREST", Image.NEAREST)):
            key = f"transform {ours_name} {scale:.2f}"
            pixels, ours_ns = ours[key]
            pil_pixels, pil_ns = time_pillow(picture, scale, resample, runs)
            assert pil_pixels == pixels, (key, pixels, pil_pixels)
            print(f"{ours_name + ' ' + format(scale, '.2f'):<22} {pixels:>10} {ours_ns:>11.2f} "
                  f"{pil_ns:>13.2f} {pil_ns / ours_ns:>5.1f}x")


if __name__ == "__main__":
    main()
