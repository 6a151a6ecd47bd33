#!/usr/bin/env python3
"""Draws the decoder's window icon: 32 x 32 pixels in 16 colours, nested
rectangles in the colours of a resistor's bands, and its rendition at twice
the density ("@2x", 64 x 64) beside it, as 4-bit indexed PNGs.

    python3 decoder/icon/make_icon.py decoder/icon
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "tools"))
from assets import (BLACK, BLUE, GREEN, MAROON, OLIVE, PALETTE16, RED, SILVER, TEAL, WHITE,  # noqa: E402
                    YELLOW, pack4, png, write)

SIZE = 32

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


def icon(scale):
    size = SIZE * scale
    return png(size, size, [pack4(row) for row in pixels(scale)], colour_type=3, bit_depth=4, palette=PALETTE16)


if __name__ == "__main__":
    folder = sys.argv[1]
    write(os.path.join(folder, "resistor_decoder.png"), icon(1))
    write(os.path.join(folder, "resistor_decoder@2x.png"), icon(2))
