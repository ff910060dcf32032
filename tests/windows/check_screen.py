#!/usr/bin/env python3
"""Tells whether a screenshot shows a saver's sprites: counts the pixels that have exactly one of the colours
of the saver's own bitmaps (pure green, the transparent key, and black, the background, left out).

usage: check_screen.py SCREENSHOT BITMAP.bmp... --min-pixels N

Prints the count; exits 0 when at least N pixels have an art colour, 1 otherwise.
"""
import argparse
import struct
import subprocess
import sys

KEY = (0, 255, 0)
BLACK = (0, 0, 0)


def bitmap_colours(path):
    """The (red, green, blue) colours of a 24-bit BMP file."""
    with open(path, "rb") as bmp:
        data = bmp.read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    if bits != 24:
        raise SystemExit(f"{path}: {bits} bits per pixel, expected 24")
    stride = (width * 3 + 3) // 4 * 4
    colours = set()
    for row in range(abs(height)):
        start = offset + row * stride
        line = data[start:start + width * 3]
        colours.update((line[i + 2], line[i + 1], line[i]) for i in range(0, len(line), 3))
    return colours - {KEY, BLACK}


def screenshot_pixels(path):
    raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout
    return (tuple(raw[i:i + 3]) for i in range(0, len(raw) - 2, 3))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("screenshot")
    parser.add_argument("bitmaps", nargs="+")
    parser.add_argument("--min-pixels", type=int, required=True)
    args = parser.parse_args()

    art = set()
    for path in args.bitmaps:
        art |= bitmap_colours(path)
    count = sum(1 for pixel in screenshot_pixels(args.screenshot) if pixel in art)
    print(f"{count} pixels in the art's colours")
    return 0 if count >= args.min_pixels else 1


if __name__ == "__main__":
    sys.exit(main())
