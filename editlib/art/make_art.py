#!/usr/bin/env python3
"""Draws the editor library's artwork and writes it as the resource compiler
reads it: the icon (48, 32 and 16 pixels, each in 16 and 256 colours), the
word-mark banner (200x70, 32 bits), the emblem (70x70, 32 bits with alpha:
a face wearing headphones, black on transparent) and the maker's badge
(88x31, 256 colours). Everything is computed, so every run writes the same
bytes.

usage: make_art.py OUTPUT_FOLDER
"""
import math
import os
import struct
import sys

# The dialog face colour: transparent pixels carry it, so a reader that
# ignores alpha still draws them as background.
FACE = (240, 240, 240)

# A 5x7 pixel font for the few letters the artwork writes.
GLYPHS = {
    'A': ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    'D': ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    'E': ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    'G': ["01111", "10000", "10000", "10111", "10001", "10001", "01111"],
    'I': ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    'K': ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    'M': ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    'N': ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    'O': ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    'R': ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    'S': ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    'T': ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    'U': ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    'V': ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    'Y': ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
    ' ': ["00000"] * 7,
}


def text_width(text, scale):
    return (len(text) * 6 - 1) * scale


def draw_text(canvas, text, left, top, scale, colour):
    for index, letter in enumerate(text):
        rows = GLYPHS[letter]
        for gy, row in enumerate(rows):
            for gx, bit in enumerate(row):
                if bit != '1':
                    continue
                for dy in range(scale):
                    for dx in range(scale):
                        canvas.put(left + (index * 6 + gx) * scale + dx, top + gy * scale + dy, colour)


class Canvas:
    """Pixels as (r, g, b, a), row 0 at the top."""

    def __init__(self, width, height, fill):
        self.width = width
        self.height = height
        self.pixels = [[fill] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


# --- file formats -----------------------------------------------------------

def info_header(width, height, bits, colours_used=0, image_size=0):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, image_size, 2835, 2835, colours_used, 0)


def row_bytes(width, bits):
    return ((width * bits + 31) // 32) * 4


def pack_rows(canvas, bits, index_of=None):
    """Bottom-up rows, each padded to four bytes."""
    out = bytearray()
    stride = row_bytes(canvas.width, bits)
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray()
        if bits == 32:
            for r, g, b, a in canvas.pixels[y]:
                row += bytes((b, g, r, a))
        elif bits == 24:
            for r, g, b, _ in canvas.pixels[y]:
                row += bytes((b, g, r))
        elif bits == 8:
            row += bytes(index_of(p) for p in canvas.pixels[y])
        elif bits == 4:
            indexes = [index_of(p) for p in canvas.pixels[y]]
            for x in range(0, len(indexes), 2):
                high = indexes[x]
                low = indexes[x + 1] if x + 1 < len(indexes) else 0
                row.append((high << 4) | low)
        elif bits == 1:
            for x in range(0, canvas.width, 8):
                byte = 0
                for k in range(8):
                    if x + k < canvas.width and index_of(canvas.pixels[y][x + k]):
                        byte |= 0x80 >> k
                row.append(byte)
        row += bytes(stride - len(row))
        out += row
    return bytes(out)


def palette_bytes(palette, count):
    out = bytearray()
    for r, g, b in palette:
        out += bytes((b, g, r, 0))
    out += bytes(4 * (count - len(palette)))
    return bytes(out)


def nearest(palette):
    cache = {}

    def index_of(pixel):
        key = pixel[:3]
        if key not in cache:
            cache[key] = min(range(len(palette)),
                             key=lambda i: sum((palette[i][c] - key[c]) ** 2 for c in range(3)))
        return cache[key]
    return index_of


def bmp_file(canvas, bits, palette=None):
    colours = 0
    pal = b''
    index_of = None
    if bits <= 8:
        colours = 1 << bits
        pal = palette_bytes(palette, colours)
        index_of = nearest(palette)
    pixels = pack_rows(canvas, bits, index_of)
    header = info_header(canvas.width, canvas.height, bits, colours if bits <= 8 else 0, len(pixels))
    offset = 14 + len(header) + len(pal)
    return struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset) + header + pal + pixels


def ico_file(images):
    """images: (canvas, bits, palette); alpha 0 marks transparent pixels."""
    entries = bytearray()
    bodies = bytearray()
    offset = 6 + 16 * len(images)
    for canvas, bits, palette in images:
        index_of = nearest(palette)
        xor = pack_rows(canvas, bits, index_of)
        mask = pack_rows(canvas, 1, lambda p: 1 if p[3] == 0 else 0)
        colours = 1 << bits
        body = info_header(canvas.width, canvas.height * 2, bits, 0, len(xor) + len(mask)) + \
            palette_bytes(palette, colours) + xor + mask
        entries += struct.pack('<BBBBHHII', canvas.width % 256, canvas.height % 256,
                               colours if colours < 256 else 0, 0, 1, bits, len(body), offset)
        bodies += body
        offset += len(body)
    return struct.pack('<HHH', 0, 1, len(images)) + bytes(entries) + bytes(bodies)


# --- palettes ---------------------------------------------------------------

VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
         (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
         (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def palette256():
    colours = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    colours += [(v, v, v) for v in range(8, 256, 7)][:40]
    return colours[:256]


# --- pictures ---------------------------------------------------------------

def icon_picture(size):
    """A sound wave in a rounded blue square, drawn at `size` pixels."""
    canvas = Canvas(size, size, (0, 0, 0, 0))
    samples = 4
    radius = size * 0.2
    for y in range(size):
        for x in range(size):
            inside = 0
            wave = 0
            for sy in range(samples):
                for sx in range(samples):
                    px = x + (sx + 0.5) / samples
                    py = y + (sy + 0.5) / samples
                    # rounded square
                    dx = max(radius - px, px - (size - radius), 0)
                    dy = max(radius - py, py - (size - radius), 0)
                    if dx * dx + dy * dy <= radius * radius:
                        inside += 1
                        u = px / size
                        v = py / size
                        curve = 0.5 + 0.3 * math.sin(u * 2 * math.pi * 2.5) * math.sin(u * math.pi)
                        if abs(v - curve) < 0.08 and 0.12 < u < 0.88:
                            wave += 1
            total = samples * samples
            if inside * 2 < total:
                continue
            base = mix((20, 60, 160), (0, 140, 200), y / max(size - 1, 1))
            colour = mix(base, (255, 255, 255), wave / total)
            canvas.put(x, y, colour + (255,))
    return canvas


def banner():
    canvas = Canvas(200, 70, (0, 0, 0, 255))
    for y in range(70):
        for x in range(200):
            t = x / 199
            colour = mix((16, 32, 96), (0, 128, 176), t)
            ripple = 0.5 + 0.5 * math.sin(x / 9.0 + 2 * math.sin(y / 11.0))
            colour = mix(colour, (40, 90, 170), 0.25 * ripple)
            canvas.put(x, y, colour + (255,))
    word = "VEK"
    scale = 6
    left = (200 - text_width(word, scale)) // 2
    draw_text(canvas, word, left + 2, 8 + 2, scale, (0, 0, 40, 255))
    draw_text(canvas, word, left, 8, scale, (255, 255, 255, 255))
    line = "AUDIO SYSTEM"
    draw_text(canvas, line, (200 - text_width(line, 1)) // 2, 56, 1, (200, 230, 255, 255))
    return canvas


def emblem():
    """A face wearing headphones: black, anti-aliased, on transparent."""
    size = 70
    canvas = Canvas(size, size, FACE + (0,))
    cx, cy = 35.0, 38.0
    samples = 4

    def ink(px, py):
        d = math.hypot(px - cx, py - cy)
        if 17.0 <= d <= 20.0:  # the head
            return True
        if py <= cy - 2 and 25.0 <= d <= 29.0:  # the headband
            return True
        for side in (-1, 1):  # the ear cups
            ex = cx + side * 24.5
            if abs(px - ex) <= 4.5 and abs(py - (cy + 2)) <= 9.0:
                return True
        for side in (-1, 1):  # the eyes
            if math.hypot(px - (cx + side * 7), py - (cy - 5)) <= 2.6:
                return True
        smile = math.hypot(px - cx, py - (cy + 1))
        if py > cy + 4 and 9.0 <= smile <= 11.5:  # the smile
            return True
        return False

    for y in range(size):
        for x in range(size):
            covered = sum(ink(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples)
                          for sy in range(samples) for sx in range(samples))
            if covered:
                alpha = int(round(255 * covered / (samples * samples)))
                canvas.put(x, y, (0, 0, 0, alpha))
    return canvas


def badge():
    canvas = Canvas(88, 31, (255, 255, 255, 255))
    for y in range(31):
        for x in range(88):
            edge = x in (0, 87) or y in (0, 30)
            inner = x in (1, 86) or y in (1, 29)
            if edge:
                colour = (0, 0, 0)
            elif inner:
                colour = (204, 204, 204)
            elif x < 30:
                colour = (0, 102, 153)
            else:
                colour = mix((51, 51, 51), (0, 0, 0), y / 30)
            canvas.put(x, y, colour + (255,))
    draw_text(canvas, "VEK", 5, 12, 1, (255, 255, 255, 255))
    draw_text(canvas, "ENGINEERS", 32, 8, 1, (255, 204, 0, 255))
    draw_text(canvas, "MADE", 32, 18, 1, (153, 204, 255, 255))
    return canvas


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    outputs = {
        'vek.ico': ico_file([(icon_picture(s), bits, VGA16 if bits == 4 else palette256())
                             for s in (48, 32, 16) for bits in (4, 8)]),
        'banner.bmp': bmp_file(banner(), 32),
        'emblem.bmp': bmp_file(emblem(), 32),
        'badge.bmp': bmp_file(badge(), 8, palette256()),
    }
    for name, data in outputs.items():
        path = os.path.join(folder, name)
        with open(path + '.tmp', 'wb') as out:
            out.write(data)
        os.replace(path + '.tmp', path)


if __name__ == '__main__':
    main()
