#!/usr/bin/env python3
"""Writes demo/MainIcon.ico: a 32 x 32, 16-colour picture of a small grid
with a highlighted cell and a drop-down arrow."""
import struct
import sys

# The standard 16-colour palette (B, G, R, 0).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128),
    (128, 128, 0), (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0),
    (0, 255, 255), (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255)]
BLACK, NAVY, GREY, SILVER, WHITE, BLUE = 0, 4, 8, 7, 15, 12


def pixel(x, y):
    """Colour index at (x, y), y from the top; None is transparent."""
    if not (1 <= x <= 30 and 3 <= y <= 28):
        return None
    if x in (1, 30) or y in (3, 28):
        return BLACK
    if y <= 8:                       # header row
        return BLACK if x in (11, 20) else SILVER
    if x in (11, 20) or y in (14, 21):
        return GREY                  # grid lines
    if 12 <= x <= 19 and 15 <= y <= 20:
        # the current cell, with a drop-down arrow at its right
        if 16 <= x <= 19:
            return BLACK if (y - 16) in range(0, 3) and abs(x - 17.5) <= 2 - (y - 16) else SILVER
        return BLUE
    return WHITE


def main(path):
    rows = []
    mask_rows = []
    for y in range(31, -1, -1):      # bottom-up
        row = bytearray()
        mask = 0
        for x in range(0, 32, 2):
            a, b = pixel(x, y), pixel(x + 1, y)
            row.append(((a or 0) << 4) | (b or 0))
        bits = 0
        for x in range(32):
            bits = (bits << 1) | (1 if pixel(x, y) is None else 0)
        rows.append(bytes(row))
        mask_rows.append(struct.pack(">I", bits))
    xor = b"".join(rows)
    andm = b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, len(xor) + len(andm), 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in
                       [(c[2], c[1], c[0]) for c in PALETTE])
    image = header + palette + xor + andm
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(icondir + entry + image)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "demo/MainIcon.ico")
