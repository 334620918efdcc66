#!/usr/bin/env python3
"""Regenerates the JPEG and GIF sample pictures of the imaging tests.

Run from anywhere:  /usr/bin/python3 tests/data/make_samples.py
Needs Python 3 with PIL (Debian: python3-pil, which only the system Python
sees). The JPEG files come from PIL's encoder at quality 90; the GIF files are
written by the small writer below so that the tests control every field
(screen size, image offset, colour tables, interlacing, transparency), and
each is read back with PIL as an independent check.

  colour.jpg       32 x 24, four flat colour quadrants, baseline, 4:2:0
  progressive.jpg  the same picture, progressive
  gray.jpg         32 x 24 grayscale, four vertical bands 0, 85, 170, 255
  cmyk.jpg         32 x 24 CMYK quadrants (Adobe marker, inverted inks)
  corrupt.jpg      colour.jpg cut in the middle of its scan data
  gradient.jpg     1024 x 768 diagonal colour gradient, 4:2:0: pixels of more
                   than a megabyte, the size whose decode is helped along
  transparent.gif  8 x 6, index (x + 2y) % 4, index 3 transparent
  interlaced.gif   5 x 11 interlaced, row y in colour y of a ramp
  offset.gif       5 x 4 image at (3, 2) on a 12 x 10 screen
  localmap.gif     4 x 4 image with its own colour table over a global one
  corrupt.gif      header claims 16 x 12 pixels, the data ends after 10

The tests hold expected pixel values taken from these exact files, so
regenerate only when a sample must change, and update the tests with it.
"""
import io
import os
import struct

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))

# --- JPEG -------------------------------------------------------------------

# Four flat quadrants; the tests check each quadrant's centre.
QUADRANT_RGB = [(200, 40, 40), (40, 160, 60), (50, 70, 210), (230, 230, 230)]
# CMYK inks per quadrant; the tests expect (255 - ink) * (255 - K) / 255.
QUADRANT_CMYK = [(0, 200, 200, 0), (200, 0, 150, 30), (180, 140, 0, 10), (0, 0, 0, 60)]
GRAY_BANDS = [0, 85, 170, 255]
JPEG_W, JPEG_H = 32, 24


def quadrant_image(mode, colours):
    im = Image.new(mode, (JPEG_W, JPEG_H))
    px = im.load()
    for y in range(JPEG_H):
        for x in range(JPEG_W):
            q = (1 if x >= JPEG_W // 2 else 0) + (2 if y >= JPEG_H // 2 else 0)
            px[x, y] = colours[q]
    return im


def gray_image():
    im = Image.new("L", (JPEG_W, JPEG_H))
    px = im.load()
    for y in range(JPEG_H):
        for x in range(JPEG_W):
            px[x, y] = GRAY_BANDS[x * len(GRAY_BANDS) // JPEG_W]
    return im


def gradient_image(width, height):
    im = Image.new("RGB", (width, height))
    im.putdata([(x * 255 // (width - 1), y * 255 // (height - 1), (x + y) * 255 // (width + height - 2))
                for y in range(height) for x in range(width)])
    return im


def save_jpeg(im, name, **options):
    path = os.path.join(HERE, name)
    im.save(path, "JPEG", quality=90, **options)
    return path


def truncated_jpeg(source_path, name):
    """Cuts a file in the middle of its entropy-coded data."""
    data = open(source_path, "rb").read()
    sos = data.index(b"\xff\xda")
    header_len = struct.unpack(">H", data[sos + 2:sos + 4])[0]
    scan_start = sos + 2 + header_len
    cut = scan_start + (len(data) - scan_start) // 2
    open(os.path.join(HERE, name), "wb").write(data[:cut])


# --- GIF --------------------------------------------------------------------

def palette_bytes(colours):
    """Colour table padded to a power of two; returns (bytes, size field)."""
    size = 2
    while size < len(colours):
        size *= 2
    padded = list(colours) + [(0, 0, 0)] * (size - len(colours))
    field = size.bit_length() - 2  # 2 -> 0, 256 -> 7
    return b"".join(bytes(c) for c in padded), field


def lzw_literals(indices, stop_after=None):
    """LZW data of 8-bit literal codes only: 9-bit codes, a clear code every
    100 pixels so the code width never grows. stop_after ends the data early
    (end code after that many pixels) for a damaged file."""
    clear, end = 256, 257
    codes = [clear]
    for i, v in enumerate(indices):
        if stop_after is not None and i == stop_after:
            break
        if i and i % 100 == 0:
            codes.append(clear)
        codes.append(v)
    codes.append(end)
    bits = 0
    nbits = 0
    out = bytearray()
    for c in codes:
        bits |= c << nbits
        nbits += 9
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8
    if nbits:
        out.append(bits & 0xFF)
    blocks = bytearray([8])  # minimum code size
    for i in range(0, len(out), 255):
        chunk = out[i:i + 255]
        blocks.append(len(chunk))
        blocks += chunk
    blocks.append(0)
    return bytes(blocks)


def interlace_order(height):
    rows = []
    for start, step in ((0, 8), (4, 8), (2, 4), (1, 2)):
        rows += list(range(start, height, step))
    return rows


def gif_bytes(screen, global_colours, image, transparent=None, local_colours=None,
              interlace=False, stop_after=None):
    """image = (left, top, width, height, rows) with rows[y][x] colour indices."""
    sw, sh = screen
    out = bytearray(b"GIF89a")
    flags = 0
    gct = b""
    if global_colours:
        gct, field = palette_bytes(global_colours)
        flags = 0x80 | (7 << 4) | field
    out += struct.pack("<HHBBB", sw, sh, flags, 0, 0) + gct
    if transparent is not None:
        out += bytes([0x21, 0xF9, 4, 1, 0, 0, transparent, 0])
    left, top, w, h, rows = image
    iflags = 0x40 if interlace else 0
    lct = b""
    if local_colours:
        lct, field = palette_bytes(local_colours)
        iflags |= 0x80 | field
    out += bytes([0x2C]) + struct.pack("<HHHHB", left, top, w, h, iflags) + lct
    order = interlace_order(h) if interlace else range(h)
    indices = [v for y in order for v in rows[y]]
    out += lzw_literals(indices, stop_after)
    out += b";"
    return bytes(out)


def check_with_pil(data, screen, image, colours, transparent):
    """PIL must read back the indices we meant (it de-interlaces itself)."""
    im = Image.open(io.BytesIO(data))
    assert im.size == screen, (im.size, screen)
    left, top, w, h, rows = image
    px = im.load()
    for y in range(h):
        for x in range(w):
            assert px[left + x, top + y] == rows[y][x], (x, y)
    if transparent is not None:
        assert im.info.get("transparency") == transparent


def write_gif(name, screen, global_colours, image, transparent=None, local_colours=None,
              interlace=False, stop_after=None, check=True):
    data = gif_bytes(screen, global_colours, image, transparent, local_colours, interlace,
                     stop_after)
    if check:
        check_with_pil(data, screen, image, local_colours or global_colours, transparent)
    open(os.path.join(HERE, name), "wb").write(data)


FOUR = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255)]


def main():
    colour = save_jpeg(quadrant_image("RGB", QUADRANT_RGB), "colour.jpg")
    save_jpeg(quadrant_image("RGB", QUADRANT_RGB), "progressive.jpg", progressive=True)
    save_jpeg(gray_image(), "gray.jpg")
    save_jpeg(quadrant_image("CMYK", QUADRANT_CMYK), "cmyk.jpg")
    truncated_jpeg(colour, "corrupt.jpg")
    save_jpeg(gradient_image(1024, 768), "gradient.jpg")

    # 8 x 6, index (x + 2y) % 4, index 3 (white) transparent.
    rows = [[(x + 2 * y) % 4 for x in range(8)] for y in range(6)]
    write_gif("transparent.gif", (8, 6), FOUR, (0, 0, 8, 6, rows), transparent=3)

    # 5 x 11 interlaced, every pixel of row y has index y.
    ramp = [(y * 20, 255 - y * 20, y * 10) for y in range(11)]
    rows = [[y] * 5 for y in range(11)]
    write_gif("interlaced.gif", (5, 11), ramp, (0, 0, 5, 11, rows), interlace=True)

    # 5 x 4 image at (3, 2) on a 12 x 10 screen.
    rows = [[(x + y) % 4 for x in range(5)] for y in range(4)]
    write_gif("offset.gif", (12, 10), FOUR, (3, 2, 5, 4, rows))

    # Global table red, green; the image brings its own four colours.
    local = [(0, 0, 255), (255, 255, 0), (0, 255, 255), (255, 0, 255)]
    rows = [[(x + y) % 4 for x in range(4)] for y in range(4)]
    write_gif("localmap.gif", (4, 4), FOUR[:2], (0, 0, 4, 4, rows), local_colours=local)

    # Header claims 16 x 12 pixels; the image data ends after 10.
    rows = [[x % 4 for x in range(16)] for y in range(12)]
    write_gif("corrupt.gif", (16, 12), FOUR, (0, 0, 16, 12, rows), stop_after=10, check=False)


if __name__ == "__main__":
    main()
