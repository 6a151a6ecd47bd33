#!/usr/bin/env python3
"""Draws the calculator's window icon: an antenna mast sending out arcs, with
"1/4" beside it, on light cyan. 32 x 32 pixels in the 16 standard colours,
written as XPM so that the picture stays readable in a diff.

Run from this folder, for the icon and its rendition at twice the density:
    python3 draw_icon.py > qw_antenna.xpm
    python3 draw_icon.py 2 > qw_antenna@2x.xpm
"""
import math
import sys

SIZE = 32

# The 16-colour palette the icon draws from, by the key used in the XPM.
PALETTE = {
    "c": "#00FFFF",  # light cyan, the ground
    "k": "#000000",
    "g": "#808080",
    "s": "#C0C0C0",
    "r": "#FF0000",
    "m": "#800000",
    "b": "#0000FF",
    "n": "#000080",
    "w": "#FFFFFF",
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


def main():
    scale = int(sys.argv[1]) if len(sys.argv) > 1 else 1
    pixels = draw(scale)
    dots = len(pixels)
    used = [key for key in PALETTE if any(key in row for row in pixels)]
    print("/* XPM */")
    print("static const char *qw_antenna%s[] = {" % ("" if scale == 1 else f"_{scale}x"))
    print(f'"{dots} {dots} {len(used)} 1",')
    for key in used:
        print(f'"{key} c {PALETTE[key]}",')
    for i, row in enumerate(pixels):
        print(f'"{"".join(row)}"' + ("," if i < dots - 1 else ""))
    print("};")


if __name__ == "__main__":
    main()
