#!/usr/bin/env python3
"""Draws Lumbra's pictures and icon as pixel art: back.bmp, ok.bmp, infoauth.bmp, lumbra.ico.

Usage: draw_pictures.py OUTPUT_FOLDER

Standard library only. The pictures are plain pixel grids; change a text or a colour
below and rebuild. Sizes and the plain areas under the controls must stay as they are:
the window's layout places the label, the edit box and the OK picture on them.
"""
import os
import struct
import sys
import zlib

# A 5 by 7 pixel font: each glyph is seven rows of five bits, "#" set.
FONT_ROWS = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "J": ["..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "Q": [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    "Y": ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
    "Z": ["#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    "6": [".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."],
    "7": ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    "8": [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    "9": [".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."],
    ".": [".....", ".....", ".....", ".....", ".....", ".##..", ".##.."],
    ":": [".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."],
    "-": [".....", ".....", ".....", "#####", ".....", ".....", "....."],
    "/": ["....#", "....#", "...#.", "..#..", ".#...", "#....", "#...."],
    "@": [".###.", "#...#", "#.###", "#.#.#", "#.###", "#....", ".####"],
    " ": [".....", ".....", ".....", ".....", ".....", ".....", "....."],
}

BLACK = (0, 0, 0)


class Picture:
    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, left, top, right, bottom, colour):
        for y in range(top, bottom):
            for x in range(left, right):
                self.set(x, y, colour)

    def frame(self, left, top, right, bottom, colour):
        for x in range(left, right):
            self.set(x, top, colour)
            self.set(x, bottom - 1, colour)
        for y in range(top, bottom):
            self.set(left, y, colour)
            self.set(right - 1, y, colour)

    def text(self, x, y, line, colour=BLACK, scale=1):
        """Writes line in the pixel font with its top left at (x, y); returns its width."""
        start = x
        for ch in line.upper():
            rows = FONT_ROWS[ch]
            for gy, row in enumerate(rows):
                for gx, bit in enumerate(row):
                    if bit == "#":
                        self.fill(x + gx * scale, y + gy * scale, x + (gx + 1) * scale, y + (gy + 1) * scale, colour)
            x += 6 * scale
        return x - start - scale

    def bmp24(self):
        """A 24-bit bottom-up Windows bitmap file."""
        stride = (self.width * 3 + 3) & ~3
        rows = bytearray()
        for row in reversed(self.pixels):
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            line += b"\0" * (stride - len(line))
            rows += line
        header = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
        file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(rows), 0, 0, 14 + len(header))
        return file_header + header + rows


def text_width(line, scale=1):
    return len(line) * 6 * scale - scale


# The prompt panel: lettering at the upper left, the path label's black strip at
# (17, 56)-(115, 69), the OK picture at (47, 88)-(93, 117), a framed square lower right.
PROMPT_BLUE = (4, 138, 194)
CREDITS_BLUE = (0, 120, 160)
PROMPT_LINES = ["ENTER THE PATH", "TO THE CD ROOT:"]
CREDITS_LINES = ["LUMBRA 1.0", "", "A LAUNCHER FOR", "THE CD IN THE DRIVE", "", "BY THE LUMBRA", "DEVELOPERS",
                 "", "SOURCE AND NOTES:", "README.MD"]


def draw_prompt():
    p = Picture(227, 142, PROMPT_BLUE)
    for i, line in enumerate(PROMPT_LINES):
        p.text(17, 16 + i * 12, line)
    # framed darker square with a small disc drawing and a signature
    left, top, right, bottom = 160, 78, 216, 134
    p.fill(left, top, right, bottom, (2, 92, 132))
    p.frame(left, top, right, bottom, BLACK)
    cx, cy = 188, 100
    for y in range(top + 1, bottom - 1):
        for x in range(left + 1, right - 1):
            d = (x - cx) ** 2 + (y - cy) ** 2
            if 36 <= d <= 196:
                p.set(x, y, (192, 192, 192) if d > 64 else (120, 120, 120))
            elif d < 9:
                p.set(x, y, BLACK)
    p.text(left + (right - left - text_width("LB")) // 2, bottom - 12, "LB")
    return p


def draw_ok():
    p = Picture(46, 29, (40, 160, 214))
    p.frame(0, 0, 46, 29, BLACK)
    for x in range(1, 45):  # a light top edge and a dark bottom edge: a raised face
        p.set(x, 1, (150, 210, 240))
        p.set(x, 27, (2, 92, 132))
    for y in range(1, 28):
        p.set(1, y, (150, 210, 240))
        p.set(44, y, (2, 92, 132))
    width = text_width("OK", 2)
    p.text((46 - width) // 2, (29 - 14) // 2, "OK", BLACK, 2)
    return p


def draw_credits():
    p = Picture(227, 142, CREDITS_BLUE)
    for i, line in enumerate(CREDITS_LINES):
        p.text(12, 10 + i * 12, line)
    return p


def icon_pixels(size):
    """RGBA rows: a silver disc at the right, a dark arrowhead left of it pointing away
    from it, and a light-blue word along the top (left out at 16 pixels)."""
    s = size / 32.0
    rows = [[(0, 0, 0, 0)] * size for _ in range(size)]
    cx, cy, r_out, r_hole = 21.5 * s, 19.5 * s, 10.5 * s, 2.5 * s
    for y in range(size):
        for x in range(size):
            d = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5
            if r_hole < d <= r_out:
                shade = 210 if d > r_out - 1.2 * s or d < r_hole + 2 * s else 192
                rows[y][x] = (shade, shade, shade + 8, 255)
    # arrowhead: tip at x = 1, base at x = 9, centred on the disc's height
    for y in range(size):
        for x in range(size):
            fx, fy = (x + 0.5) / s, (y + 0.5) / s
            if 1 <= fx <= 9 and abs(fy - 19.5) <= (fx - 1) * 0.75:
                rows[y][x] = (24, 32, 48, 255)
    if size >= 32:
        word = Picture(size, size, None)
        scale = size // 32
        word.text((size - text_width("CD", scale)) // 2, scale, "CD", (140, 210, 255), scale)
        for y in range(size):
            for x in range(size):
                if word.pixels[y][x] is not None:
                    rows[y][x] = word.pixels[y][x] + (255,)
    return rows


def ico_bmp(rows):
    size = len(rows)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask


def ico_png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def draw_icon():
    images = []
    for size in (16, 32, 48, 256):
        rows = icon_pixels(size)
        images.append((size, ico_png(rows) if size == 256 else ico_bmp(rows)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    outputs = {
        "back.bmp": draw_prompt().bmp24(),
        "ok.bmp": draw_ok().bmp24(),
        "infoauth.bmp": draw_credits().bmp24(),
        "lumbra.ico": draw_icon(),
    }
    for name, data in outputs.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
