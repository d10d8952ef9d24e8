#!/usr/bin/env python3
"""Draws the set-up program's artwork: the banner (res/banner.bmp) and the
class icon (res/setup.ico).

Standard library only and fully deterministic, so the committed files can be
rebuilt byte for byte:

    python3 res/art/draw.py

The banner is a dawn sky over low hills, the sun rising on the right, a
lark climbing above it and the word Brightlark. Shapes are rendered with 4 x 4 supersampling, then reduced
to 256 colours by median cut. The icon is the lark against the sun, drawn in
the 16 standard Windows colours.
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.dirname(HERE)

BANNER_W, BANNER_H = 189, 67
SUPER = 4  # samples per pixel along each axis

# LoadImage with LR_LOADMAP3DCOLORS swaps these greys for the user's 3-D
# colours, so the banner's palette must not hold them.
MAPPED_GREYS = {(128, 128, 128), (192, 192, 192), (223, 223, 223)}


# ---------------------------------------------------------------- geometry

def arc(cx, cy, rx, ry, a0, a1, steps=24):
    """Points along an elliptical arc, angles in degrees, y upwards."""
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / steps)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / steps)))
            for i in range(steps + 1)]


def bezier(p0, p1, p2, p3, steps=12):
    """Points along a cubic Bezier curve."""
    out = []
    for i in range(steps + 1):
        t = i / steps
        u = 1 - t
        out.append(tuple(u * u * u * p0[k] + 3 * u * u * t * p1[k] + 3 * u * t * t * p2[k] + t * t * t * p3[k]
                         for k in range(2)))
    return out


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    ex, ey = ax + t * dx - px, ay + t * dy - py
    return math.sqrt(ex * ex + ey * ey)


def inside_polygon(px, py, points):
    inside = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


class Shape:
    """A filled shape tested point by point: polygons, discs, strokes."""

    def __init__(self):
        self.polygons, self.discs, self.strokes = [], [], []

    def polygon(self, points):
        self.polygons.append(points)

    def disc(self, x, y, r):
        self.discs.append((x, y, r))

    def stroke(self, points, r):
        for (ax, ay), (bx, by) in zip(points, points[1:]):
            self.strokes.append((ax, ay, bx, by, r))

    def bounds(self):
        xs, ys = [], []
        for points in self.polygons:
            xs += [p[0] for p in points]
            ys += [p[1] for p in points]
        for x, y, r in self.discs:
            xs += [x - r, x + r]
            ys += [y - r, y + r]
        for ax, ay, bx, by, r in self.strokes:
            xs += [ax - r, ax + r, bx - r, bx + r]
            ys += [ay - r, ay + r, by - r, by + r]
        return min(xs), min(ys), max(xs), max(ys)

    def coverage(self, width, height, super_=SUPER):
        """Fraction of each pixel covered, as a dict {(x, y): 0..1}."""
        # Each part with its bounding box, so that a pixel tests only the
        # parts that can reach it.
        parts = []
        for cx, cy, r in self.discs:
            parts.append(((cx - r, cy - r, cx + r, cy + r),
                          lambda x, y, cx=cx, cy=cy, r=r: (x - cx) ** 2 + (y - cy) ** 2 <= r * r))
        for ax, ay, bx, by, r in self.strokes:
            parts.append(((min(ax, bx) - r, min(ay, by) - r, max(ax, bx) + r, max(ay, by) + r),
                          lambda x, y, s=(ax, ay, bx, by, r): segment_distance(x, y, *s[:4]) <= s[4]))
        for points in self.polygons:
            parts.append(((min(p[0] for p in points), min(p[1] for p in points),
                           max(p[0] for p in points), max(p[1] for p in points)),
                          lambda x, y, points=points: inside_polygon(x, y, points)))
        x0, y0, x1, y1 = self.bounds()
        result = {}
        step = 1.0 / super_
        for y in range(max(0, int(y0) - 1), min(height, int(y1) + 2)):
            for x in range(max(0, int(x0) - 1), min(width, int(x1) + 2)):
                near = [test for (bx0, by0, bx1, by1), test in parts
                        if bx0 <= x + 1 and bx1 >= x and by0 <= y + 1 and by1 >= y]
                if not near:
                    continue
                hits = sum(any(test(x + (i + 0.5) * step, y + (j + 0.5) * step) for test in near)
                           for j in range(super_) for i in range(super_))
                if hits:
                    result[(x, y)] = hits / (super_ * super_)
        return result


def transform(points, scale, angle, dx, dy):
    """Scales, rotates (degrees, counter-clockwise) and moves points given
    with y upwards into image coordinates (y downwards)."""
    c, s = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    out = []
    for x, y in points:
        x, y = x * scale, y * scale
        x, y = x * c - y * s, x * s + y * c
        out.append((dx + x, dy - y))
    return out


# ------------------------------------------------------------------ lark

# A skylark in flight, facing right: crested head, one wing raised, the
# other stroking down, a notched tail. Units are about a pixel, y upwards.
LARK_POLYGONS = [
    # body
    arc(0, 0, 7.4, 2.5, 0, 360, 32),
    # head with a short crest
    arc(7.6, 1.3, 2.3, 2.2, 0, 360, 24),
    [(6.4, 2.6), (5.2, 4.4), (8.0, 3.2)],
    # beak
    [(9.4, 2.1), (11.8, 1.2), (9.4, 0.4)],
    # tail, notched
    [(-5.5, 1.0), (-12.6, 0.4), (-11.2, -0.9), (-12.4, -2.4), (-5.5, -1.3)],
    # raised wing: a curved leading edge and two spread primaries
    bezier((3.0, 1.4), (2.6, 7.0), (-1.0, 12.2), (-6.2, 15.6))
    + [(-5.8, 13.0), (-7.8, 13.2), (-6.8, 10.8), (-8.6, 10.6)]
    + bezier((-6.8, 8.4), (-6.0, 5.2), (-5.0, 2.6), (-3.8, 0.8)),
    # lowered wing, mostly behind the body
    [(2.2, -1.0), (0.4, -4.6), (-2.6, -8.2), (-2.8, -4.8), (-4.2, -1.2)],
]


def lark_shape(scale, angle, x, y):
    shape = Shape()
    for points in LARK_POLYGONS:
        shape.polygon(transform(points, scale, angle, x, y))
    return shape


# ------------------------------------------------------------------ word

XH = 1.0     # x-height
ASC = 1.42   # ascender and capital height
MID = 0.80   # height of the B's middle bar


def glyph(letter):
    """Centre lines of one letter (list of polylines, list of dots) in units
    of the x-height, y upwards, baseline at 0."""
    if letter == 'B':
        upper = (ASC - MID) / 2
        lower = MID / 2
        return [[(0, 0), (0, ASC)],
                [(0, ASC), (0.40, ASC)] + arc(0.40, ASC - upper, upper, upper, 90, -90)
                + [(0.40, MID), (0, MID), (0.46, MID)]
                + arc(0.46, lower, lower, lower, 90, -90) + [(0.46, 0), (0, 0)]], []
    if letter == 'r':
        return [[(0, 0), (0, XH)], arc(0.46, 0.52, 0.46, 0.48, 180, 62)], []
    if letter == 'i':
        return [[(0, 0), (0, XH)]], [(0, 1.36, 0.16)]
    if letter == 'g':
        return [arc(0.45, 0.5, 0.45, 0.5, 0, 360, 40),
                [(0.90, XH), (0.90, -0.12)] + arc(0.45, -0.12, 0.45, 0.34, 0, -150)], []
    if letter == 'h':
        return [[(0, 0), (0, ASC)],
                arc(0.43, 0.55, 0.43, 0.45, 180, 0) + [(0.86, 0)]], []
    if letter == 't':
        return [[(0.18, 1.30), (0.18, 0.26)] + arc(0.44, 0.26, 0.26, 0.26, 180, 270, 10)
                + [(0.54, 0)], [(0, XH), (0.52, XH)]], []
    if letter == 'l':
        return [[(0, 0), (0, ASC)]], []
    if letter == 'a':
        return [arc(0.45, 0.5, 0.45, 0.5, 0, 360, 40), [(0.90, XH), (0.90, 0)]], []
    if letter == 'k':
        return [[(0, 0), (0, ASC)], [(0.70, XH), (0.02, 0.40)], [(0.26, 0.62), (0.74, 0)]], []
    raise ValueError(letter)


def word_shape(text, x, baseline, size, weight=0.13, gap=0.24):
    """The word as strokes: `size` pixels to the x-height, stroke radius
    `weight` and letter gap `gap` in x-heights."""
    shape = Shape()
    pen = 0.0
    for letter in text:
        lines, dots = glyph(letter)
        xs = [p[0] for line in lines for p in line] + [d[0] for d in dots]
        left = min(xs)
        for line in lines:
            shape.stroke([(x + (pen + px - left) * size, baseline - py * size) for px, py in line],
                         weight * size)
        for dx, dy, r in dots:
            shape.disc(x + (pen + dx - left) * size, baseline - dy * size, r * size)
        pen += max(xs) - left + 2 * weight + gap
    return shape


# ---------------------------------------------------------------- colour

def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def gradient(stops, t):
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0))
    return stops[-1][1]


def median_cut(histogram, count):
    """Reduces {colour: pixels} to at most `count` colours; deterministic."""
    boxes = [sorted(histogram.items())]
    while len(boxes) < count:
        # Split the box with the widest channel range, weighted by pixels.
        best, best_score, best_channel = None, -1, 0
        for index, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for channel in range(3):
                values = [c[channel] for c, _ in box]
                score = (max(values) - min(values)) * math.sqrt(sum(n for _, n in box))
                if score > best_score:
                    best, best_score, best_channel = index, score, channel
        if best is None:
            break
        box = sorted(boxes[best], key=lambda item: (item[0][best_channel], item[0]))
        total = sum(n for _, n in box)
        running, cut = 0, 1
        for i, (_, n) in enumerate(box):
            running += n
            if running * 2 >= total:
                cut = min(max(i + 1, 1), len(box) - 1)
                break
        boxes[best:best + 1] = [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(int(round(sum(c[k] * n for c, n in box) / total)) for k in range(3)))
    return palette


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: (sum((palette[i][k] - colour[k]) ** 2 for k in range(3)), i))


# ---------------------------------------------------------------- banner

def draw_banner():
    w, h = BANNER_W, BANNER_H
    sky = [(0.00, (22, 46, 112)), (0.45, (70, 112, 184)), (0.78, (214, 170, 170)),
           (0.92, (250, 204, 146)), (1.00, (255, 226, 172))]
    sun_x, sun_y, sun_r = 156.0, 61.0, 9.5
    image = [[None] * w for _ in range(h)]
    for y in range(h):
        base = gradient(sky, y / (h - 1))
        for x in range(w):
            d = math.hypot(x + 0.5 - sun_x, (y + 0.5 - sun_y) * 1.25)
            glow = max(0.0, 1.0 - d / 70.0) ** 2.2 * 0.85
            image[y][x] = mix(base, (255, 236, 196), glow)

    def paint(coverage, colour, strength=1.0):
        for (x, y), a in coverage.items():
            image[y][x] = mix(image[y][x], colour, a * strength)

    sun = Shape()
    sun.disc(sun_x, sun_y, sun_r)
    paint(sun.coverage(w, h), (255, 248, 226))

    # Two ranges of low hills along the bottom edge.
    for colour, level, amplitude, period, phase in (
            ((150, 128, 160), 58.5, 2.6, 47.0, 0.6),
            ((84, 78, 120), 62.5, 2.2, 31.0, 2.1)):
        def ridge(x):
            return (level - amplitude * math.sin(x / period * 2 * math.pi + phase)
                    - 0.8 * amplitude * math.sin(x / period * 5.1 + phase * 1.7))
        coverage = {}
        for y in range(int(level - 2 * amplitude) - 1, h):
            for x in range(w):
                hits = sum(y + (j + 0.5) / SUPER > ridge(x + (i + 0.5) / SUPER)
                           for j in range(SUPER) for i in range(SUPER))
                if hits:
                    coverage[(x, y)] = hits / SUPER ** 2
        paint(coverage, colour)

    lark = lark_shape(1.0, 14, 160.0, 22.0)
    paint(lark.coverage(w, h), (26, 28, 54))

    # The word, white with a soft shadow below and to the right.
    word = word_shape("Brightlark", 14.0, 43.0, 11.0)
    shadow = word_shape("Brightlark", 15.0, 44.2, 11.0)
    paint(shadow.coverage(w, h), (12, 24, 60), 0.45)
    paint(word.coverage(w, h), (255, 255, 255))

    # Rounded corners in white, the colour of the panel behind the picture:
    # the picture control fills its margin with the top-left pixel.
    radius = 6.0
    corner = int(math.ceil(radius))
    for y in list(range(corner)) + list(range(h - corner, h)):
        for x in list(range(corner)) + list(range(w - corner, w)):
            cx = min(max(x + 0.5, radius), w - radius)
            cy = min(max(y + 0.5, radius), h - radius)
            outside = sum(math.hypot(x + (i + 0.5) / SUPER - cx, y + (j + 0.5) / SUPER - cy) > radius
                          for j in range(SUPER) for i in range(SUPER))
            image[y][x] = mix(image[y][x], (255, 255, 255), outside / SUPER ** 2)

    pixels = [[tuple(int(round(c)) for c in image[y][x]) for x in range(w)] for y in range(h)]
    histogram = {}
    for row in pixels:
        for colour in row:
            histogram[colour] = histogram.get(colour, 0) + 1
    palette = median_cut(histogram, 256) if len(histogram) > 256 else sorted(histogram)
    palette = [tuple(c[:2]) + (c[2] + 1,) if tuple(c) in MAPPED_GREYS else tuple(c) for c in palette]
    palette.sort(key=lambda c: (0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2], c))
    lookup = {colour: nearest(palette, colour) for colour in histogram}
    indices = [[lookup[colour] for colour in row] for row in pixels]
    palette += [(0, 0, 0)] * (256 - len(palette))
    return palette, indices


def rle8_row(row):
    """One row in BI_RLE8: runs of a repeated index as (count, index);
    stretches without repeats in absolute mode (0, count, indices, padding
    to a 16-bit boundary); then the end-of-line mark."""
    out = bytearray()
    i, n = 0, len(row)
    while i < n:
        run = 1
        while i + run < n and run < 255 and row[i + run] == row[i]:
            run += 1
        if run >= 2:
            out += bytes((run, row[i]))
            i += run
            continue
        # Gather indices up to the next repeat.
        j = i
        while j < n and j - i < 255 and not (j + 1 < n and row[j + 1] == row[j]):
            j += 1
        count = j - i
        if count >= 3:
            out += bytes((0, count)) + bytes(row[i:j]) + bytes(count & 1)
        else:
            for k in range(i, j):
                out += bytes((1, row[k]))
        i = j
    return bytes(out) + b"\x00\x00"


def bmp_bytes(width, height, palette, indices):
    """An 8-bit bottom-up BMP with a full 256-entry colour table, its bits
    run-length encoded (BI_RLE8): the banner's sky and hills are long runs,
    and the set-up program carries the picture inside itself."""
    bits = b"".join(rle8_row(indices[y]) for y in reversed(range(height)))[:-2] + b"\x00\x01"
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(bits), 0, 0, 0, 0)
    offset = 14 + len(info) + len(colours)
    head = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return head + info + colours + bits


# ------------------------------------------------------------------ icon

# The 16 standard Windows colours, in their usual order.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
# Pixel art in those colours: '.' shows the desktop through the AND mask,
# 'o' olive rim, 'Y' yellow sun, 'N' the navy lark.
ICON_COLOURS = {'o': 3, 'Y': 11, 'N': 4}

ICON_16 = """
................
....oooooooo....
...oNYYYYYYoo...
..ooNNYYYYYYoo..
.ooYNNNYYYYYYoo.
.oYYYNNNYYYNYYo.
.oYYYNNNNYNNNYo.
.oYYYYNNNNNNNNo.
.oYYYNNNNNNNNYo.
.oYNNNNNNNNYYYo.
.oNNNYNNNYYYYYo.
.ooYYYYNYYYYYoo.
..ooYYYYYYYYoo..
...ooYYYYYYoo...
....oooooooo....
................
"""

ICON_32 = """
................................
...........oooooooooo...........
.........ooYYYYYYYYYYoo.........
.......ooYYYYYYYYYYYYYYoo.......
......ooYYYYYYYYYYYYYYYYoo......
.....oYYYYYYYYYYYYYYYYYYYYo.....
....oYYYYNYYYYYYYYYYYYYYYYYo....
...ooYYYYNNYYYYYYYYYYYYYYYYoo...
...oYYYYNNNNYYYYYYYYYYYYYYYYo...
..oYYYYYYNNNNYYYYYYYYYYYYYYYYo..
..oYYYYYNNNNNNYYYYYYYYYYYYYYYo..
.oYYYYYYYYNNNNNYYYYYYYYYYYYYYoo.
.oYYYYYYYNNNNNNNYYYYNYYYYYYYYoo.
.oYYYYYYYYYNNNNNNYYYNNNYYYYYYYo.
.oYYYYYYYYYYNNNNNNYYNNNNYYYYYYo.
.oYYYYYYYYYYYNNNNNNYNNNNNYYYYYo.
.oYYYYYYYYYYYNNNNNNNNNNNNNNYYoo.
.oYYYYYYYYYYNNNNNNNNNNNNNYYYYoo.
.oYYYYYYYYYNNNNNNNNNNNNYYYYYYoo.
.oYYYYYYYNNNNNNNNNNNNNYYYYYYYoo.
.oYYYYYNNNNNNNNNNNNNYYYYYYYYooo.
..oYYNNNNNYYYNNNNNNYYYYYYYYYoo..
..oYNNNYNNYYYYNNNNYYYYYYYYYooo..
...oYYYYYYYYYYYNNYYYYYYYYYYoo...
...ooYYYYYYYYYYNNYYYYYYYYYooo...
....oYYYYYYYYYYNYYYYYYYYYooo....
.....oYYYYYYYYYYYYYYYYYYooo.....
......ooYYYYYYYYYYYYYYoooo......
.......ooYYYYYYYYYYYooooo.......
.........ooooYYYooooooo.........
...........oooooooooo...........
................................
"""


def icon_rows(art):
    """Rows of colour indices, None where the icon is transparent."""
    return [[ICON_COLOURS.get(ch) for ch in line] for line in art.split()]


def icon_image(size, rows):
    """One icon image: BITMAPINFOHEADER (height doubled for the mask), the
    16-colour table, the 4-bit colour bits and the 1-bit AND mask, both
    bottom-up."""
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor_bits, and_bits = b"", b""
    for row in reversed(rows):
        line = bytearray(xor_stride)
        mask = bytearray(and_stride)
        for x, index in enumerate(row):
            if index is None:
                mask[x // 8] |= 0x80 >> (x % 8)
            else:
                line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        xor_bits += bytes(line)
        and_bits += bytes(mask)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                       len(xor_bits) + len(and_bits), 0, 0, 0, 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in VGA)
    return info + colours + xor_bits + and_bits


def ico_bytes(images):
    """An .ico file with the images in the given order."""
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = len(head) + 16 * len(images)
    entries, data = b"", b""
    for size, image in images:
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset + len(data))
        data += image
    return head + entries + data


def main():
    palette, indices = draw_banner()
    with open(os.path.join(RES, "banner.bmp"), "wb") as f:
        f.write(bmp_bytes(BANNER_W, BANNER_H, palette, indices))
    # 16 x 16 first: the icon group's entries become icon resources 1 and 2
    # in file order.
    images = [(16, icon_image(16, icon_rows(ICON_16))), (32, icon_image(32, icon_rows(ICON_32)))]
    with open(os.path.join(RES, "setup.ico"), "wb") as f:
        f.write(ico_bytes(images))


if __name__ == "__main__":
    main()
