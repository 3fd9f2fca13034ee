#!/usr/bin/env python3
"""Draws the designer's icon - a small panel bar, one panel open - and writes app/Orvella.ico.

Eight 32-bit images (16 to 128 pixels square) with alpha, each drawn afresh at its size with
4 x 4 samples a pixel. Standard library only; run it again after changing the picture.
"""
import os
import struct

SIZES = (16, 24, 32, 48, 64, 72, 96, 128)
SAMPLES = 4

LAVENDER = (235, 226, 241)
SKY = (203, 234, 250)
MAUVE = (218, 199, 226)
PURPLE = (163, 115, 183)
DEEP = (112, 70, 140)
WHITE = (255, 255, 255)


def rounded(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def vertical(top, bottom, y0, y1):
    def colour(_x, y):
        t = min(max((y - y0) / (y1 - y0), 0.0), 1.0)
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))
    return colour


def solid(rgb):
    return lambda _x, _y: rgb


def layers():
    """Shapes in unit coordinates, painted in order: (inside test, colour)."""
    out = [
        (rounded(0.02, 0.02, 0.98, 0.98, 0.18), solid(DEEP)),
        (rounded(0.06, 0.06, 0.94, 0.94, 0.15), vertical(SKY, MAUVE, 0.06, 0.94)),
        (rounded(0.23, 0.52, 0.77, 0.74, 0.03), solid(WHITE)),
    ]
    for top in (0.14, 0.34, 0.76):  # three title strips; the middle one is open
        bottom = top + 0.16
        out.append((rounded(0.14, top, 0.86, bottom, 0.06), solid(PURPLE)))
        mid = (top + bottom) / 2
        out.append((disc(0.25, mid, 0.045), solid(LAVENDER)))
        out.append((rounded(0.36, mid - 0.025, 0.74, mid + 0.025, 0.02), solid(WHITE)))
    for y in (0.57, 0.63, 0.69):  # the open panel's lines of text
        out.append((rounded(0.30, y - 0.015, 0.66 if y > 0.6 else 0.70, y + 0.015, 0.01),
                    solid(MAUVE)))
    return out


def render(size):
    shapes = layers()
    pixels = []
    for row in range(size):
        for col in range(size):
            r = g = b = a = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (col + (sx + 0.5) / SAMPLES) / size
                    y = (row + (sy + 0.5) / SAMPLES) / size
                    colour = None
                    for inside, paint in shapes:
                        if inside(x, y):
                            colour = paint(x, y)
                    if colour:
                        r += colour[0]
                        g += colour[1]
                        b += colour[2]
                        a += 1
            n = SAMPLES * SAMPLES
            if a:
                pixels.append((r / a, g / a, b / a, a / n))
            else:
                pixels.append((0, 0, 0, 0))
    return pixels


def dib(size, pixels):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for row in reversed(range(size)):  # bottom-up
        line = bytearray()
        for col in range(size):
            r, g, b, a = pixels[row * size + col]
            line += bytes((round(b), round(g), round(r), round(a * 255)))
        rows.append(bytes(line))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytes(mask_stride * size)  # alpha decides; the mask keeps every pixel
    return header + b"".join(rows) + mask


def main():
    images = [dib(size, render(size)) for size in SIZES]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, image in zip(SIZES, images):
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image),
                                 offset)
        offset += len(image)
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app", "Orvella.ico")
    with open(target, "wb") as out:
        out.write(directory + b"".join(images))


if __name__ == "__main__":
    main()
