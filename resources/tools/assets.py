"""What the picture generators share: the 16-colour palette and one PNG writer.
Standard library only, so that every run writes the same bytes."""

import struct
import zlib

# The 16 colours of the classic display palette, by index.
PALETTE16 = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)


def hex_colour(index):
    """A palette colour as #RRGGBB."""
    return "#%02X%02X%02X" % PALETTE16[index]


def pack4(indices):
    """A row of palette indices, two to a byte, the left one high."""
    return bytes((indices[x] << 4) | indices[x + 1] for x in range(0, len(indices), 2))


def _chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(width, height, rows, colour_type, bit_depth, palette=None):
    """The PNG file of `rows` (bytes each, unfiltered): colour type 2 for RGB,
    3 for palette indices."""
    raw = b"".join(b"\0" + row for row in rows)
    body = _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, bit_depth, colour_type, 0, 0, 0))
    if palette:
        body += _chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    body += _chunk(b"IDAT", zlib.compress(raw, 9)) + _chunk(b"IEND", b"")
    return b"\x89PNG\r\n\x1a\n" + body


def write(path, data):
    mode = "w" if isinstance(data, str) else "wb"
    with open(path, mode) as out:
        out.write(data)
