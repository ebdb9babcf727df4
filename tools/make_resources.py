#!/usr/bin/env python3
"""Writes the library's cursor and check-box bitmaps into a folder.

The images are drawn here pixel by pixel so that the build needs no binary
files and the pixels can be read (and reviewed) as text.
"""
import struct
import sys
from pathlib import Path

SIZE = 13
TICK = [(9, 3), (8, 4), (9, 4), (3, 5), (7, 5), (8, 5), (9, 5), (3, 6), (4, 6), (6, 6), (7, 6), (8, 6),
        (3, 7), (4, 7), (5, 7), (6, 7), (7, 7), (4, 8), (5, 8), (6, 8), (5, 9)]

BLACK, WHITE, GREY, SILVER = (0, 0, 0), (255, 255, 255), (128, 128, 128), (192, 192, 192)


def check_box(frame, face, tick):
    """13x13 colours, row 0 at the top."""
    pixels = [[face] * SIZE for _ in range(SIZE)]
    for i in range(SIZE):
        pixels[0][i] = pixels[SIZE - 1][i] = pixels[i][0] = pixels[i][SIZE - 1] = frame
    if tick:
        for x, y in TICK:
            pixels[y][x] = tick
    return pixels


def bmp16(pixels):
    """A 4-bit (16-colour) BMP of the given rows."""
    palette = []
    for row in pixels:
        for colour in row:
            if colour not in palette:
                palette.append(colour)
    palette += [(0, 0, 0)] * (16 - len(palette))
    height, width = len(pixels), len(pixels[0])
    stride = ((width * 4 + 31) // 32) * 4
    data = b""
    for row in reversed(pixels):  # bottom-up
        nibbles = [palette.index(c) for c in row]
        if len(nibbles) % 2:
            nibbles.append(0)
        line = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, len(nibbles), 2))
        data += line + b"\0" * (stride - len(line))
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(data), 2835, 2835, 16, 0)
    offset = 14 + len(info) + len(pal)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return header + info + pal + data


def row_resize_shape():
    """32x32 set of black pixels: a vertical double arrow through a horizontal bar."""
    black = set()
    for x in range(4, 28):
        black.update({(x, 14), (x, 16)})          # the bar: two lines
    for y in range(3, 28):
        black.add((15, y))                         # the stem
    for d in range(1, 5):                          # arrow heads
        for x in range(15 - d, 16 + d):
            black.update({(x, 3 + d), (x, 27 - d)})
    return black


def cursor(black, hot_x, hot_y):
    """Monochrome 32x32 .cur: black shape, white outline, transparent elsewhere."""
    white = {(x + dx, y + dy) for x, y in black for dx in (-1, 0, 1) for dy in (-1, 0, 1)} - black
    xor_rows, and_rows = [], []
    for y in reversed(range(32)):
        xor_bits = and_bits = 0
        for x in range(32):
            bit = 1 << (31 - x)
            if (x, y) in white:
                xor_bits |= bit
            elif (x, y) not in black:
                and_bits |= bit
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    info = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, 256, 0, 0, 2, 0)
    pal = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    image = info + pal + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", 32, 32, 0, 0, hot_x, hot_y, len(image), 22)
    return directory + image


def main(out):
    out = Path(out)
    out.mkdir(parents=True, exist_ok=True)
    (out / "check.bmp").write_bytes(bmp16(check_box(BLACK, WHITE, BLACK)))
    (out / "uncheck.bmp").write_bytes(bmp16(check_box(BLACK, WHITE, None)))
    (out / "graycheck.bmp").write_bytes(bmp16(check_box(GREY, SILVER, GREY)))
    (out / "rowresize.cur").write_bytes(cursor(row_resize_shape(), 15, 15))


if __name__ == "__main__":
    main(sys.argv[1])
