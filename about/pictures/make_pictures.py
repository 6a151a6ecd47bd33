#!/usr/bin/env python3
"""Draws the About box's pictures: the 32 x 32, 16-colour icon and the
331 x 227 logo in 24-bit colour, each also at twice the density ("@2x"). Plain
Python, no font files, so every run writes the same bytes. The maker's name
comes from the build, as core/author.h has it:

    python3 about/pictures/make_pictures.py about/pictures "Quillo Workbench"
"""

import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "tools"))
from assets import AQUA, BLACK, GREY, PALETTE16, PURPLE, RED, SILVER, TEAL, WHITE, YELLOW  # noqa: E402
from assets import pack4, png, write  # noqa: E402

# A 5 x 7 pixel font, enough for the logo's words.
GLYPHS = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "Q": ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "W": ["10001", "10001", "10001", "10101", "10101", "10101", "01010"],
    "Y": ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    "#": ["01010", "01010", "11111", "01010", "11111", "01010", "01010"],
    " ": ["00000"] * 7,
}


class Canvas:
    """Measures are in the picture's own pixels; each covers scale x scale
    dots of the canvas."""

    def __init__(self, width, height, colour, scale):
        self.width, self.height, self.scale = width, height, scale
        self.pixels = [[colour] * (width * scale) for _ in range(height * scale)]

    def dots(self, x, y, w, h, colour):
        for yy in range(max(0, y), min(self.height * self.scale, y + h)):
            for xx in range(max(0, x), min(self.width * self.scale, x + w)):
                self.pixels[yy][xx] = colour

    def put(self, x, y, colour):
        self.rect(x, y, 1, 1, colour)

    def rect(self, x, y, w, h, colour):
        s = self.scale
        self.dots(x * s, y * s, w * s, h * s, colour)

    def text(self, x, y, words, scale, colour):
        for i, ch in enumerate(words):
            for row, bits in enumerate(GLYPHS[ch]):
                for col, bit in enumerate(bits):
                    if bit == "1":
                        self.rect(x + (i * 6 + col) * scale, y + row * scale, scale, scale, colour)

    def text_centred(self, y, words, scale, colour):
        width = (len(words) * 6 - 1) * scale
        self.text((self.width - width) // 2, y, words, scale, colour)


def resistor(canvas, x, y, length, thickness, bands, body, lead, lead_length):
    """A resistor lying on its side, with a lead on each end."""
    mid = y + thickness // 2
    canvas.rect(x - lead_length, mid - max(1, thickness // 8), length + 2 * lead_length, max(2, thickness // 4), lead)
    canvas.rect(x, y, length, thickness, body)
    step = length // (len(bands) + 1)
    for i, colour in enumerate(bands):
        canvas.rect(x + step * (i + 1) - step // 4, y, max(2, step // 2), thickness, colour)


def logo(scale, maker):
    width, height = 331, 227
    canvas = Canvas(width, height, (0, 0, 0), scale)
    # The sky and the wave follow the canvas's dots, so the denser rendition
    # has the finer steps.
    dots = height * scale
    for y in range(dots):
        t = y / (dots - 1)
        colour = (int(16 + 8 * t), int(32 + 80 * t), int(74 + 32 * t))
        canvas.dots(0, y, width * scale, 1, colour)
    # A quarter-wave whip on the left, its sine wave beside it.
    canvas.rect(30, 22, 3, 92, (220, 220, 220))
    canvas.rect(20, 112, 23, 4, (220, 220, 220))
    for x in range(36 * scale, 80 * scale):
        y = int(scale * (64 + 24 * math.sin((x / scale - 36) / 44 * math.pi / 2 * 4)))
        canvas.dots(x, y, 2 * scale, 2 * scale, (255, 200, 40))
    # A 4,700-ohm resistor: yellow, violet, red, gold.
    resistor(canvas, 150, 50, 130, 36,
             [(240, 210, 0), (130, 40, 170), (200, 30, 30), (200, 160, 60)],
             (214, 190, 140), (190, 190, 190), 40)
    canvas.text_centred(134, "KELVARO #1", 3, (255, 255, 255))
    canvas.text_centred(172, maker.upper(), 2, (255, 200, 40))
    canvas.text_centred(198, "HOBBY ELECTRONICS TOOLS", 1, (200, 230, 230))
    for x in range(width):
        for y in (0, 1, height - 2, height - 1):
            canvas.put(x, y, (200, 230, 230))
    for y in range(height):
        for x in (0, 1, width - 2, width - 1):
            canvas.put(x, y, (200, 230, 230))
    rows = [b"".join(bytes(p) for p in row) for row in canvas.pixels]
    return png(width * scale, height * scale, rows, colour_type=2, bit_depth=8)


def icon(scale):
    canvas = Canvas(32, 32, TEAL, scale)  # indices into the 16 colours
    canvas.rect(0, 0, 32, 2, WHITE)
    canvas.rect(0, 30, 32, 2, BLACK)
    resistor(canvas, 7, 11, 18, 10, [YELLOW, PURPLE, RED], SILVER, GREY, 6)
    canvas.rect(4, 24, 24, 2, AQUA)
    rows = [pack4(row) for row in canvas.pixels]
    return png(32 * scale, 32 * scale, rows, colour_type=3, bit_depth=4, palette=PALETTE16)


if __name__ == "__main__":
    folder, maker = sys.argv[1], sys.argv[2]
    write(os.path.join(folder, "logo.png"), logo(1, maker))
    write(os.path.join(folder, "logo@2x.png"), logo(2, maker))
    write(os.path.join(folder, "icon.png"), icon(1))
    write(os.path.join(folder, "icon@2x.png"), icon(2))
