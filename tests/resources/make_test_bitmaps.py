#!/usr/bin/env python3
"""Writes the small .bmp files that the resource tests link in, into the directory given as the argument.

Each file is a 14-byte file header followed by what becomes the resource: an info header, a colour table and
pixel rows (bottom-up, each padded to a multiple of 4 bytes). Pixel bytes follow simple formulas so that the
tests can recompute them. The file header's pixel offset is left at 14: like the resource compiler, the CMake
helper drops the file header without reading it.
"""
import struct
import sys
from pathlib import Path


def info_header(width, height, bit_count, clr_used=0, compression=0, size=40, planes=1):
    header = struct.pack("<IiiHHIIiiII", size, width, height, planes, bit_count, compression, 0, 2835, 2835,
                         clr_used, 0)
    return header + bytes(size - 40)  # a longer header's extra fields, all zero


def colour_table(count):
    # Entry i: blue i, green 255 - i, red i XOR 0x5A, reserved 0 (all modulo 256).
    return b"".join(bytes([i % 256, (255 - i) % 256, (i ^ 0x5A) % 256, 0]) for i in range(count))


def rows_24(width, height):
    # Stored row r (0 = bottom), column x: blue 10 r + x, green 100 + x, red 200 - r.
    stride = (width * 3 + 3) // 4 * 4
    data = b""
    for r in range(height):
        row = b"".join(bytes([(10 * r + x) % 256, (100 + x) % 256, (200 - r) % 256]) for x in range(width))
        data += row + bytes(stride - len(row))
    return data


def rows_8(width, height):
    # Stored row r, column x: colour index 16 r + x.
    stride = (width + 3) // 4 * 4
    return b"".join(bytes([(16 * r + x) % 256 for x in range(width)]) + bytes(stride - width) for r in range(height))


def bmp(resource):
    return b"BM" + struct.pack("<IHHI", 14 + len(resource), 0, 0, 14) + resource


BITMAPS = {
    "rgb24.bmp": info_header(3, 2, 24) + rows_24(3, 2),
    "rgb24_table16.bmp": info_header(2, 2, 24, clr_used=16) + colour_table(16) + rows_24(2, 2),
    "indexed8.bmp": info_header(4, 2, 8) + colour_table(256) + rows_8(4, 2),
    "v5_header.bmp": info_header(2, 2, 24, size=124) + rows_24(2, 2),
    "other_module.bmp": info_header(1, 1, 24) + bytes([1, 2, 3, 0]),
    # Refused: too short, cut off, or of a kind that does not load.
    "short_header.bmp": info_header(3, 2, 24)[:20],
    "truncated_rows.bmp": (info_header(3, 2, 24) + rows_24(3, 2))[:-1],
    "truncated_table.bmp": (info_header(4, 2, 8) + colour_table(256))[:40 + 4 * 100],
    "top_down.bmp": info_header(3, -2, 24) + rows_24(3, 2),
    "bits32.bmp": info_header(2, 2, 32) + bytes(16),
    "rle8.bmp": info_header(4, 2, 8, compression=1) + colour_table(256) + bytes(8),
    "huge_clr_used.bmp": info_header(3, 2, 24, clr_used=0xFFFFFFFF) + rows_24(3, 2),
}

if __name__ == "__main__":
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    for name, resource in BITMAPS.items():
        (out / name).write_bytes(bmp(resource))
