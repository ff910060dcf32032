#!/usr/bin/env python3
"""Checks PNG files with an independent reader (the standard library's zlib): the signature, every chunk's CRC,
an 8-bit RGB header of the expected size, and image data that inflates to exactly the rows it announces.
Usage: check_png.py WIDTH HEIGHT FILE..."""
import struct
import sys
import zlib


def check(path, width, height):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return "no PNG signature"
    pos, idat, header, chunks = 8, b"", None, []
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        crc = struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])[0]
        if zlib.crc32(kind + body) != crc:
            return f"bad CRC in {kind!r}"
        chunks.append(kind)
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    if chunks[0] != b"IHDR" or chunks[-1] != b"IEND":
        return "chunks out of order"
    if header[:4] != (width, height, 8, 2):
        return f"header {header[:4]} is not {width}x{height} 8-bit RGB"
    if len(zlib.decompress(idat)) != height * (1 + 3 * width):
        return "image data of the wrong length"
    return None


def main():
    width, height = int(sys.argv[1]), int(sys.argv[2])
    failures = [(path, problem) for path in sys.argv[3:] for problem in [check(path, width, height)] if problem]
    for path, problem in failures:
        print(f"{path}: {problem}")
    return 1 if failures or len(sys.argv) < 4 else 0


if __name__ == "__main__":
    sys.exit(main())
