#!/usr/bin/env python3
"""Draws the program's two 32 x 32, 32-bit icons: a magnifying glass over a film frame.
Usage: make_icons.py OUT_DIR   (writes sorvane.ico for the window, sorvane_file.ico for the file)"""
import math
import struct
import sys

SIZE = 32


def draw(background):
    px = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]
    for y in range(SIZE):
        for x in range(SIZE):
            if 2 <= x <= 29 and 4 <= y <= 27:             # rounded tile
                px[y][x] = background + (255,)
            if (3 <= x <= 5 or 26 <= x <= 28) and 5 <= y <= 26 and y % 4 in (1, 2):
                px[y][x] = (250, 250, 250, 255)           # film perforations
    cx, cy, r = 14.5, 14.5, 7.5
    for y in range(SIZE):
        for x in range(SIZE):
            d = math.hypot(x - cx, y - cy)
            if d <= r - 2:
                px[y][x] = (200, 235, 255, 255)           # glass
            elif d <= r:
                px[y][x] = (40, 40, 60, 255)              # rim
            if 20 <= x <= 27 and 20 <= y <= 27 and abs((x - 20) - (y - 20)) <= 1:
                px[y][x] = (40, 40, 60, 255)              # handle
    return px


def ico(px):
    rows = b"".join(bytes((b, g, r, a)) for row in reversed(px) for (r, g, b, a) in row)
    mask = b"\0" * (SIZE * 4)                             # 32 one-bit pixels per row, 4 bytes
    dib = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(rows) + len(mask), 0, 0, 0, 0)
    image = dib + rows + mask
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return header + entry + image


out = sys.argv[1]
with open(out + "/sorvane.ico", "wb") as f:
    f.write(ico(draw((100, 80, 255))))
with open(out + "/sorvane_file.ico", "wb") as f:
    f.write(ico(draw((70, 60, 200))))
