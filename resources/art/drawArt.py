#!/usr/bin/env python3
"""Draws KIVO CAD's toolbar strip (toolbar.bmp) and program icon (kivo.ico).

Run from anywhere: python3 resources/art/drawArt.py. It rewrites the two files
in resources/. The toolbar strip is 128 x 16 pixels, 8 bits per pixel, eight
16 x 16 images; its background is light grey 192, 192, 192, which the program
turns into the button face colour when it loads the strip.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.dirname(HERE)

COLOURS = {
    '.': (192, 192, 192),  # background, becomes the button face
    'k': (0, 0, 0),
    'w': (255, 255, 255),
    'g': (96, 96, 96),
    'y': (244, 204, 72),
    'o': (196, 150, 28),
    'b': (36, 70, 170),
    's': (232, 232, 236),
    'r': (204, 32, 32),
}

IMAGES = [
    # new page
    """
................
...kkkkkkkk.....
...kwwwwwwkk....
...kwwwwwwkwk...
...kwwwwwwkkkk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kkkkkkkkkkk..
................
""",
    # open folder
    """
................
................
.kkkk...........
kyyyyk..........
kyyyyykkkkkkk...
kyyyyyyyyyyyk...
kyyykkkkkkkkkkkk
kyykoooooooooook
kyykooooooooook.
kykoooooooooook.
kykooooooooook..
kkoooooooooook..
kkooooooooook...
kkkkkkkkkkkkk...
................
................
""",
    # diskette
    """
................
.kkkkkkkkkkkkkk.
.kbbsssssssbbbk.
.kbbsssssgsbbbk.
.kbbsssssgsbbbk.
.kbbsssssssbbbk.
.kbbbbbbbbbbbbk.
.kbbbbbbbbbbbbk.
.kbbwwwwwwwwbbk.
.kbbwkkkkkkwbbk.
.kbbwwwwwwwwbbk.
.kbbwkkkkkkwbbk.
.kbbwwwwwwwwbbk.
.kbbwwwwwwwwbbk.
.kkkkkkkkkkkkkk.
................
""",
    # diagonal line
    """
................
.............kk.
............kkk.
...........kkk..
..........kkk...
.........kkk....
........kkk.....
.......kkk......
......kkk.......
.....kkk........
....kkk.........
...kkk..........
..kkk...........
.kkk............
.kk.............
................
""",
    # square
    """
................
................
..kkkkkkkkkkkk..
..kkkkkkkkkkkk..
..kk........kk..
..kk........kk..
..kk........kk..
..kk........kk..
..kk........kk..
..kk........kk..
..kk........kk..
..kk........kk..
..kkkkkkkkkkkk..
..kkkkkkkkkkkk..
................
................
""",
    # circle
    """
................
.....kkkkkk.....
...kkkkkkkkkk...
..kkk......kkk..
..kk........kk..
.kk..........kk.
.kk..........kk.
.kk..........kk.
.kk..........kk.
.kk..........kk.
.kk..........kk.
..kk........kk..
..kkk......kkk..
...kkkkkkkkkk...
.....kkkkkk.....
................
""",
    # circle with a cross (drill point)
    """
................
.....kkkkkk.....
...kkkkkkkkkk...
..kkk......kkk..
..kkr......rkk..
.kk..r....r..kk.
.kk...r..r...kk.
.kk....rr....kk.
.kk....rr....kk.
.kk...r..r...kk.
.kk..r....r..kk.
..kkr......rkk..
..kkk......kkk..
...kkkkkkkkkk...
.....kkkkkk.....
................
""",
    # half-filled box (fill / no fill)
    """
................
................
..kkkkkkkkkkkk..
..kkkkkkkkkkkk..
..kkggggg...kk..
..kkggggg...kk..
..kkggggg...kk..
..kkggggg...kk..
..kkggggg...kk..
..kkggggg...kk..
..kkggggg...kk..
..kkggggg...kk..
..kkkkkkkkkkkk..
..kkkkkkkkkkkk..
................
................
""",
]


def toolbar():
    keys = list(COLOURS)
    rows = [[] for _ in range(16)]
    for art in IMAGES:
        lines = art.strip().splitlines()
        assert len(lines) == 16 and all(len(l) == 16 for l in lines), art
        for y, line in enumerate(lines):
            rows[y].extend(keys.index(c) for c in line)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in COLOURS.values())
    palette += b'\0' * (4 * 256 - len(palette))
    pixels = b''.join(bytes(rows[y]) for y in reversed(range(16)))
    info = struct.pack('<IiiHHIIiiII', 40, 128, 16, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    with open(os.path.join(OUT, 'toolbar.bmp'), 'wb') as f:
        f.write(header + info + palette + pixels)


def icon_pixel(u, v):
    """Colour (r, g, b, a) of the icon at (u, v) in 0..1: a green board with
    a milled copper track and two drill holes."""
    if not (0.06 <= u <= 0.94 and 0.06 <= v <= 0.94):
        return (0, 0, 0, 0)
    if u < 0.11 or u > 0.89 or v < 0.11 or v > 0.89:
        return (20, 60, 30, 255)  # board edge
    for cx, cy in ((0.28, 0.72), (0.72, 0.28)):
        d = math.hypot(u - cx, v - cy)
        if d < 0.08:
            return (30, 30, 30, 255)  # drill hole
        if d < 0.14:
            return (236, 180, 90, 255)  # copper pad
    # track from pad to pad: distance from the diagonal u + v = 1
    if abs(u + v - 1.0) / math.sqrt(2) < 0.05 and 0.28 <= u <= 0.72:
        return (236, 180, 90, 255)
    return (46, 140, 70, 255)


def icon_image(size):
    rows = []
    mask_rows = []
    for y in reversed(range(size)):
        row = b''
        bits = 0
        mask = bytearray((size + 31) // 32 * 4)
        for x in range(size):
            # average 4 x 4 samples per pixel for smooth edges
            acc = [0, 0, 0, 0]
            for sy in range(4):
                for sx in range(4):
                    p = icon_pixel((x + (sx + 0.5) / 4) / size, (y + (sy + 0.5) / 4) / size)
                    for i in range(4):
                        acc[i] += p[i]
            r, g, b, a = (c // 16 for c in acc)
            row += struct.pack('<BBBB', b, g, r, a)
            if a == 0:
                mask[x // 8] |= 0x80 >> (x % 8)
        rows.append(row)
        mask_rows.append(bytes(mask))
    data = b''.join(rows) + b''.join(mask_rows)
    info = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(data), 0, 0, 0, 0)
    return info + data


def icon():
    sizes = (16, 32, 48)
    images = [icon_image(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    with open(os.path.join(OUT, 'kivo.ico'), 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    toolbar()
    icon()
