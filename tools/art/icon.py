"""The program icon: a plump seed sack tied at the neck.

One vector drawing in a 32-unit square serves every size. The 32 x 32 BMP
uses a fixed 16-colour palette plus the colour key and an ordered dither,
so its yellow body reads as a woven sack of yellow and olive; the desktop
PNGs are the same drawing with smooth shading and soft edges."""

import math

from PIL import Image, ImageDraw

from artlib import Pen, downsample, mix, smooth_path

KEY = (255, 0, 255)
SS = 8
PNG_SIZES = (16, 32, 48, 64, 128, 256)

PALE = (255, 246, 150)
YELLOW = (250, 216, 36)
GOLD = (214, 176, 24)
OLIVE = (156, 142, 28)
DARK_OLIVE = (98, 88, 18)
LINE = (52, 42, 8)
RED = (238, 30, 30)
RED_LIGHT = (255, 104, 84)
DARK_RED = (146, 16, 22)
DEEP_RED = (92, 8, 14)
INSIDE = (48, 16, 8)

BMP_PALETTE = [KEY, PALE, YELLOW, GOLD, OLIVE, DARK_OLIVE, LINE,
               RED, RED_LIGHT, DARK_RED, DEEP_RED, INSIDE]

BODY = smooth_path([(13.8, 13.0), (9.6, 15.0), (5.4, 18.8), (3.6, 23.8), (5.0, 28.2),
                    (10.0, 30.6), (16.0, 31.0), (22.0, 30.6), (27.0, 28.2), (28.4, 23.8),
                    (26.6, 18.8), (22.4, 15.0), (18.2, 13.0), (16.0, 12.8)])
# The gathered cloth above the knot, flaring out to a wavy hem.
MOUTH = smooth_path([(14.0, 12.2), (12.2, 10.0), (9.2, 7.6), (8.0, 5.4), (9.6, 3.6),
                     (12.4, 3.2), (14.4, 2.6), (16.4, 3.0), (18.6, 2.6), (21.0, 3.2),
                     (23.2, 3.8), (24.0, 5.6), (22.8, 7.6), (19.8, 10.0), (18.0, 12.2),
                     (16.0, 12.4)])
FOLDS = [[(14.6, 11.6), (12.6, 8.4), (11.0, 7.2)], [(17.4, 11.6), (19.4, 8.4), (21.0, 7.2)],
         [(6.8, 22.0), (8.6, 26.6), (12.0, 29.4)]]


def shading(size, canvas):
    """Light from the upper left: 0 is lit, 1 in shade, as an L image."""
    n = 64
    small = Image.new("L", (n, n))
    px = small.load()
    for y in range(n):
        for x in range(n):
            u, v = x / n * 32, y / n * 32
            d = math.hypot(u - 11.5, v - 18.5) / 15.0
            px[x, y] = max(0, min(255, round(255 * (d * 0.9 + (v - 12) / 60))))
    return small.resize((canvas, canvas), Image.BICUBIC)


def paint(scale):
    """The sack on a transparent canvas of 32 * scale pixels."""
    pen = Pen(32, 32, scale)
    size = 32 * scale
    body_mask = Image.new("L", (size, size), 0)
    ImageDraw.Draw(body_mask).polygon(pen.pts(BODY + MOUTH), fill=255)
    shade = shading(32, size)
    ramp = Image.new("RGB", (256, 1))
    stops = [(0, PALE), (0.22, YELLOW), (0.5, GOLD), (0.78, OLIVE), (1, DARK_OLIVE)]
    for i in range(256):
        t = i / 255
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t0 <= t <= t1:
                ramp.putpixel((i, 0), mix(c0, c1, (t - t0) / (t1 - t0)))
                break
    lut = [ramp.getpixel((i, 0)) for i in range(256)]
    body = Image.merge("RGB", [shade.point([c[k] for c in lut]) for k in range(3)])
    pen.img.paste(body, (0, 0), body_mask)
    pen.line(BODY + [BODY[0]], LINE + (255,), 1.0)
    pen.line(MOUTH[:len(MOUTH) * 7 // 10], LINE + (255,), 1.0)

    for fold in FOLDS:
        pen.line(smooth_path(fold, closed=False), OLIVE + (255,), 0.7)
    # Open top: a bright red band round a dark inside.
    pen.ellipse(16, 5.2, 6.9, 2.3, RED + (255,), outline=DEEP_RED + (255,), width=0.8)
    pen.ellipse(16, 5.5, 4.4, 1.2, INSIDE + (255,))
    pen.ellipse(12.4, 4.5, 1.8, 0.55, RED_LIGHT + (255,))

    # Stripes run down from the neck, bending with the belly.
    for sx, ex in ((14.6, 10.8), (17.4, 21.4)):
        path = smooth_path([(sx, 13.2), ((sx + ex) / 2 + (ex - sx) * 0.35, 21.5), (ex, 30.0)],
                           closed=False)
        pen.line(path, DARK_RED + (255,), 1.3)
    # The flap hangs from the knot over the left shoulder.
    pen.poly(smooth_path([(13.6, 12.2), (10.4, 14.6), (8.6, 18.6), (10.8, 19.0), (13.0, 16.2),
                          (15.2, 13.4)]), DARK_RED + (255,), DEEP_RED + (255,), 0.7)
    # The tie round the neck.
    pen.ellipse(16, 12.2, 4.4, 1.5, DARK_RED + (255,), outline=DEEP_RED + (255,), width=0.7)
    pen.ellipse(18.8, 12.6, 1.3, 1.3, RED + (255,), outline=DEEP_RED + (255,), width=0.6)
    return pen.img


def png_icon(size):
    scale = size * SS // 32
    return downsample(paint(scale), SS)


BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


RAMP = [PALE, YELLOW, GOLD, OLIVE, DARK_OLIVE]


def _dist2(a, b):
    return sum((x - y) ** 2 for x, y in zip(a, b))


def dither_to(colour, x, y, palette):
    """The palette colour for one pixel. Only the cloth's yellow-to-olive
    ramp is dithered (ordered, so it reads as a weave); the red cord and
    the outline take their nearest colour and stay crisp."""
    nearest = min(range(len(palette)), key=lambda i: _dist2(colour, palette[i]))
    best = None
    for a, b in zip(RAMP, RAMP[1:]):
        d = [q - p for p, q in zip(a, b)]
        t = max(0.0, min(1.0, sum((c - p) * v for c, p, v in zip(colour, a, d)) / _dist2(a, b)))
        err = _dist2(colour, [p + v * t for p, v in zip(a, d)])
        if best is None or err < best[0]:
            best = (err, a, b, t)
    err, a, b, t = best
    if err > _dist2(colour, palette[nearest]) + 200:
        return nearest
    return palette.index(b if t * 16 > BAYER[y % 4][x % 4] + 0.5 else a)


def bmp_icon():
    """Returns (palette, indices) of the 32 x 32 icon; index 0 is the key."""
    img = png_icon(32)
    colours = BMP_PALETTE[1:]
    indices = []
    for y in range(32):
        for x in range(32):
            r, g, b, a = img.getpixel((x, y))
            indices.append(0 if a < 128 else 1 + dither_to((r, g, b), x, y, colours))
    return list(BMP_PALETTE), indices
