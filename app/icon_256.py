#!/usr/bin/env python3
"""Gives app/mapwell.ico 256-colour images beside its 32-bit ones.

The window and the About box ask for a 48 x 48, 256-colour icon; displays and
remote sessions that run at 256 colours pick those images. They are made from
the 32-bit images of the same size: each pixel at least half opaque keeps its
colour (exactly, where the image has at most 255 colours), the rest become
transparent. Run it again after changing the 32-bit images; it replaces any
256-colour images already there.
"""
import struct
import sys
from collections import Counter
from pathlib import Path


def read_icon(data):
    count = struct.unpack_from("<H", data, 4)[0]
    images = []
    for i in range(count):
        w, h, _, _, _, bpp, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        images.append((w or 256, h or 256, bpp, data[offset:offset + size]))
    return images


def pixels_of_32bit(w, h, dib):
    """Rows top-down of (r, g, b, a)."""
    header = struct.unpack_from("<I", dib)[0]
    raw = dib[header:header + w * h * 4]
    rows = [[tuple(raw[(y * w + x) * 4 + k] for k in (2, 1, 0, 3)) for x in range(w)]
            for y in range(h)]
    return rows[::-1]


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], colour)))


def palette_for(colours):
    """At most 255 colours, the most used first; index 0 stays black for transparency."""
    ranked = [c for c, _ in Counter(colours).most_common()]
    if len(ranked) > 255:
        # Too many for an exact palette: keep the most used, map the rest to the nearest.
        ranked = ranked[:255]
    return [(0, 0, 0)] + sorted(ranked)


def dib_8bit(w, h, rows):
    opaque = [px[:3] for row in rows for px in row if px[3] >= 128]
    palette = palette_for(opaque)
    index = {c: i for i, c in enumerate(palette)}
    stride = (w + 3) & ~3
    mask_stride = ((w + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        bits = bytearray(mask_stride)
        for x, (r, g, b, a) in enumerate(row):
            if a >= 128:
                line.append(index.get((r, g, b)) or nearest(palette[1:], (r, g, b)) + 1)
            else:
                line.append(0)
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += line + bytes(stride - w)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 8, 0, len(xor) + len(mask), 0, 0,
                         256, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    table += bytes(4 * (256 - len(palette)))
    return header + table + bytes(xor) + bytes(mask)


def write_icon(images):
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for w, h, bpp, dib in images:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, bpp, len(dib), offset)
        offset += len(dib)
    for *_, dib in images:
        out += dib
    return bytes(out)


def main():
    path = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).with_name("mapwell.ico"))
    images = [im for im in read_icon(path.read_bytes()) if im[2] == 32]
    made = [(w, h, 8, dib_8bit(w, h, pixels_of_32bit(w, h, dib))) for w, h, _, dib in images]
    path.write_bytes(write_icon(images + made))
    print(f"{path}: " + ", ".join(f"{w}x{h} {bpp}-bit" for w, h, bpp, _ in images + made))


if __name__ == "__main__":
    main()
