#!/usr/bin/env python3
"""Draws the program's icon: a letter M as 7 x 7 pixels (two of the cells beside
each diagonal half covered, as antialiasing leaves them) on a dark teal tile.
Writes morvane.svg and the PNG sizes of the hicolor theme beside this script.
The sizes up to 24 pixels put the cells on whole pixels without gaps.
The window's About box draws the same emblem (shell/dialogs/logo.cpp).
Needs nothing beyond Python's standard library."""
import os
import struct
import zlib

PIXEL_M = [
    "#.....#",
    "##+.+##",
    "#+#+#+#",
    "#.+#+.#",
    "#.....#",
    "#.....#",
    "#.....#",
]
TILE = (0x1F, 0x4E, 0x5F)
COLOURS = {"#": (0xF2, 0xC1, 0x4E), "+": (0x8C, 0x88, 0x56), ".": (0x2B, 0x64, 0x78)}
RADIUS = 12
SIZES = [16, 22, 24, 32, 48, 64, 128, 256]
HERE = os.path.dirname(os.path.abspath(__file__))


def hex_colour(rgb):
    return "#%02x%02x%02x" % rgb


def write_svg(path):
    rects = []
    for row, line in enumerate(PIXEL_M):
        for col, c in enumerate(line):
            rects.append('  <rect x="%d" y="%d" width="6" height="6" fill="%s"/>'
                         % (8 + 7 * col, 8 + 7 * row, hex_colour(COLOURS[c])))
    with open(path, "w") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">\n'
                '  <rect width="64" height="64" rx="%d" ry="%d" fill="%s"/>\n%s\n</svg>\n'
                % (RADIUS, RADIUS, hex_colour(TILE), "\n".join(rects)))


def sample(x, y):
    """Colour and coverage of the design at (x, y) in units of 0..64."""
    # Inside the rounded tile?
    cx = min(max(x, RADIUS), 64 - RADIUS)
    cy = min(max(y, RADIUS), 64 - RADIUS)
    if (x - cx) ** 2 + (y - cy) ** 2 > RADIUS ** 2 or not (0 <= x < 64 and 0 <= y < 64):
        return None
    col, cx = divmod(x - 8, 7)
    row, cy = divmod(y - 8, 7)
    if 0 <= col < 7 and 0 <= row < 7 and cx < 6 and cy < 6:
        return COLOURS[PIXEL_M[int(row)][int(col)]]
    return TILE


def sample_small(size, x, y):
    """The small sizes: whole-pixel cells without gaps, so the M stays crisp."""
    radius = size * RADIUS / 64.0
    cx = min(max(x, radius), size - radius)
    cy = min(max(y, radius), size - radius)
    if (x - cx) ** 2 + (y - cy) ** 2 > radius ** 2:
        return None
    cell = (size - 2) // 7
    origin = (size - 7 * cell) // 2
    col, row = int((x - origin) // cell), int((y - origin) // cell)
    if 0 <= col < 7 and 0 <= row < 7 and x >= origin and y >= origin:
        return COLOURS[PIXEL_M[row][col]]
    return TILE


def render(size, n=4):
    if size <= 24:
        return render_with(size, n, lambda x, y: sample_small(size, x, y), 1.0)
    return render_with(size, n, sample, 64.0 / size)


def render_with(size, n, sample, scale):
    rows = []
    for py in range(size):
        raw = bytearray(b"\0")
        for px in range(size):
            r = g = b = a = 0
            for sy in range(n):
                for sx in range(n):
                    c = sample((px + (sx + 0.5) / n) * scale, (py + (sy + 0.5) / n) * scale)
                    if c:
                        r += c[0]; g += c[1]; b += c[2]; a += 1
            if a:
                raw += bytes((r // a, g // a, b // a, 255 * a // (n * n)))
            else:
                raw += b"\0\0\0\0"
        rows.append(bytes(raw))
    return b"".join(rows)


def write_png(path, size):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(render(size), 9))
    png += chunk(b"IEND", b"")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(png)


if __name__ == "__main__":
    write_svg(os.path.join(HERE, "morvane.svg"))
    for size in SIZES:
        write_png(os.path.join(HERE, "hicolor", "%dx%d" % (size, size), "apps", "morvane.png"), size)
