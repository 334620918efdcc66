#!/usr/bin/env python3
"""Regenerates the PNG and WebP samples of the imaging tests and their expectations.

Run from anywhere:  /usr/bin/python3 tests/data/make_png_samples.py
Needs Python 3 with PIL (Debian: python3-pil). The PNG files are written by the
small writer below, so that every colour type, bit depth, palette transparency
and Adam7 interlacing is covered with known sample values; the expected pixels
are worked out here from those values (16-bit samples scaled as
round(v x 255 / 65535)), and, for the 8-bit-or-less files, checked once more
against PIL's own reading. WebP files come from PIL's encoder; lossless files
must give back the pixels put in, lossy and animated ones what PIL decodes.

png/expected.txt: one picture a line, "name width height translucent" and then
each pixel as 0xAARRGGBB in hex, rows top to bottom.
png/bad.txt: one damaged file a line, "name" and the text its error must hold.
png/half-red.png: 40 x 30, red (200, 40, 40) at alpha 128 all over.
"""
import io
import os
import random
import struct
import zlib

from PIL import Image

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "png")
W, H = 7, 5  # odd sizes, so that every Adam7 pass has an irregular share

# --- a PNG writer -----------------------------------------------------------


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}
ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def pack_row(samples, depth):
    if depth == 16:
        return b"".join(struct.pack(">H", s) for s in samples)
    if depth == 8:
        return bytes(samples)
    out, acc, bits = bytearray(), 0, 0
    for s in samples:
        acc = (acc << depth) | s
        bits += depth
        if bits == 8:
            out.append(acc)
            acc, bits = 0, 0
    if bits:
        out.append(acc << (8 - bits))
    return bytes(out)


def png_bytes(rows, ctype, depth, interlace=False, plte=None, trns=None):
    """rows: H lists of W pixels, each a tuple of channel samples."""
    h, w = len(rows), len(rows[0])
    raw = bytearray()
    passes = ADAM7 if interlace else [(0, 0, 1, 1)]
    for x0, y0, dx, dy in passes:
        for y in range(y0, h, dy):
            xs = range(x0, w, dx)
            if not xs:
                continue
            raw.append(0)  # filter type None
            raw += pack_row([s for x in xs for s in rows[y][x]], depth)
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, depth, ctype, 0, 0, int(interlace)))
    if plte:
        out += chunk(b"PLTE", b"".join(bytes(c) for c in plte))
    if trns is not None:
        out += chunk(b"tRNS", trns)
    return out + chunk(b"IDAT", zlib.compress(bytes(raw))) + chunk(b"IEND", b"")


def to8(v, depth):
    if depth == 16:
        return (v * 255 + 32767) // 65535
    return v * 255 // ((1 << depth) - 1)


def argb(r, g, b, a=255):
    return (a << 24) | (r << 16) | (g << 8) | b


def sample(name, ctype, depth, interlace=False, trns=False):
    rnd = random.Random(name)
    top = (1 << depth) - 1
    plte = trns_bytes = None
    if ctype == 3:
        entries = 1 << depth
        plte = [(rnd.randrange(256), rnd.randrange(256), rnd.randrange(256)) for _ in range(entries)]
        alphas = [rnd.choice([0, 128, 255]) for _ in range(entries - 1)] if trns else None  # last entry stays opaque
        trns_bytes = bytes(alphas) if trns else None
    rows = [[tuple(rnd.randint(0, top) for _ in range(CHANNELS[ctype])) for _ in range(W)] for _ in range(H)]
    key = None
    if trns and ctype in (0, 2):
        key = rows[1][2]  # one colour becomes the transparent one
        trns_bytes = b"".join(struct.pack(">H", s) for s in key)
    expected = []
    for row in rows:
        for px in row:
            if ctype == 3:
                r, g, b = plte[px[0]]
                a = alphas[px[0]] if trns and px[0] < len(alphas) else 255
            elif ctype in (0, 4):
                r = g = b = to8(px[0], depth)
                a = to8(px[1], depth) if ctype == 4 else 255
            else:
                r, g, b = (to8(s, depth) for s in px[:3])
                a = to8(px[3], depth) if ctype == 6 else 255
            if key is not None and px == key:
                a = 0
            expected.append(argb(r, g, b, a))
    data = png_bytes(rows, ctype, depth, interlace, plte, trns_bytes)
    if depth <= 8:  # PIL's reading of 16-bit samples drops the low byte
        pil = Image.open(io.BytesIO(data)).convert("RGBA")
        got = [argb(r, g, b, a) for (r, g, b, a) in pil.getdata()]
        assert got == expected, name
    return name + ".png", data, W, H, expected


PNG_SAMPLES = [
    ("grey1", 0, 1), ("grey2", 0, 2), ("grey4", 0, 4), ("grey8", 0, 8), ("grey16", 0, 16),
    ("grey8-trns", 0, 8, False, True), ("grey16-trns", 0, 16, False, True),
    ("greyalpha8", 4, 8), ("greyalpha16", 4, 16),
    ("rgb8", 2, 8), ("rgb16", 2, 16), ("rgb8-trns", 2, 8, False, True), ("rgb16-trns", 2, 16, False, True),
    ("palette1", 3, 1), ("palette2", 3, 2), ("palette4", 3, 4), ("palette8", 3, 8),
    ("palette4-trns", 3, 4, False, True), ("palette8-trns", 3, 8, False, True),
    ("rgba8", 6, 8), ("rgba16", 6, 16),
    ("grey2-adam7", 0, 2, True), ("palette4-trns-adam7", 3, 4, True, True), ("rgb16-adam7", 2, 16, True),
    ("rgba8-adam7", 6, 8, True), ("greyalpha16-adam7", 4, 16, True),
]

# --- WebP -------------------------------------------------------------------


def webp_samples():
    rnd = random.Random("webp")
    rgba = Image.new("RGBA", (W, H))
    rgba.putdata([(rnd.randrange(256), rnd.randrange(256), rnd.randrange(256), rnd.choice([0, 128, 255]))
                  for _ in range(W * H)])
    # Lossless keeps the colour under full transparency only with exact=True.
    out = []
    for name, image, args in [("lossless-alpha", rgba, dict(lossless=True, exact=True)),
                              ("lossless", rgba.convert("RGB"), dict(lossless=True)),
                              ("lossy", rgba.convert("RGB"), dict(quality=80)),
                              ("lossy-alpha", rgba, dict(quality=80))]:
        buf = io.BytesIO()
        image.save(buf, "WEBP", **args)
        data = buf.getvalue()
        decoded = Image.open(io.BytesIO(data)).convert("RGBA")
        if args.get("lossless"):
            assert list(decoded.getdata()) == list(image.convert("RGBA").getdata()), name
        out.append((name + ".webp", data, W, H, [argb(*p) for p in decoded.getdata()]))
    # An animation: the tests take its first frame.
    frames = [Image.new("RGBA", (W, H), (200, 30, 60, 255)), Image.new("RGBA", (W, H), (10, 220, 90, 128))]
    buf = io.BytesIO()
    frames[0].save(buf, "WEBP", save_all=True, append_images=frames[1:], lossless=True, duration=100)
    data = buf.getvalue()
    first = Image.open(io.BytesIO(data))
    first.seek(0)
    out.append(("animated.webp", data, W, H, [argb(*p) for p in first.convert("RGBA").getdata()]))
    return out

# --- damaged files ----------------------------------------------------------


def bad_samples(good_png, good_webp):
    sig, ihdr_end = 8, 8 + 25
    idat = good_png.index(b"IDAT") - 4
    n = struct.unpack(">I", good_png[idat:idat + 4])[0]
    bad = []
    flipped = bytearray(good_png)
    flipped[idat + 8 + n] ^= 0x55  # the stored CRC of the image data
    bad.append(("bad-crc.png", bytes(flipped), "CRC error"))
    stream = bytearray(zlib.compress(b"\x00" * 64))
    stream[0] = 0x7A  # not a zlib header, with a matching CRC
    bad.append(("bad-zlib.png", good_png[:idat] + chunk(b"IDAT", bytes(stream)) + chunk(b"IEND", b""), "PNG error"))
    past = good_png[:idat] + struct.pack(">I", 0x10000) + good_png[idat + 4:]
    bad.append(("chunk-past-end.png", past, "PNG error"))
    bad.append(("truncated.png", good_png[:idat + 8 + n // 2], "PNG error"))
    huge = good_png[:sig] + chunk(b"IHDR", struct.pack(">IIBBBBB", 20000, 20000, 8, 6, 0, 0, 0))
    bad.append(("bomb.png", huge + good_png[ihdr_end:], "Picture too large"))
    bad.append(("not-png.png", b"GIF89a" + b"\x00" * 40, "not a PNG file"))
    bad.append(("truncated.webp", good_webp[:len(good_webp) // 2], "WebP error"))
    bad.append(("not-webp.webp", b"RIFF\x10\x00\x00\x00WAVEfmt " + b"\x00" * 8, "not a WebP file"))
    # A lossless header announcing 16384 x 16384 pixels, then a little data.
    bits = 16383 | (16383 << 14) | (1 << 28)
    vp8l = b"VP8L" + struct.pack("<I", 5 + 32) + b"\x2f" + struct.pack("<I", bits) + bytes(32)
    body = b"WEBP" + vp8l
    bad.append(("bomb.webp", b"RIFF" + struct.pack("<I", len(body)) + body, "Picture too large"))
    # An animation whose canvas (3 x 3) is smaller than its first frame.
    anim = bytearray(next(d for n_, d, *_ in webp_samples() if n_ == "animated.webp"))
    canvas = anim.index(b"VP8X") + 12
    anim[canvas:canvas + 6] = (2).to_bytes(3, "little") * 2
    bad.append(("frame-past-canvas.webp", bytes(anim), "WebP error"))
    return bad


def main():
    os.makedirs(HERE, exist_ok=True)
    pictures = [sample(*s) for s in PNG_SAMPLES] + webp_samples()
    with open(os.path.join(HERE, "expected.txt"), "w") as listing:
        for name, data, w, h, pixels in pictures:
            with open(os.path.join(HERE, name), "wb") as f:
                f.write(data)
            translucent = int(any(p >> 24 != 255 for p in pixels))
            listing.write(f"{name} {w} {h} {translucent} " + " ".join(f"{p:08X}" for p in pixels) + "\n")
    # For the importer: one colour at half alpha all over.
    half = png_bytes([[(200, 40, 40, 128)] * 40 for _ in range(30)], 6, 8)
    with open(os.path.join(HERE, "half-red.png"), "wb") as f:
        f.write(half)
    good_png = dict((n, d) for n, d, *_ in pictures)["rgba8.png"]
    good_webp = dict((n, d) for n, d, *_ in pictures)["lossless-alpha.webp"]
    with open(os.path.join(HERE, "bad.txt"), "w") as listing:
        for name, data, message in bad_samples(good_png, good_webp):
            with open(os.path.join(HERE, name), "wb") as f:
                f.write(data)
            listing.write(f"{name} {message}\n")


if __name__ == "__main__":
    main()
