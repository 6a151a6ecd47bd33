#!/usr/bin/env python3
"""Draws the decoder's window icon: 32 x 32 pixels in 16 colours, nested
rectangles in the colours of a resistor's bands, and its rendition at twice
the density ("@2x", 64 x 64) beside it. Writes 4-bit indexed PNGs with the
standard library only, byte for byte the same on every run.

    python3 decoder/icon/make_icon.py decoder/icon/resistor_decoder.png
"""
import os
import struct
import sys
import zlib

SIZE = 32

# The 16 colours of the classic display palette.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)

# From the outside in: (inset in pixels, palette index).
RINGS = [
    (0, BLACK), (1, TEAL), (3, WHITE), (5, MAROON), (7, RED), (9, OLIVE),
    (11, YELLOW), (13, GREEN), (14, BLUE), (15, SILVER),
]


def pixels(scale):
    size = SIZE * scale
    image = [[BLACK] * size for _ in range(size)]
    for inset, colour in RINGS:
        inset *= scale
        for y in range(inset, size - inset):
            for x in range(inset, size - inset):
                image[y][x] = colour
    return image


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(image):
    size = len(image)
    rows = b""
    for row in image:
        packed = bytes((row[x] << 4) | row[x + 1] for x in range(0, size, 2))
        rows += b"\x00" + packed  # no filter
    header = struct.pack(">IIBBBBB", size, size, 4, 3, 0, 0, 0)
    palette = b"".join(bytes(rgb) for rgb in PALETTE)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", palette)
            + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    stem, extension = os.path.splitext(sys.argv[1])
    for scale, path in ((1, sys.argv[1]), (2, stem + "@2x" + extension)):
        with open(path, "wb") as out:
            out.write(png(pixels(scale)))
