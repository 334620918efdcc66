#!/usr/bin/python3
"""Draws the program icon, a quill over a 3 x 3 grid of props, in the chat's
own palette colours (read from quill/shell/ChatPalette.cpp, so the icon can
never use a colour the chat lacks) at 16, 32 and 48 pixels, and writes it as
a Windows .ico file with one 32-bit entry per size.

    scripts/make-icon.py                   writes quill/app/Quill.ico
    scripts/make-icon.py --preview X.png   also renders the written file's
                                           sizes on light and dark ground

Each size is drawn on its own (grid lines fall on whole pixels) at eight
times the size and box-filtered down, so the feather's edges are smooth while
the grid stays crisp. The output depends on nothing but this script and the
palette table: running it again gives the same bytes.
"""
import argparse
import pathlib
import re
import struct

from PIL import Image, ImageDraw

ROOT = pathlib.Path(__file__).resolve().parent.parent
PALETTE_SOURCE = ROOT / "quill/shell/ChatPalette.cpp"
ICON_PATH = ROOT / "quill/app/Quill.ico"
SIZES = (16, 32, 48)
SUPERSAMPLE = 8

# Palette indices: the nine props run from light violet (top left) to deep
# blue (bottom right); the quill is white with a grey edge, a dark shaft and a
# gold nib.
PROP_ENTRIES = ((10, 25, 37), (45, 52, 63), (77, 78, 83))
GRID_ENTRY = 228
VANE_ENTRY = 0
VANE_EDGE_ENTRY = 219
SHAFT_ENTRY = 227
NIB_ENTRY = 50


def read_chat_palette():
    text = PALETTE_SOURCE.read_text()
    table = text[text.index("kChatPalette[kChatPaletteSize] = {"):]
    table = table[:table.index("};")]
    entries = [int(value, 16) for value in re.findall(r"0x([0-9A-Fa-f]{6})\b", table)]
    if len(entries) != 256:
        raise SystemExit(f"make-icon: expected 256 palette entries in {PALETTE_SOURCE}, found {len(entries)}")
    return [((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255, 255) for rgb in entries]


def feather_outline(size, half_width):
    """The vane as a polygon along the shaft from the lower left to the upper
    right; its width swells towards the top and closes at the tip."""
    start, end = (0.30, 0.72), (0.93, 0.07)
    dx, dy = end[0] - start[0], end[1] - start[1]
    length = (dx * dx + dy * dy) ** 0.5
    nx, ny = -dy / length, dx / length
    steps = 24
    left, right = [], []
    for i in range(steps + 1):
        t = i / steps
        swell = (t ** 0.6) * (1 - t) ** 0.9 * 2.1 * half_width
        x, y = start[0] + dx * t, start[1] + dy * t
        left.append(((x + nx * swell) * size, (y + ny * swell * 1.15) * size))
        right.append(((x - nx * swell * 0.8) * size, (y - ny * swell * 0.8) * size))
    return left + right[::-1]


def draw_icon(size, palette):
    big = size * SUPERSAMPLE
    image = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)

    # Grid lines on whole pixels of the final size: 0, a third, two thirds, last.
    lines = [round(k * (size - 1) / 3) for k in range(4)]
    for row in range(3):
        for column in range(3):
            box = (lines[column] * SUPERSAMPLE, lines[row] * SUPERSAMPLE, (lines[column + 1] + 1) * SUPERSAMPLE - 1,
                   (lines[row + 1] + 1) * SUPERSAMPLE - 1)
            draw.rectangle(box, fill=palette[PROP_ENTRIES[row][column]])
    for line in lines:
        a, b = line * SUPERSAMPLE, (line + 1) * SUPERSAMPLE - 1
        draw.rectangle((a, 0, b, big - 1), fill=palette[GRID_ENTRY])
        draw.rectangle((0, a, big - 1, b), fill=palette[GRID_ENTRY])

    # Wider on the small sizes, so the feather still reads at 16 pixels.
    half_width = 0.26 if size <= 16 else 0.16
    edge = max(SUPERSAMPLE, big // 40)
    draw.polygon(feather_outline(big, half_width), fill=palette[VANE_ENTRY], outline=palette[VANE_EDGE_ENTRY],
                 width=edge)
    shaft = max(SUPERSAMPLE, big // 28)
    draw.line(((0.16 * big, 0.88 * big), (0.90 * big, 0.10 * big)), fill=palette[SHAFT_ENTRY], width=shaft)
    draw.line(((0.07 * big, 0.97 * big), (0.20 * big, 0.84 * big)), fill=palette[NIB_ENTRY], width=shaft * 2)
    return image.resize((size, size), Image.BOX)


def ico_entry(image):
    """A 32-bit BGRA bitmap entry (bottom-up rows, double height for the AND
    mask) that every Windows version since XP shows with its alpha."""
    width, height = image.size
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for y in reversed(range(height)):
        for x in range(width):
            r, g, b, a = image.getpixel((x, y))
            pixels += bytes((b, g, r, a))
    mask_stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(height)):
        row = bytearray(mask_stride)
        for x in range(width):
            if image.getpixel((x, y))[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + pixels + mask


def write_ico(images, path):
    entries = [ico_entry(image) for image in images]
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for image, data in zip(images, entries):
        width, height = image.size
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    path.write_bytes(out + b"".join(entries))


def render_preview(path, out):
    """Each size of the written file at its own size and four times enlarged,
    on a light and a dark ground, the way a file browser shows icons."""
    icon = Image.open(path)
    sizes = sorted(width for width, _ in icon.info["sizes"])
    gap, scale = 12, 4
    width = gap + sum(s * scale + gap for s in sizes) + sum(s + gap for s in sizes)
    height = gap * 2 + max(sizes) * scale
    sheet = Image.new("RGB", (width, height * 2), (255, 255, 255))
    draw = ImageDraw.Draw(sheet)
    draw.rectangle((0, height, width, height * 2), fill=(48, 48, 48))
    for ground in (0, height):
        x = gap
        for size in sizes:
            icon.size = (size, size)
            picture = icon.copy().convert("RGBA")
            sheet.paste(picture, (x, ground + gap), picture)
            x += size + gap
        for size in sizes:
            icon.size = (size, size)
            picture = icon.copy().convert("RGBA").resize((size * scale, size * scale), Image.NEAREST)
            sheet.paste(picture, (x, ground + gap), picture)
            x += size * scale + gap
    sheet.save(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", metavar="PNG", help="also render the written icon's sizes into PNG")
    args = parser.parse_args()
    palette = read_chat_palette()
    write_ico([draw_icon(size, palette) for size in SIZES], ICON_PATH)
    if args.preview:
        render_preview(ICON_PATH, args.preview)


if __name__ == "__main__":
    main()
