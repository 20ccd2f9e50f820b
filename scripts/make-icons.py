#!/usr/bin/env python3
"""Draws tarnwick's icon (a wrench crossed with a screwdriver) and writes every form it ships in.

16 and 32 px images use the standard 16-colour palette with a transparency mask; the .ico holds them
at 4 bits per pixel for Windows, the PNGs serve the program and the desktop, the SVG is the scalable
form. Run it after changing the drawing: scripts/make-icons.py app/icons
"""
import math
import struct
import sys
import zlib
from pathlib import Path

# The standard 16-colour (VGA) palette.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, SILVER, GREY, RED, YELLOW, WHITE = 0, 1, 7, 8, 9, 11, 15


def capsule(ax, ay, bx, by, r):
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) <= r
    return inside


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) <= r


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def union(*parts):
    return lambda x, y: any(p(x, y) for p in parts)


# Layers from bottom to top, in a unit square: (shape, fill colour).
WRENCH = union(
    capsule(0.22, 0.78, 0.70, 0.30, 0.075),
    minus(circle(0.75, 0.25, 0.17), circle(0.87, 0.13, 0.10)),
    minus(circle(0.17, 0.83, 0.12), circle(0.17, 0.83, 0.05)),
)
SHAFT = capsule(0.14, 0.14, 0.62, 0.62, 0.045)
HANDLE = capsule(0.63, 0.63, 0.86, 0.86, 0.11)
LAYERS = [(WRENCH, SILVER), (SHAFT, WHITE), (HANDLE, RED)]


def render(size):
    """Palette indices, None where transparent."""
    sub = 4
    pix = [[None] * size for _ in range(size)]
    for shape, colour in LAYERS:
        mask = [[False] * size for _ in range(size)]
        for y in range(size):
            for x in range(size):
                hits = sum(shape((x + (i + 0.5) / sub) / size, (y + (j + 0.5) / sub) / size)
                           for i in range(sub) for j in range(sub))
                mask[y][x] = hits * 2 >= sub * sub
        for y in range(size):
            for x in range(size):
                if mask[y][x]:
                    pix[y][x] = colour
                elif any(0 <= y + dy < size and 0 <= x + dx < size and mask[y + dy][x + dx]
                         for dy in (-1, 0, 1) for dx in (-1, 0, 1)):
                    pix[y][x] = BLACK
    return pix


def png(pix):
    size = len(pix)
    # Black is also the outline colour, so transparent pixels get a 17th palette slot of their own.
    raw = b"".join(b"\0" + bytes(16 if p is None else p for p in row) for row in pix)
    plte = b"".join(bytes(c) for c in PALETTE) + b"\0\0\0"
    trns = b"\xff" * 16 + b"\0"

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 3, 0, 0, 0))
            + chunk(b"PLTE", plte) + chunk(b"tRNS", trns) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def ico(images):
    """A Windows icon: each image a 4-bit DIB with the 16-colour palette and an AND mask."""
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for pix in images:
        size = len(pix)
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
        colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
        xor_rows, and_rows = [], []
        for row in reversed(pix):  # bottom-up
            nibbles = [0 if p is None else p for p in row]
            line = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
            xor_rows.append(line + b"\0" * (-len(line) % 4))
            bits = 0
            mask = bytearray()
            for i, p in enumerate(row):
                bits = (bits << 1) | (1 if p is None else 0)
                if i % 8 == 7:
                    mask.append(bits)
                    bits = 0
            and_rows.append(bytes(mask) + b"\0" * (-len(mask) % 4))
        blob = header + colours + b"".join(xor_rows) + b"".join(and_rows)
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + entries + blobs


SVG = """<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 1 1">
  <title>tarnwick</title>
  <defs>
    <mask id="jaw" maskUnits="userSpaceOnUse" x="0" y="0" width="1" height="1">
      <rect width="1" height="1" fill="#fff"/>
      <circle cx="0.87" cy="0.13" r="0.10" fill="#000"/>
      <circle cx="0.17" cy="0.83" r="0.05" fill="#000"/>
    </mask>
  </defs>
  <g stroke="#000" stroke-width="0.03" stroke-linecap="round" stroke-linejoin="round">
    <g mask="url(#jaw)" fill="#c0c0c0">
      <circle cx="0.75" cy="0.25" r="0.17"/>
      <circle cx="0.17" cy="0.83" r="0.12"/>
      <line x1="0.22" y1="0.78" x2="0.70" y2="0.30" stroke="#c0c0c0" stroke-width="0.15"/>
    </g>
    <line x1="0.14" y1="0.14" x2="0.62" y2="0.62" stroke-width="0.12"/>
    <line x1="0.14" y1="0.14" x2="0.62" y2="0.62" stroke="#fff" stroke-width="0.09"/>
    <line x1="0.63" y1="0.63" x2="0.86" y2="0.86" stroke-width="0.25"/>
    <line x1="0.63" y1="0.63" x2="0.86" y2="0.86" stroke="#ff0000" stroke-width="0.22"/>
  </g>
</svg>
"""


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else "app/icons")
    out.mkdir(parents=True, exist_ok=True)
    images = {size: render(size) for size in (16, 32, 48)}
    for size, pix in images.items():
        (out / f"tarnwick-{size}.png").write_bytes(png(pix))
    (out / "tarnwick.ico").write_bytes(ico([images[16], images[32]]))
    (out / "tarnwick.svg").write_text(SVG, encoding="utf-8")


if __name__ == "__main__":
    main()
