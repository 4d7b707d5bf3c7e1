#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files next to this script.

icoMain holds a 16 x 16 and a 32 x 32 image with a 256-colour palette; sicoDown, the field
dialog's button, one 16 x 16 image in two colours, black and the arrow's blue. Palette entry 0
shows where the mask leaves the background, so it is black. Shapes are given in a 0..1 square so
one drawing serves every size.
Run it again after changing a drawing and commit the .ico files it writes.
"""
import os
import struct

TRANSPARENT, WHITE, PAPER_EDGE, FOLD, CAPTION, VALUE, DIVIDER, LENS, HANDLE, ARROW, ARROW_EDGE = range(11)
COLOURS = {
    TRANSPARENT: (0, 0, 0),
    WHITE: (255, 255, 255),
    PAPER_EDGE: (96, 96, 112),
    FOLD: (200, 208, 212),
    CAPTION: (32, 64, 160),
    VALUE: (0, 140, 90),
    DIVIDER: (255, 127, 0),
    LENS: (120, 200, 255),
    HANDLE: (80, 48, 16),
    ARROW: (40, 120, 220),
    ARROW_EDGE: (16, 48, 112),
}


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[TRANSPARENT] * size for _ in range(size)]

    def _span(self, low, high):
        return range(max(0, round(low * self.size)), min(self.size, round(high * self.size)))

    def rect(self, left, top, right, bottom, colour):
        for y in self._span(top, bottom):
            for x in self._span(left, right):
                self.pixels[y][x] = colour

    def frame(self, left, top, right, bottom, colour):
        one = 1 / self.size
        self.rect(left, top, right, top + one, colour)
        self.rect(left, bottom - one, right, bottom, colour)
        self.rect(left, top, left + one, bottom, colour)
        self.rect(right - one, top, right, bottom, colour)

    def disc(self, cx, cy, radius, colour, inner=0.0):
        for y in range(self.size):
            for x in range(self.size):
                dx = (x + 0.5) / self.size - cx
                dy = (y + 0.5) / self.size - cy
                if inner * inner <= dx * dx + dy * dy <= radius * radius:
                    self.pixels[y][x] = colour

    def polygon(self, points, colour):
        """Fills the pixels whose centres lie inside the polygon (even-odd rule)."""
        for y in range(self.size):
            py = (y + 0.5) / self.size
            for x in range(self.size):
                px = (x + 0.5) / self.size
                inside = False
                for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
                    if (y1 > py) != (y2 > py) and px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
                        inside = not inside
                if inside:
                    self.pixels[y][x] = colour


def draw_main(size):
    """A file sheet with caption and value rows and a magnifying glass over it."""
    c = Canvas(size)
    c.rect(0.12, 0.03, 0.80, 0.97, WHITE)
    c.frame(0.12, 0.03, 0.80, 0.97, PAPER_EDGE)
    c.rect(0.62, 0.03, 0.80, 0.22, FOLD)
    rows = [0.28, 0.42, 0.56] if size >= 32 else [0.31, 0.5]
    for top in rows:
        c.rect(0.20, top, 0.40, top + 0.07, CAPTION)
        c.rect(0.45, top, 0.72, top + 0.07, VALUE)
    c.rect(0.20, 0.70, 0.72, 0.70 + 1 / size, DIVIDER)
    c.polygon([(0.66, 0.74), (0.74, 0.66), (0.99, 0.91), (0.91, 0.99)], HANDLE)
    c.disc(0.58, 0.58, 0.20, LENS)
    c.disc(0.58, 0.58, 0.22, PAPER_EDGE, inner=0.15)
    return c


def draw_down(size):
    """An arrow pointing down."""
    c = Canvas(size)
    outline = [(0.34, 0.06), (0.66, 0.06), (0.66, 0.50), (0.90, 0.50), (0.50, 0.94), (0.10, 0.50), (0.34, 0.50)]
    c.polygon(outline, ARROW_EDGE)
    inset = 1.2 / size
    inner = [(0.34 + inset, 0.06 + inset), (0.66 - inset, 0.06 + inset), (0.66 - inset, 0.50 + inset),
             (0.90 - 2.4 * inset, 0.50 + inset), (0.50, 0.94 - 2 * inset), (0.10 + 2.4 * inset, 0.50 + inset),
             (0.34 + inset, 0.50 + inset)]
    c.polygon(inner, ARROW)
    return c


def palette(entries):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in entries)


def rows_bottom_up(canvas, row_bytes):
    out = b""
    for row in reversed(canvas.pixels):
        data = row_bytes(row)
        out += data + b"\0" * (-len(data) % 4)
    return out


def packed(indexes, bits):
    value = 0
    for index in indexes:
        value = value << bits | index
    return value.to_bytes(len(indexes) * bits // 8, "big")


def image_bytes(canvas, bits):
    """BITMAPINFOHEADER (height doubled for the mask), palette, colour indexes, 1-bit AND mask.

    With 8 bits the palette is COLOURS; with 1 bit it is black and the arrow's colour."""
    size = canvas.size
    if bits == 8:
        entries = [COLOURS.get(i, (0, 0, 0)) for i in range(256)]
        index = lambda p: 0 if p == TRANSPARENT else p
    else:
        entries = [(0, 0, 0), COLOURS[ARROW]]
        index = lambda p: 1 if p == ARROW else 0
    colours = rows_bottom_up(canvas, lambda row: packed([index(p) for p in row], bits))
    mask = rows_bottom_up(canvas, lambda row: packed([int(p == TRANSPARENT) for p in row], 1))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(colours) + len(mask), 0, 0,
                         len(entries), 0)
    return header + palette(entries) + colours + mask


def write_icon(path, canvases, bits):
    images = [image_bytes(c, bits) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    colour_count = 2 if bits == 1 else 0  # 0 stands for 256 and more
    for canvas, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", canvas.size % 256, canvas.size % 256, colour_count, 0, 1, bits, len(data),
                           offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_icon(os.path.join(here, "icoMain.ico"), [draw_main(16), draw_main(32)], 8)
    write_icon(os.path.join(here, "sicoDown.ico"), [draw_down(16)], 1)


if __name__ == "__main__":
    main()
