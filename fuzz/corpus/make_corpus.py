#!/usr/bin/env python3
"""Regenerates the seed corpora of the fuzz targets, fuzz/corpus/<target>/.

Run from anywhere:  /usr/bin/python3 fuzz/corpus/make_corpus.py
Needs a C compiler and libjpeg's headers (for jpeg_seeds.c) and Python 3 with
PIL (Debian: python3-pil, which only the system Python sees) for the GIF
frames with real LZW data.

Every seed is a small picture (a few pixels a side) of one variant the reader
takes, so that the fuzzer starts inside each of its paths:

  bmp_fuzz                 BMP files: core and info headers, every depth, RLE8
                           and RLE4 with every escape, bit fields from 16-bit
                           565 to odd 32-bit masks with alpha, V2 to V5 headers,
                           top-down rows, short colour tables, a gap before the
                           pixels, plus tests/data/*.bmp
  dib_fuzz                 the BMP files above and the same as packed DIBs
  clipboard_picture_fuzz   packed DIBs (CF_DIB blocks) of the BMP files above
  jpeg_fuzz                jpeg_seeds.c's pictures (baseline 4:2:0, 4:2:2,
                           4:4:4, progressive, grayscale, CMYK, restart markers,
                           arithmetic coding) plus tests/data/*.jpg
  gif_fuzz                 tests/data/*.gif (interlaced, local colour table,
                           transparency, offset image, cut data) plus
                           several-frame files with real LZW data, a GIF87a,
                           extensions
  bookmark_fuzz            folder layouts of the older bookmark files (see
                           fuzz/bookmark_fuzz.cpp for the input layout)

Each run writes the seeds afresh and keeps what campaigns merged into the
folders (inputs named by their SHA-1, as libFuzzer names them); the fuzzer's
live corpus stays in build/fuzz/work/ until `scripts/fuzz --merge` keeps it.
"""
import io
import os
import re
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
DATA = os.path.join(ROOT, "tests", "data")

# --- BMP ----------------------------------------------------------------------

W, H = 5, 3


def le(value, size):
    return int(value & ((1 << (8 * size)) - 1)).to_bytes(size, "little")


def table(n, core=False):
    out = b""
    for i in range(n):
        entry = bytes([(i * 37) & 0xFF, (255 - i * 11) & 0xFF, (i * 73) & 0xFF])
        out += entry if core else entry + b"\0"
    return out


def padded(row):
    return row + b"\0" * (-len(row) % 4)


def pack_indices(indices, bits):
    out = bytearray()
    per = 8 // bits
    for i in range(0, len(indices), per):
        byte = 0
        for j, v in enumerate(indices[i:i + per]):
            byte |= v << (8 - bits * (j + 1))
        out.append(byte)
    return bytes(out)


def rows_for(bits, width=W, height=H, colours=None):
    """Row bytes in file order (each padded) of a small test pattern."""
    out = b""
    for y in range(height):
        if bits <= 8:
            n = colours or (1 << bits)
            row = pack_indices([(x + 2 * y) % n for x in range(width)], bits)
        else:
            row = b"".join(le((x * 0x1357 + y * 0x2468 + 0x0F0F0F0F * (x & 1)) & 0xFFFFFFFF,
                              bits // 8) for x in range(width))
        out += padded(row)
    return out


def info_header(size, width, height, bits, compression=0, image_size=0, used=0, masks=()):
    if size == 12:
        return le(12, 4) + le(width, 2) + le(height, 2) + le(1, 2) + le(bits, 2)
    h = le(size, 4) + le(width, 4) + le(height, 4) + le(1, 2) + le(bits, 2)
    h += le(compression, 4) + le(image_size, 4) + le(2835, 4) + le(2835, 4) + le(used, 4) + le(0, 4)
    if size >= 52:
        m = list(masks) + [0] * (4 - len(masks))
        h += b"".join(le(v, 4) for v in (m[:4] if size >= 56 else m[:3]))
    return h + b"\x5A" * (size - len(h))


def bmp_file(dib, pixel_offset):
    """The 14-byte file header in front of a packed DIB whose pixels start at
    pixel_offset (from the start of the DIB)."""
    return b"BM" + le(14 + len(dib), 4) + le(0, 4) + le(14 + pixel_offset, 4) + dib


def dib(header, colour_table=b"", masks_after=(), pixels=b"", gap=b""):
    """A packed DIB and where its pixels start."""
    block = header + b"".join(le(m, 4) for m in masks_after) + colour_table + gap + pixels
    return block, len(block) - len(pixels)


def rle8_stream():
    # Bottom row: a run, an odd absolute run (padded), end of line; middle row:
    # a delta right, a run; then a delta down past the top row and the end.
    return bytes([2, 1, 0, 3, 2, 3, 4, 0, 0, 0,
                  0, 2, 1, 0, 4, 5, 0, 0,
                  3, 7, 0, 2, 0, 1, 0, 1])


def rle4_stream():
    return bytes([3, 0x12, 0, 3, 0x34, 0x50, 0, 0,
                  0, 2, 2, 0, 3, 0x67, 0, 0,
                  5, 0x89, 0, 1])


def bmp_seeds():
    """(name, (packed DIB, pixel offset)) of every variant the reader takes."""
    seeds = []
    for bits in (1, 4, 8, 24):
        n = 1 << bits if bits <= 8 else 0
        seeds.append((f"core_{bits}bit", dib(info_header(12, W, H, bits), table(n, core=True),
                                            pixels=rows_for(bits))))
    for bits in (1, 4, 8, 16, 24, 32):
        n = 1 << bits if bits <= 8 else 0
        seeds.append((f"info_{bits}bit", dib(info_header(40, W, H, bits), table(n),
                                            pixels=rows_for(bits))))
    seeds.append(("info_8bit_short_table", dib(info_header(40, W, H, 8, used=6), table(6),
                                               pixels=rows_for(8, colours=6))))
    seeds.append(("info_4bit_gap", dib(info_header(40, W, H, 4, used=3), table(3), gap=b"\xAA" * 6,
                                       pixels=rows_for(4, colours=3))))
    for bits in (1, 8, 24, 32):
        n = 1 << bits if bits <= 8 else 0
        seeds.append((f"topdown_{bits}bit", dib(info_header(40, W, -H, bits), table(n),
                                               pixels=rows_for(bits))))
    rle8 = rle8_stream()
    seeds.append(("rle8", dib(info_header(40, W, H, 8, 1, len(rle8), 8), table(8), pixels=rle8)))
    rle4 = rle4_stream()
    seeds.append(("rle4", dib(info_header(40, W, H, 4, 2, len(rle4)), table(16), pixels=rle4)))
    # Bit fields: masks after a 40-byte header, or inside a larger one.
    seeds.append(("bitfields_565", dib(info_header(40, W, H, 16, 3), masks_after=(0xF800, 0x07E0, 0x001F),
                                       pixels=rows_for(16))))
    seeds.append(("bitfields_555", dib(info_header(40, W, H, 16, 3), masks_after=(0x7C00, 0x03E0, 0x001F),
                                       pixels=rows_for(16))))
    seeds.append(("bitfields_4444_alpha", dib(info_header(40, W, H, 16, 6),
                                              masks_after=(0x0F00, 0x00F0, 0x000F, 0xF000),
                                              pixels=rows_for(16))))
    seeds.append(("bitfields_32_standard", dib(info_header(40, W, H, 32, 3),
                                               masks_after=(0xFF0000, 0xFF00, 0xFF), pixels=rows_for(32))))
    seeds.append(("bitfields_32_10bit", dib(info_header(40, W, H, 32, 3),
                                            masks_after=(0x3FF00000, 0x000FFC00, 0x000003FF),
                                            pixels=rows_for(32))))
    seeds.append(("bitfields_32_topdown", dib(info_header(40, W, -H, 32, 3),
                                              masks_after=(0xFF, 0xFF00, 0xFF0000), pixels=rows_for(32))))
    seeds.append(("v2_bitfields_565", dib(info_header(52, W, H, 16, 3, masks=(0xF800, 0x07E0, 0x001F)),
                                          pixels=rows_for(16))))
    seeds.append(("v3_alpha_bitfields_32", dib(info_header(56, W, H, 32, 6,
                                                           masks=(0xFF0000, 0xFF00, 0xFF, 0xFF000000)),
                                               pixels=rows_for(32))))
    seeds.append(("v4_bitfields_32_alpha", dib(info_header(108, W, H, 32, 3,
                                                           masks=(0xFF0000, 0xFF00, 0xFF, 0xFF000000)),
                                               pixels=rows_for(32))))
    seeds.append(("v4_8bit", dib(info_header(108, W, H, 8, used=4), table(4),
                                 pixels=rows_for(8, colours=4))))
    seeds.append(("v5_24bit_topdown", dib(info_header(124, W, -H, 24), pixels=rows_for(24))))
    seeds.append(("v5_bitfields_16_topdown", dib(info_header(124, W, -H, 16, 3, masks=(0xF800, 0x07E0, 0x001F)),
                                                 pixels=rows_for(16))))
    return seeds


# --- GIF ----------------------------------------------------------------------

def gif_seeds():
    from PIL import Image  # only the GIF part needs it

    seeds = []
    frames = []
    for i in range(3):
        im = Image.new("P", (7, 5))
        im.putpalette([(c * 40 + i * 60) % 256 for c in range(48)])
        im.putdata([(x * y + i) % 16 for y in range(5) for x in range(7)])
        frames.append(im)
    out = io.BytesIO()
    frames[0].save(out, "GIF", save_all=True, append_images=frames[1:], duration=100, loop=0,
                   disposal=2, transparency=1, optimize=False)
    seeds.append(("frames_local_maps.gif", out.getvalue()))
    big = Image.new("P", (23, 17))
    big.putpalette([(c * 5) % 256 for c in range(768)])
    big.putdata([(x * 11 + y * 7 + (x * y) % 5) % 256 for y in range(17) for x in range(23)])
    out = io.BytesIO()
    big.save(out, "GIF", interlace=True, optimize=False, comment=b"seed")
    seeds.append(("interlaced_lzw_256.gif", out.getvalue()))
    out = io.BytesIO()
    big.convert("L").save(out, "GIF", interlace=False)
    seeds.append(("gray_lzw.gif", out.getvalue()))
    # A GIF87a of one 2 x 2 image with literal codes and no extensions.
    seeds.append(("gif87a.gif", b"GIF87a" + struct.pack("<HHBBB", 2, 2, 0x80, 0, 0) +
                  b"\0\0\0\xff\xff\xff" + b"\x2c" + struct.pack("<HHHHB", 0, 0, 2, 2, 0) +
                  bytes([2, 2, 0x84, 0x51, 0]) + b";"))
    return seeds


# --- Bookmarks ------------------------------------------------------------------

SEPARATOR = b"\n\x01\xfe\n"


def bookmark_input(present, folders=0, store=b"", old=b"", listing=b""):
    return bytes([present | (folders << 3)]) + store + SEPARATOR + old + SEPARATOR + listing


def record(fields):
    capacities = (128, 25, 10, 15, 128)
    out = b""
    for value, capacity in zip(fields, capacities):
        out += bytes([len(value)]) + value + b"\0" * (capacity - len(value))
    return out


def bookmark_seeds():
    old = (b"Lounge North,Chat,Verified,Never,north.example:9998\r\n"
           b"Odd one,,,\r\nno commas at all\r\nA,B,C,D,E,with,more,commas\n"
           b"trailing without line end")
    listing = (b"Club,lounge://club.example:9998\r\n"
               b"noname line that is longer than ten\r\n,lounge://\r\nshort\r\n")
    long_name = b"N" * 200 + b"," + b"c" * 40 + b",v,v," + b"a" * 200 + b"\r\n"
    return [
        ("nothing", bookmark_input(0)),
        ("old_store_only", bookmark_input(2, old=old)),
        ("old_store_and_list", bookmark_input(6, old=old, listing=listing)),
        ("list_without_old_store", bookmark_input(4, listing=listing)),
        ("empty_old_store_and_list", bookmark_input(6)),
        ("long_fields", bookmark_input(6, old=long_name, listing=b"x" * 300 + b",lounge://" + b"y" * 300)),
        ("existing_store", bookmark_input(7, store=record([b"Kept", b"General", b"Verified", b"Never",
                                                           b"kept.example:9998"]) * 2, old=old)),
        ("existing_store_odd_lengths", bookmark_input(1, store=b"\xff" * 311 + b"\x05abc")),
        ("old_store_is_a_folder", bookmark_input(6, folders=2, listing=listing)),
        ("list_is_a_folder", bookmark_input(6, folders=4, old=old)),
        ("store_is_a_folder", bookmark_input(3, folders=1, old=old)),
    ]


# --- Writing ------------------------------------------------------------------

def write_corpus(target, files):
    folder = os.path.join(HERE, target)
    os.makedirs(folder, exist_ok=True)
    for old in os.listdir(folder):
        if not re.fullmatch(r"[0-9a-f]{40}", old):
            os.remove(os.path.join(folder, old))
    for name, data in files:
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    print(f"{target}: {len(files)} seeds, {sum(len(d) for _, d in files)} bytes")


def samples(extension):
    names = sorted(n for n in os.listdir(DATA) if n.endswith(extension))
    return [(n, open(os.path.join(DATA, n), "rb").read()) for n in names]


def jpeg_seeds():
    with tempfile.TemporaryDirectory() as work:
        tool = os.path.join(work, "jpeg_seeds")
        subprocess.run(["cc", "-O1", "-o", tool, os.path.join(HERE, "jpeg_seeds.c"), "-ljpeg"], check=True)
        out = os.path.join(work, "out")
        os.makedirs(out)
        subprocess.run([tool, out], check=True)
        return [(n, open(os.path.join(out, n), "rb").read()) for n in sorted(os.listdir(out))]


def main():
    bmps = bmp_seeds()
    files = [(n + ".bmp", bmp_file(d, off)) for n, (d, off) in bmps]
    packed = [(n + ".dib", d) for n, (d, _) in bmps]
    write_corpus("bmp_fuzz", files + samples(".bmp"))
    write_corpus("dib_fuzz", files + packed + samples(".bmp"))
    write_corpus("clipboard_picture_fuzz", packed)
    write_corpus("jpeg_fuzz", jpeg_seeds() + samples(".jpg"))
    write_corpus("gif_fuzz", gif_seeds() + samples(".gif"))
    write_corpus("bookmark_fuzz", bookmark_seeds())


if __name__ == "__main__":
    sys.exit(main())
