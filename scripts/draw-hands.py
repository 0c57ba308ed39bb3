#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The nuperako developers
# SPDX-License-Identifier: MIT
"""Draws the three hand pictures and the window icon as XPM files in resources/,
and the icon for the desktop menu as PNG files in resources/icons/ at 32, 64,
128 and 256 pixels (the 32-pixel drawing, each pixel enlarged to a block).

Each picture is built from simple parts (capsules, ellipses, rounded boxes) painted
in order: a part is filled pale yellow and its border drawn black, so a later part
lies on top of an earlier one with a line between them. Three colours only.
Run it again after changing a part; the XPM files are what the build uses.
"""
import math
import pathlib

from PIL import Image

WIDTH, HEIGHT = 32, 33
WHITE, BLACK, YELLOW = ".", "#", "o"


def capsule(x1, y1, x2, y2, r):
    def inside(x, y):
        dx, dy = x2 - x1, y2 - y1
        t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - (x1 + t * dx), y - (y1 + t * dy)) <= r
    return inside


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def box(x1, y1, x2, y2, r=0.0):
    def inside(x, y):
        qx = max(x1 + r - x, 0.0, x - (x2 - r))
        qy = max(y1 + r - y, 0.0, y - (y2 - r))
        return math.hypot(qx, qy) <= r if r else x1 <= x <= x2 and y1 <= y <= y2
    return inside


def union(*parts):
    return lambda x, y: any(p(x, y) for p in parts)


def paint(parts, height=HEIGHT):
    grid = [[WHITE] * WIDTH for _ in range(height)]
    for part in parts:
        mask = [[part(x + 0.5, y + 0.5) for x in range(WIDTH)] for y in range(height)]
        for y in range(height):
            for x in range(WIDTH):
                if not mask[y][x]:
                    continue
                edge = any(
                    not (0 <= x + dx < WIDTH and 0 <= y + dy < height and mask[y + dy][x + dx])
                    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))
                )
                grid[y][x] = BLACK if edge else YELLOW
    return ["".join(row) for row in grid]


def rock():
    return paint([
        box(10, 25, 23, 34),                                   # wrist
        box(4, 9, 28, 28, 4),                                  # back of the hand
        *[ellipse(7.5 + 5.5 * i, 10.5, 3.6, 5.0) for i in range(4)],   # knuckles
        *[box(5 + 5.5 * i, 12, 10.5 + 5.5 * i, 20, 2) for i in range(4)],  # curled fingers
        capsule(6, 21, 19, 19.5, 3.2),                         # thumb across the fingers
    ])


def scissors(height=HEIGHT, lift=0.0):
    def y(v):
        return v - lift
    return paint([
        box(10, y(26), 23, y(34)),                             # wrist
        capsule(11, y(20), 6.5, y(4), 3.0),                    # index finger
        capsule(17, y(20), 20.5, y(3.5), 3.0),                 # middle finger
        box(6, y(15), 27, y(29), 4),                           # palm
        ellipse(20.5, y(17.5), 3.2, 4.2),                      # ring finger, folded
        ellipse(25, y(18.5), 2.8, 3.8),                        # little finger, folded
        capsule(8, y(23), 18.5, y(20.5), 3.0),                 # thumb
    ], height)


def paper():
    fingers = [
        capsule(12, 20, 4.5, 9.0, 2.3),                        # index
        capsule(15, 18, 13.0, 3.0, 2.4),                       # middle
        capsule(19, 18, 21.5, 4.0, 2.3),                       # ring
        capsule(22, 21, 28.0, 10.0, 2.0),                      # little finger
    ]
    return paint([
        box(11, 26, 21, 34),                                   # wrist
        union(*fingers, ellipse(16.5, 21, 7.5, 7.0), capsule(11, 24, 3.0, 18.5, 2.4)),  # palm with thumb
    ])


def xpm(name, rows):
    lines = [f'"{len(rows[0])} {len(rows)} 3 1",',
             f'"{WHITE} c #FFFFFF",', f'"{BLACK} c #000000",', f'"{YELLOW} c #FFFF80",']
    lines += [f'"{row}",' for row in rows]
    lines[-1] = lines[-1].rstrip(",")
    return "/* XPM */\nstatic const char *" + name + "[] = {\n" + "\n".join(lines) + "\n};\n"


RGB = {WHITE: (255, 255, 255), BLACK: (0, 0, 0), YELLOW: (255, 255, 128)}


def png(rows, size):
    """The rows as a PNG picture of size x size pixels, each pixel enlarged to a block."""
    picture = Image.new("RGB", (len(rows[0]), len(rows)))
    picture.putdata([RGB[c] for row in rows for c in row])
    return picture.resize((size, size), Image.NEAREST)


if __name__ == "__main__":
    out = pathlib.Path(__file__).resolve().parent.parent / "resources"
    pictures = {"guu": rock(), "pii": scissors(), "paa": paper(), "icon": scissors(32, 1.0)}
    for name, rows in pictures.items():
        (out / f"{name}.xpm").write_text(xpm(name, rows))
        print(name)
        print("\n".join(rows))
    (out / "icons").mkdir(exist_ok=True)
    for size in (32, 64, 128, 256):
        png(pictures["icon"], size).save(out / "icons" / f"nuperako-{size}.png", optimize=True)
