#!/usr/bin/env python3
"""Compares a 24-bit .bmp written by a Windows trace program with kestrova-render's PNG of the same frame, pixel
for pixel. The PNG is first checked by tests/render/check_png.py and then decoded here (zlib and the five PNG
row filters), so neither file is read by the code that wrote it.

usage: compare_pictures.py FRAME.bmp FRAME.png
Prints "same WxH" and exits 0, or prints the first difference (size, or the first differing pixel from the
top left with both colours as RRGGBB) and exits 1.
"""
import os
import struct
import sys
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "render"))
import check_png  # noqa: E402


def read_bmp(path):
    """(width, height, rows of RGB bytes from the top) of an uncompressed 24-bit BMP."""
    data = open(path, "rb").read()
    if data[:2] != b"BM":
        raise ValueError(f"{path}: no BMP signature")
    offset, = struct.unpack_from("<I", data, 10)
    _, width, height, _, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if bits != 24 or compression != 0:
        raise ValueError(f"{path}: {bits} bits per pixel, compression {compression}; expected 24, none")
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for row in range(abs(height)):
        start = offset + row * stride
        bgr = data[start:start + width * 3]
        if len(bgr) != width * 3:
            raise ValueError(f"{path}: pixel data ends early")
        rgb = bytearray(bgr)
        rgb[0::3], rgb[2::3] = bgr[2::3], bgr[0::3]
        rows.append(bytes(rgb))
    if height > 0:  # stored bottom-up
        rows.reverse()
    return width, abs(height), rows


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


def read_png(path):
    """(width, height, rows of RGB bytes from the top) of an 8-bit RGB PNG without interlacing."""
    data = open(path, "rb").read()
    pos, idat, width, height = 8, b"", 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, _, _, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if interlace != 0:
                raise ValueError(f"{path}: interlaced")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    size = 3 * width
    rows, previous = [], bytearray(size)
    for y in range(height):
        kind = raw[y * (size + 1)]
        line = bytearray(raw[y * (size + 1) + 1:(y + 1) * (size + 1)])
        for i in range(size):
            left = line[i - 3] if i >= 3 else 0
            up = previous[i]
            up_left = previous[i - 3] if i >= 3 else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                line[i] = (line[i] + paeth(left, up, up_left)) & 0xFF
            elif kind != 0:
                raise ValueError(f"{path}: unknown row filter {kind}")
        rows.append(bytes(line))
        previous = line
    return width, height, rows


def first_difference(bmp, png):
    (bw, bh, brows), (pw, ph, prows) = bmp, png
    if (bw, bh) != (pw, ph):
        return f"sizes differ: .bmp {bw}x{bh}, .png {pw}x{ph}"
    for y, (b, p) in enumerate(zip(brows, prows)):
        if b != p:
            x = next(i for i in range(len(b)) if b[i] != p[i]) // 3
            count = sum(1 for i in range(0, len(b), 3) if b[i:i + 3] != p[i:i + 3])
            return (f"first differing pixel ({x}, {y}): .bmp {b[3 * x:3 * x + 3].hex()}, "
                    f".png {p[3 * x:3 * x + 3].hex()} ({count} differing pixels in that row)")
    return None


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[3], file=sys.stderr)
        return 2
    bmp_path, png_path = sys.argv[1:]
    try:
        bmp = read_bmp(bmp_path)
        problem = check_png.check(png_path, bmp[0], bmp[1])
        if problem:
            print(f"{png_path}: {problem}")
            return 1
        png = read_png(png_path)
    except (OSError, ValueError, struct.error, zlib.error) as error:
        print(error)
        return 1
    difference = first_difference(bmp, png)
    print(difference or f"same {bmp[0]}x{bmp[1]}")
    return 1 if difference else 0


if __name__ == "__main__":
    sys.exit(main())
