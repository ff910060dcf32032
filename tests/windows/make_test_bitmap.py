#!/usr/bin/env python3
"""Writes the test saver's bitmap: a 24-bit BMP of 64 x 64 pixels, four coloured quarters on pure green.

usage: make_test_bitmap.py OUTPUT.bmp
"""
import struct
import sys

SIZE = 64
KEY = (0, 255, 0)
# Top-left, top-right, bottom-left, bottom-right quarter (red, green, blue), inset by a green border.
QUARTERS = [(230, 40, 40), (250, 200, 30), (40, 90, 230), (200, 60, 220)]
BORDER = 4


def pixel(x, y):
    if x < BORDER or y < BORDER or x >= SIZE - BORDER or y >= SIZE - BORDER:
        return KEY
    return QUARTERS[(y >= SIZE // 2) * 2 + (x >= SIZE // 2)]


def main(path):
    stride = (SIZE * 3 + 3) // 4 * 4
    rows = []
    for y in reversed(range(SIZE)):  # bottom-up
        row = b"".join(bytes((b, g, r)) for r, g, b in (pixel(x, y) for x in range(SIZE)))
        rows.append(row + b"\0" * (stride - len(row)))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as out:
        out.write(header + info + pixels)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
