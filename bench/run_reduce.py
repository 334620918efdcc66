#!/usr/bin/env python3
"""Times our palette reduction bench and Pillow's fixed-palette quantize.

Usage: run_reduce.py BENCH_BINARY CHAT_PALETTE_TXT [--runs N]

The bench binary reduces its 12-megapixel test picture to the chat palette in
every dither mode and writes the picture as a PPM; Pillow quantizes that very
picture with img.quantize(palette=palimg, dither=...) where palimg holds the
256-entry chat palette. Both sides are timed in processor time of one thread,
best of several runs. Ours is the whole ReduceToPalette call, result bitmap
included.
"""
import os
import subprocess
import sys
import tempfile
import time

from PIL import Image


def run_ours(binary, dump_path, runs):
    args = [binary, "--dump", dump_path, "--runs", str(runs)]
    runner = os.environ.get("QUILL_BENCH_RUNNER")  # e.g. Wine for the Windows build
    if runner:
        args = [runner] + args
    out = subprocess.run(args, check=True, capture_output=True, text=True).stdout
    results = {}
    for line in out.splitlines():
        fields = line.split()
        results[fields[0]] = float(fields[5])  # name px px ms ms ns/px ...
    return results


def palette_image(path):
    values = []
    with open(path) as f:
        for line in f:
            line = line.strip()
            if line:
                v = int(line, 16)
                values += [v >> 16, (v >> 8) & 255, v & 255]
    image = Image.new("P", (1, 1))
    image.putpalette(values)
    return image


def time_pillow(picture, palimg, dither, runs):
    best = float("inf")
    for _ in range(runs):
        start = time.process_time()
        picture.quantize(palette=palimg, dither=dither)
        best = min(best, time.process_time() - start)
    return best * 1e9 / (picture.width * picture.height)


def main():
    binary, palette_path = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[sys.argv.index("--runs") + 1]) if "--runs" in sys.argv else 5
    with tempfile.TemporaryDirectory() as tmp:
        dump = os.path.join(tmp, "picture.ppm")
        ours = run_ours(binary, dump, runs)
        picture = Image.open(dump)
        picture.load()
    palimg = palette_image(palette_path)
    theirs = {
        "nearest": time_pillow(picture, palimg, Image.Dither.NONE, runs),
        "floyd-steinberg": time_pillow(picture, palimg, Image.Dither.FLOYDSTEINBERG, runs),
    }
    print(f"{picture.width} x {picture.height} picture, chat palette, ns per pixel (best of {runs})")
    print(f"{'mode':<16} {'ours':>8} {'Pillow':>8} {'Pillow/ours':>12}")
    for mode, ns in ours.items():
        if mode in theirs:
            print(f"{mode:<16} {ns:8.2f} {theirs[mode]:8.2f} {theirs[mode] / ns:11.2f}x")
        else:
            print(f"{mode:<16} {ns:8.2f} {'-':>8} {'-':>12}")


if __name__ == "__main__":
    main()
