#!/usr/bin/env python3
"""Draws the folder and drive icons of the folder and drive lists.

usage: make_icons.py OUTPUT_FOLDER

Each icon is a few shapes on a 16-unit grid, drawn in the sixteen classic
colours at each size the small-icon metric takes from 100 % to 300 %
scaling, so that the system seldom has to stretch one. Outlines stay one
pixel wide per 16 pixels of size, as hand-drawn icons keep them.

The output is one strip per size, small_icons_SIZE.bmp: a 4-bit bitmap with
the icons side by side in the order of ICONS (the drive kinds in the order
of DriveIcon, then the folders), magenta where they are transparent. One
strip makes one image list, which is much quicker to load than one icon
at a time. Beside them, small_icons.rc (the strips as resources, included
by app/mapwell.rc) and small_icons.h (their sizes and resource ids).
"""

import math
import pathlib
import struct
import sys

SIZES = (16, 20, 24, 28, 32, 40, 48)
RESOURCE_BASE = 1000  # a strip's resource id is this plus its size

PALETTE = (
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
)
BLACK, OLIVE, TEAL, DARK_GREEN = 0, 3, 6, 2
SILVER, GREY, GREEN, YELLOW, WHITE = 7, 8, 10, 11, 15
TRANSPARENT = 13  # magenta, which no icon uses
NONE = None  # no outline


def rect(x0, y0, x1, y1, fill, outline=BLACK):
    return ("rect", (x0, y0, x1, y1), fill, outline)


def poly(points, fill, outline=BLACK):
    return ("poly", points, fill, outline)


def disc(cx, cy, r, fill, outline=BLACK):
    return ("disc", (cx, cy, r), fill, outline)


def drive_box(top, fill=SILVER):
    """A drive seen from the front: a box with a shaded bottom edge."""
    return [rect(1, top, 15, top + 5, fill), rect(2, top + 3, 14, top + 4, GREY, NONE)]


CLOSED_FOLDER = [
    rect(1, 3, 7, 6, YELLOW),
    rect(1, 5, 15, 14, YELLOW),
    rect(2, 6, 14, 7, WHITE, NONE),
]
OPEN_FOLDER = [
    rect(1, 3, 7, 6, OLIVE),
    rect(1, 5, 14, 14, OLIVE),
    poly([(4, 8), (16, 8), (13, 14), (1, 14)], YELLOW),
]

ICONS = {
    "drive_removable": drive_box(7)
    + [rect(3, 9, 10, 10, BLACK, NONE), rect(11, 9, 13, 10, GREY, NONE)],
    "drive_fixed": drive_box(7) + [rect(11, 9, 13, 10, GREEN, NONE)],
    "drive_network": drive_box(3)
    + [rect(11, 5, 13, 6, GREEN, NONE), rect(7, 8, 9, 12, GREY, NONE), rect(1, 11, 15, 14, TEAL)],
    "drive_cdrom": [disc(8, 6, 5.5, WHITE, GREY), disc(8, 6, 1.5, SILVER, GREY)]
    + drive_box(9)
    + [rect(3, 11, 10, 12, BLACK, NONE)],
    "drive_ramdisk": [rect(x, 3, x + 1, 13, SILVER, NONE) for x in (3, 6, 9, 12)]
    + [rect(2, 5, 14, 11, DARK_GREEN)],
    "drive_unknown": drive_box(7, GREY),
    "folder_closed": CLOSED_FOLDER,
    "folder_open": OPEN_FOLDER,
}


def segment_distance(px, py, a, b):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0 if length == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def inside_polygon(px, py, points):
    inside = False
    for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
        if (ay > py) != (by > py) and px < ax + (py - ay) * (bx - ax) / (by - ay):
            inside = not inside
    return inside


def shape_pixel(shape, i, j, scale, line):
    """The colour a shape gives pixel (i, j), or None where it leaves it."""
    kind, geometry, fill, outline = shape
    if kind == "rect":
        x0, y0, x1, y1 = (round(v * scale) for v in geometry)
        if not (x0 <= i < x1 and y0 <= j < y1):
            return None
        edge = min(i - x0, x1 - 1 - i, j - y0, y1 - 1 - j)
        return outline if outline is not None and edge < line else fill
    px, py = i + 0.5, j + 0.5
    if kind == "disc":
        cx, cy, r = (v * scale for v in geometry)
        depth = r - math.hypot(px - cx, py - cy)
    else:
        points = [(x * scale, y * scale) for x, y in geometry]
        if not inside_polygon(px, py, points):
            return None
        depth = min(segment_distance(px, py, a, b) for a, b in zip(points, points[1:] + points[:1]))
    if depth < 0:
        return None
    return outline if outline is not None and depth < line else fill


def render(shapes, size):
    """Rows of palette indices, top row first."""
    scale, line = size / 16, max(1, size // 16)
    pixels = [[TRANSPARENT] * size for _ in range(size)]
    for shape in shapes:
        for j in range(size):
            for i in range(size):
                colour = shape_pixel(shape, i, j, scale, line)
                if colour is not None:
                    pixels[j][i] = colour
    return pixels


def strip(size):
    """The bitmap file of all icons at one size, side by side."""
    images = [render(shapes, size) for shapes in ICONS.values()]
    width = size * len(images)
    stride = (width * 4 + 31) // 32 * 4
    bits = bytearray()
    for j in reversed(range(size)):  # bottom row first
        row = bytearray(stride)
        for i in range(width):
            row[i // 2] |= images[i // size][j][i % size] << (4 if i % 2 == 0 else 0)
        bits += row
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, width, size, 1, 4, 0, len(bits), 0, 0, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return header + info + palette + bytes(bits)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip().splitlines()[2])
    folder = pathlib.Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    for size in SIZES:
        (folder / f"small_icons_{size}.bmp").write_bytes(strip(size))
    note = "// Written by app/make_icons.py.\n"
    (folder / "small_icons.rc").write_text(note + "".join(
        f'{RESOURCE_BASE + size} BITMAP "icons/small_icons_{size}.bmp"\n' for size in SIZES))
    (folder / "small_icons.h").write_text(
        note + "#pragma once\n\n"
        f"#define SMALL_ICON_SIZES {', '.join(map(str, SIZES))}\n"
        f"#define SMALL_ICON_COUNT {len(ICONS)}\n"
        f"#define SMALL_ICONS_RESOURCE_BASE {RESOURCE_BASE}\n")


if __name__ == "__main__":
    main()
