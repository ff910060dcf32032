#!/usr/bin/env python3
"""Checks that a screenshot shows a saver's sprites: enough lit (non-black) pixels, and several of the colours
of the saver's own bitmaps (their transparent green and black left out) among them.

usage: picture_check.py SCREENSHOT --art BITMAP... [--bits-per-channel R G B] [--min-lit F] [--min-colours N]

With --bits-per-channel (a 16-bit screen is 5 6 5) both sides are compared at that precision, rounded to the
nearest level as the X11 back end converts. Prints one line with what it found; exits 0 when the picture passes.
"""
import argparse
import collections
import subprocess
import sys

KEY = (0, 255, 0)
BLACK = (0, 0, 0)


def colour_counts(path):
    """How many pixels of each (r, g, b) colour the image has, read through ImageMagick's binary PPM."""
    data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
    fields = []
    position = 0
    while len(fields) < 4:  # magic, width, height, maximum value; '#' comments are not written by convert
        while data[position:position + 1].isspace():
            position += 1
        start = position
        while not data[position:position + 1].isspace():
            position += 1
        fields.append(data[start:position])
    position += 1  # the single whitespace byte before the raster
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise ValueError(f"{path}: unexpected PPM header {fields}")
    width, height = int(fields[1]), int(fields[2])
    raster = data[position:position + width * height * 3]
    return collections.Counter(zip(raster[0::3], raster[1::3], raster[2::3]))


def quantizer(bits):
    if bits is None:
        return lambda colour: colour
    tops = [(1 << b) - 1 for b in bits]
    return lambda colour: tuple((c * top + 127) // 255 for c, top in zip(colour, tops))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("screenshot")
    parser.add_argument("--art", nargs="+", required=True)
    parser.add_argument("--bits-per-channel", nargs=3, type=int)
    parser.add_argument("--min-lit", type=float, default=0.002)
    parser.add_argument("--min-colours", type=int, default=3)
    parser.add_argument("--min-pixels-per-colour", type=int, default=3)
    options = parser.parse_args()

    quantize = quantizer(options.bits_per_channel)
    art = set()
    for path in options.art:
        art.update(quantize(c) for c in colour_counts(path) if c not in (KEY, BLACK))
    art.discard(quantize(BLACK))

    counts = collections.Counter()
    for colour, count in colour_counts(options.screenshot).items():
        counts[quantize(colour)] += count
    total = sum(counts.values())
    lit = 1.0 - counts.get(quantize(BLACK), 0) / max(total, 1)
    found = sorted(c for c in art if counts.get(c, 0) >= options.min_pixels_per_colour)
    passed = lit >= options.min_lit and len(found) >= options.min_colours
    print(f"{options.screenshot}: {lit:.2%} lit, {len(found)} of {len(art)} art colours present"
          f" ({'pass' if passed else 'FAIL'})")
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main())
