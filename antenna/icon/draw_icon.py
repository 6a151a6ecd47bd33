#!/usr/bin/env python3
"""Draws the calculator's window icon: an antenna mast sending out arcs, with
"1/4" beside it, on light cyan. 32 x 32 pixels in the 16 standard colours,
written as XPM so that the picture stays readable in a diff, with its
rendition at twice the density ("@2x") beside it.

    python3 antenna/icon/draw_icon.py antenna/icon
"""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "tools"))
from assets import AQUA, BLACK, BLUE, GREY, MAROON, NAVY, RED, SILVER, WHITE, hex_colour, write  # noqa: E402

SIZE = 32

# The colours of the 16-colour palette the icon draws from, by the key used in
# the XPM.
PALETTE = {
    "c": hex_colour(AQUA),  # light cyan, the ground
    "k": hex_colour(BLACK),
    "g": hex_colour(GREY),
    "s": hex_colour(SILVER),
    "r": hex_colour(RED),
    "m": hex_colour(MAROON),
    "b": hex_colour(BLUE),
    "n": hex_colour(NAVY),
    "w": hex_colour(WHITE),
}

MAST_X = 11
MAST_TOP = 8
MAST_FOOT = 30

# Glyphs of the fraction, 7 pixels high.
GLYPHS = {
    "1": [".x.",
          "xx.",
          ".x.",
          ".x.",
          ".x.",
          ".x.",
          "xxx"],
    "/": ["..x",
          "..x",
          ".x.",
          ".x.",
          ".x.",
          "x..",
          "x.."],
    "4": ["..x.",
          ".xx.",
          "x.x.",
          "xxxx",
          "..x.",
          "..x.",
          "..x."],
}


def draw(scale):
    """The icon at `scale` dots per pixel; measures are in the icon's pixels."""
    dots = SIZE * scale
    pixels = [["c"] * dots for _ in range(dots)]

    def put(x, y, key):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            for yy in range(y * scale, (y + 1) * scale):
                pixels[yy][x * scale:(x + 1) * scale] = [key] * scale

    # Radiating arcs to both sides of the tip, alternating red and blue, traced
    # dot by dot so that the denser rendition has the smoother curves.
    for radius, key in ((4, "r"), (7, "b"), (10, "r")):
        for y in range(dots):
            for x in range(dots):
                dx = (x + 0.5) / scale - 0.5 - MAST_X
                dy = (y + 0.5) / scale - 0.5 - MAST_TOP
                if abs(math.hypot(dx, dy) - radius) < 0.55 and abs(dy) <= abs(dx) * 0.9:
                    pixels[y][x] = key

    # The mast: a two-pixel pole with a light edge, and a red ball on top.
    for y in range(MAST_TOP, MAST_FOOT):
        put(MAST_X, y, "k")
        put(MAST_X + 1, y, "g")
    for dx in (0, 1):
        put(MAST_X + dx, MAST_TOP - 1, "r")
        put(MAST_X + dx, MAST_TOP - 2, "m")

    # Guy wires down to a ground bar.
    for step in range(1, 12):
        put(MAST_X - step // 2, MAST_FOOT - 12 + step, "s")
        put(MAST_X + 1 + step // 2, MAST_FOOT - 12 + step, "s")
    for x in range(MAST_X - 6, MAST_X + 8):
        put(x, MAST_FOOT, "k")
        put(x, MAST_FOOT + 1, "g")

    # The fraction, bottom right, on a white plate with a navy edge.
    left, top, right, bottom = 16, 17, 31, 27
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            edge = y in (top, bottom) or x in (left, right)
            put(x, y, "n" if edge else "w")
    x = left + 2
    for glyph in "1/4":
        for row, line in enumerate(GLYPHS[glyph]):
            for col, mark in enumerate(line):
                if mark == "x":
                    put(x + col, top + 2 + row, "n")
        x += len(GLYPHS[glyph][0]) + 1
    return pixels


def xpm(scale):
    pixels = draw(scale)
    dots = len(pixels)
    used = [key for key in PALETTE if any(key in row for row in pixels)]
    lines = ["/* XPM */", "static const char *qw_antenna%s[] = {" % ("" if scale == 1 else f"_{scale}x"),
             f'"{dots} {dots} {len(used)} 1",']
    lines += [f'"{key} c {PALETTE[key]}",' for key in used]
    lines += [f'"{"".join(row)}"' + ("," if i < dots - 1 else "") for i, row in enumerate(pixels)]
    return "\n".join(lines + ["};", ""])


if __name__ == "__main__":
    folder = sys.argv[1]
    write(os.path.join(folder, "qw_antenna.xpm"), xpm(1))
    write(os.path.join(folder, "qw_antenna@2x.xpm"), xpm(2))
