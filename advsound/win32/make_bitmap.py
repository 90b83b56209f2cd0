#!/usr/bin/env python3
"""Draws the Advanced Sound engineer's picture for the host's editor: 32x32
pixels, 24 bits per pixel, a loudspeaker with sound waves above a row of
memory cells (the cache). Computed, so every run writes the same
bytes.

usage: make_bitmap.py OUTPUT_FILE
"""
import math
import os
import struct
import sys

SIZE = 32


def colour_at(x, y):
    cx, cy = x + 0.5, y + 0.5
    # the cache: a row of three memory cells along the bottom
    for column in range(3):
        left = 3 + column * 9
        if left <= cx <= left + 8 and 23 <= cy <= 30:
            edge = cx < left + 1 or cx > left + 7 or cy < 24 or cy > 29
            return (40, 90, 40) if edge else (110, 190, 110)
    # the loudspeaker: a box and a cone
    if 3 <= cx <= 8 and 8 <= cy <= 15:
        return (30, 30, 30)
    if 8 <= cx <= 14 and abs(cy - 11.5) <= (cx - 8) * 0.9 + 3.5:
        return (40, 60, 140)
    # the waves
    d = math.hypot(cx - 10, cy - 11.5)
    if cx > 15 and abs(cy - 11.5) < (cx - 10) * 0.9:
        for radius in (8, 12, 16):
            if abs(d - radius) < 0.9:
                return (200, 40, 40)
    return (255, 255, 255)


def bmp():
    stride = (SIZE * 3 + 3) // 4 * 4
    pixels = bytearray()
    for y in range(SIZE - 1, -1, -1):
        row = bytearray()
        for x in range(SIZE):
            r, g, b = colour_at(x, y)
            row += bytes((b, g, r))
        pixels += row + bytes(stride - len(row))
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(header)
    return struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset) + header + bytes(pixels)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    path = sys.argv[1]
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path + '.tmp', 'wb') as out:
        out.write(bmp())
    os.replace(path + '.tmp', path)


if __name__ == '__main__':
    main()
