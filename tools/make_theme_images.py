#!/usr/bin/env python3
"""Draws the shipped themes: six GIFs and thm.js per theme, plus the preview's sample icon.

    tools/make_theme_images.py [RUNTIME_FOLDER]

Writes into RUNTIME_FOLDER (default: runtime/ beside this folder) Themes/<name>/ and
Preview/ico.gif. Standard library only; the output is deterministic, so the committed files
can be compared with a fresh run.
"""
import os
import struct
import sys

TITLE_HEIGHT = 24
BUTTON = 16
SUPER = 4  # subsamples per pixel side for anti-aliased edges

# One row per theme: every colour the images and thm.js use.
THEMES = {
    "Plain": dict(bar_top="#ffffff", bar_bottom="#e2e2e2", bar_edge="#b4b4b4",
                  title="#222222", knob="#ffffff", knob_edge="#9a9a9a", arrow="#444444",
                  body="#ffffff", body_top="#f1f1f1", text="#222222", link="#1a56c4",
                  border="#c6c6c6", focus="#1a73e8"),
    "Blue": dict(bar_top="#6b9de0", bar_bottom="#2c5fae", bar_edge="#21498a",
                 title="#ffffff", knob="#f4f8ff", knob_edge="#1d4584", arrow="#2c5fae",
                 body="#f3f7fd", body_top="#dde8f8", text="#1b2a3d", link="#1f55ad",
                 border="#9bb6df", focus="#ffb830"),
    "Dark": dict(bar_top="#51555e", bar_bottom="#2a2c32", bar_edge="#141518",
                 title="#eeeeee", knob="#60646e", knob_edge="#16171a", arrow="#f2f2f2",
                 body="#24262b", body_top="#30333a", text="#dcdcdc", link="#8ab8ff",
                 border="#141518", focus="#7fb2ff"),
}


def rgb(hex_colour):
    return tuple(int(hex_colour[i:i + 2], 16) for i in (1, 3, 5))


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


# --- GIF writing -------------------------------------------------------------------------

def lzw(indices, min_code_size):
    """GIF's variable-length LZW, as a byte string of packed codes."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out, bits, nbits = bytearray(), 0, 0
    size = min_code_size + 1

    def put(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    table = {(i,): i for i in range(clear)}
    next_code = end + 1
    put(clear)
    word = ()
    for index in indices:
        candidate = word + (index,)
        if candidate in table:
            word = candidate
            continue
        put(table[word])
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:  # table full: start afresh
            put(clear)
            table = {(i,): i for i in range(clear)}
            next_code, size = end + 1, min_code_size + 1
        word = (index,)
    if word:
        put(table[word])
    put(end)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def gif(width, height, pixels):
    """pixels: rows of (r, g, b) or None for transparent."""
    colours = sorted({p for row in pixels for p in row if p is not None})
    step = 1
    while len(colours) > 255:  # coarsen until the palette fits
        step *= 2
        pixels = [[None if p is None else tuple(min(255, c // step * step) for c in p)
                   for p in row] for row in pixels]
        colours = sorted({p for row in pixels for p in row if p is not None})
    transparent = any(p is None for row in pixels for p in row)
    palette = colours + ([(0, 0, 0)] if transparent else [])
    bits = max(1, (len(palette) - 1).bit_length())
    palette += [(0, 0, 0)] * ((1 << bits) - len(palette))
    index_of = {c: i for i, c in enumerate(colours)}
    clear_index = len(colours)
    indices = [clear_index if p is None else index_of[p] for row in pixels for p in row]

    data = bytearray(b"GIF89a")
    data += struct.pack("<HHBBB", width, height, 0x80 | (bits - 1), 0, 0)
    data += bytes(c for colour in palette for c in colour)
    if transparent:
        data += struct.pack("<BBBBHBB", 0x21, 0xF9, 4, 1, 0, clear_index, 0)
    data += struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
    min_code_size = max(2, bits)
    data.append(min_code_size)
    packed = lzw(indices, min_code_size)
    for i in range(0, len(packed), 255):
        chunk = packed[i:i + 255]
        data.append(len(chunk))
        data += chunk
    data += b"\x00\x3B"
    return bytes(data)


# --- Drawing -----------------------------------------------------------------------------

def render(width, height, shade, matte=None):
    """shade(x, y) -> colour or None at a subsample, averaged over SUPER x SUPER per pixel.
    GIF has no alpha: without a matte a pixel is drawn when more than half of it is covered;
    with one, any covered pixel is drawn and its uncovered part blended with the matte."""
    rows = []
    for py in range(height):
        row = []
        for px in range(width):
            hits, acc = 0, [0, 0, 0]
            for sy in range(SUPER):
                for sx in range(SUPER):
                    c = shade(px + (sx + 0.5) / SUPER, py + (sy + 0.5) / SUPER)
                    if c is not None:
                        hits += 1
                    elif matte is not None:
                        c = matte
                    if c is not None:
                        for k in range(3):
                            acc[k] += c[k]
            total = SUPER * SUPER if matte is not None else hits
            if hits == 0 or (matte is None and hits * 2 <= SUPER * SUPER):
                row.append(None)
            else:
                row.append(tuple(round(v / total) for v in acc))
        rows.append(row)
    return rows


def bar_colour(theme, y):
    if y < 1 or y >= TITLE_HEIGHT - 1:
        return rgb(theme["bar_edge"])
    return mix(rgb(theme["bar_top"]), rgb(theme["bar_bottom"]), (y - 1) / (TITLE_HEIGHT - 3))


def bar_end(theme, width, left):
    """A rounded top corner with a one-pixel edge; the bar's gradient inside."""
    radius = 5.0

    def shade(x, y):
        dx = (width - x) if not left else x
        cx, cy = radius, radius
        if dx < radius and y < radius:
            d = ((dx - cx) ** 2 + (y - cy) ** 2) ** 0.5
            if d > radius:
                return None
            if d > radius - 1:
                return rgb(theme["bar_edge"])
        elif dx < 1:
            return rgb(theme["bar_edge"])
        return bar_colour(theme, y)

    return render(width, TITLE_HEIGHT, shade)


def segment_distance(x, y, a, b):
    (ax, ay), (bx, by) = a, b
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)))
    return ((x - ax - t * vx) ** 2 + (y - ay - t * vy) ** 2) ** 0.5


def button(theme, pointing_up):
    """A round knob with a chevron: up collapses, down expands."""
    c = BUTTON / 2
    tip, arms = (c - 2.5, c + 1.5) if pointing_up else (c + 2.5, c - 1.5)
    points = [(c - 3.5, arms), (c, tip), (c + 3.5, arms)]

    def shade(x, y):
        d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
        if d > c - 0.25:
            return None
        if min(segment_distance(x, y, points[0], points[1]),
               segment_distance(x, y, points[1], points[2])) < 1.1:
            return rgb(theme["arrow"])
        if d > c - 1.25:
            return rgb(theme["knob_edge"])
        return rgb(theme["knob"])

    # The knob sits on the middle of the title bar, so its rim is blended with that colour.
    return render(BUTTON, BUTTON, shade, matte=bar_colour(theme, TITLE_HEIGHT // 2))


def panel_background(theme):
    height = 48
    top, body = rgb(theme["body_top"]), rgb(theme["body"])
    return [[mix(top, body, min(1.0, y / (height - 1)))] * 4 for y in range(height)]


def sample_icon():
    """A small folded sheet, the icon of a new panel."""
    size = 12
    paper, edge, fold = (255, 255, 255), (90, 110, 140), (205, 215, 230)

    def shade(x, y):
        if x < 1.5 or x > 10.5 or y < 0.5 or y > 11.5:
            return None
        if x + (0.5 - y) > 7.5:  # the folded corner
            return None
        if x < 2.5 or x > 9.5 or y < 1.5 or y > 10.5 or abs(x - y - 7.0) < 0.7:
            return edge
        if x - y > 6.0 and x > 7.5:
            return fold
        if 3.5 < x < 8.5 and round(y) in (5, 7, 9) and y % 1 < 0.6:
            return (150, 165, 190)
        return paper

    return render(size, size, shade)


THM_JS = """// {name} theme for foldpanes.js: title bar images pcl/pc/pcr.gif, buttons cb.gif
// (collapse) and eb.gif (expand), body background panel.gif, and these colours.
var ZUB_Theme={{
  titleHeight:{height},
  buttonSize:{button},
  titleColor:'{title}',
  titleBackground:'{bar_bottom}',
  bodyColor:'{text}',
  bodyBackground:'{body}',
  linkColor:'{link}',
  borderColor:'{border}',
  focusColor:'{focus}'
}};
"""


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "runtime")
    for name, theme in THEMES.items():
        folder = os.path.join(root, "Themes", name)
        pc = [[bar_colour(theme, y)] * 4 for y in range(TITLE_HEIGHT)]
        images = {
            "cb.gif": button(theme, True),
            "eb.gif": button(theme, False),
            "panel.gif": panel_background(theme),
            "pc.gif": pc,
            "pcl.gif": bar_end(theme, 6, True),
            "pcr.gif": bar_end(theme, 6, False),
        }
        for file, pixels in images.items():
            write(os.path.join(folder, file), gif(len(pixels[0]), len(pixels), pixels))
        text = THM_JS.format(name=name, height=TITLE_HEIGHT, button=BUTTON, **theme)
        write(os.path.join(folder, "thm.js"), text.encode("ascii"))
    icon = sample_icon()
    write(os.path.join(root, "Preview", "ico.gif"), gif(len(icon[0]), len(icon), icon))


if __name__ == "__main__":
    main()
