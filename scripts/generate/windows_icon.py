#!/usr/bin/env python3
"""Writes src_interface/win32/strandvale-g.ico: the program's icon at 16, 32 and 48 pixels, the
same picture as the desktop icon (a map tile: grass, a river and a stone path), drawn in code so
that the icon needs no image tool."""
import struct
import sys
from pathlib import Path

GRASS, DARK, WATER, STONE, EDGE = (88, 160, 64), (64, 128, 48), (52, 104, 200), (150, 150, 150), (40, 60, 30)


def pixel(x, y, n):
    u, v = x / n, y / n
    if x == 0 or y == 0 or x == n - 1 or y == n - 1:
        return EDGE
    if abs(v - (0.3 + 0.25 * u)) < 0.09:
        return WATER
    if abs(u - 0.7) < 0.06 and v > 0.45:
        return STONE
    return DARK if (x // max(1, n // 8) + y // max(1, n // 8)) % 2 else GRASS


def image(n):
    rows = []
    for y in reversed(range(n)):  # bottom-up, as bitmaps are stored
        row = b"".join(struct.pack("BBBB", b, g, r, 255) for (r, g, b) in (pixel(x, y, n) for x in range(n)))
        rows.append(row)
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    mask = bytes(((n + 31) // 32) * 4 * n)
    return header + b"".join(rows) + mask


def main(out):
    sizes = [16, 32, 48]
    images = [image(n) for n in sizes]
    data = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, im in zip(sizes, images):
        data += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(im), offset)
        offset += len(im)
    Path(out).write_bytes(data + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "src_interface/win32/strandvale-g.ico")
