"""The four season pictures, 45 x 70: a tree in a wooden frame above the
season's kanji."""

import math
import random

from PIL import Image, ImageDraw, ImageFilter

from artlib import Pen, bevel_side, font, fractal_noise, mix, stretch

W, H = 45, 70
SS = 8
BORDER = 3
WOOD_DARK = (104, 56, 24)
WOOD_LIGHT = (240, 170, 96)
PANEL = (250, 206, 186)
TRUNK = (112, 66, 32)

# crown colours (base, shade, speckles), kanji, ink, glow
SEASONS = [
    ((246, 168, 200), (218, 112, 160), [(255, 226, 238), (255, 246, 250), (232, 92, 150)],
     "春", (208, 0, 140), (255, 150, 214)),
    ((42, 112, 40), (22, 72, 26), [(70, 146, 56), (30, 90, 32), (96, 168, 70)],
     "夏", (0, 92, 36), (150, 244, 196)),
    ((238, 140, 30), (196, 70, 20), [(252, 214, 50), (214, 40, 24), (250, 176, 40)],
     "秋", (150, 0, 8), (255, 232, 60)),
    ((238, 240, 246), (190, 196, 210), [(255, 255, 255), (214, 218, 228), (250, 252, 255)],
     "冬", (0, 0, 0), (168, 168, 172)),
]


def panel(seed):
    """The frame and the mottled panel, drawn at 1x."""
    img = Image.new("RGB", (W, H), PANEL)
    mottle = stretch(fractal_noise(W, H, 8, seed, 3), 0, 255)
    dark = Image.new("RGB", (W, H), mix(PANEL, (220, 140, 130), 0.5))
    light = Image.new("RGB", (W, H), mix(PANEL, (255, 240, 224), 0.7))
    img = Image.composite(dark, img, mottle.point(lambda v: max(0, v - 150)))
    img = Image.composite(light, img, mottle.point(lambda v: max(0, 110 - v) * 2))
    grain = stretch(fractal_noise(W * 4, H, 3, seed + 1, 2), 0, 255).resize((W, H), Image.BOX)
    px, gx = img.load(), grain.load()
    for y in range(H):
        for x in range(W):
            side = bevel_side(x, y, W, H, BORDER)
            if side is None:
                continue
            upper_left = side == "light"
            d_tl, d_br = min(x, y), min(W - 1 - x, H - 1 - y)
            base = WOOD_DARK if upper_left else WOOD_LIGHT
            depth = d_tl if upper_left else d_br
            shade = 0.85 + 0.1 * depth + (gx[x, y] - 128) / 255 * 0.25
            px[x, y] = tuple(max(0, min(255, round(c * shade))) for c in base)
    return img


def tree(pen, crown, shade, speckles, rng, season):
    cx, cy, r = 22.5, 19.0, 14.2
    # Trunk with two boughs that vanish into the crown; a flared foot.
    bark = TRUNK + (255,)
    pen.ellipse(22.5, 44.6, 8.0, 1.5, (206, 140, 120, 150))
    pen.poly([(19.4, 45), (25.6, 45), (24.2, 42.5), (24.0, 30), (24.8, 24), (20.4, 24), (21.0, 30),
              (20.8, 42.5)], bark)
    pen.line([(22.5, 33), (16.5, 25)], bark, 1.8)
    pen.line([(22.8, 31), (29, 23.5)], bark, 1.6)
    pen.line([(23.6, 32), (24.4, 44)], mix(TRUNK, (255, 220, 180), 0.25) + (255,), 0.7)
    k = r / 13
    lobes = [(cx, cy - 4 * k, r * 0.72), (cx - 6.5 * k, cy + k, r * 0.6), (cx + 6.5 * k, cy + k, r * 0.6),
             (cx - 3.8 * k, cy + 4.8 * k, r * 0.56), (cx + 3.8 * k, cy + 4.8 * k, r * 0.56), (cx, cy, r * 0.7)]
    outline = mix(shade, (40, 20, 20), 0.35)
    for x, y, rr in lobes:
        pen.circle(x, y, rr + 0.7, outline + (255,))
    for x, y, rr in lobes:
        pen.circle(x, y, rr, shade + (255,))
    for x, y, rr in lobes:
        pen.circle(x - rr * 0.16, y - rr * 0.2, rr * 0.8, crown + (255,))
    # Speckles of blossom, leaves or snow, denser where the light falls.
    for _ in range(150):
        a = rng.uniform(0, 2 * math.pi)
        d = r * math.sqrt(rng.random()) * 0.95
        x, y = cx + math.cos(a) * d, cy + 1 + math.sin(a) * d * 0.86
        colour = rng.choice(speckles)
        pen.circle(x, y, rng.uniform(0.5, 1.05), colour + (255,))
    if season == 3:
        # Bare twigs show through the snow; it lies thickest on the top.
        for (x0, y0), (x1, y1) in (((22.5, 30), (15, 22)), ((22.5, 28), (30, 20)), ((22, 24), (19, 12)),
                                   ((23, 25), (27, 13)), ((16, 24), (11, 19)), ((29, 22), (34, 18))):
            pen.line([(x0, y0), (x1, y1)], mix(TRUNK, (230, 230, 240), 0.3) + (255,), 0.8)
        for _ in range(50):
            a, d = rng.uniform(0, 2 * math.pi), r * math.sqrt(rng.random()) * 0.9
            pen.circle(cx + math.cos(a) * d, cy + 1 + math.sin(a) * d * 0.86, rng.uniform(0.7, 1.3),
                       rng.choice(speckles) + (255,))
        for x, y, rr in lobes[:3]:
            pen.ellipse(x - 0.5, y - rr * 0.55, rr * 0.7, rr * 0.35, (255, 255, 255, 255))


def kanji(pen, char, ink, glow):
    f = font("cjk", 23 * pen.s)
    centre = (22.5 * pen.s, 55.5 * pen.s)
    halo = Image.new("L", pen.img.size, 0)
    ImageDraw.Draw(halo).text(centre, char, font=f, anchor="mm", fill=255,
                              stroke_width=round(1.6 * pen.s), stroke_fill=255)
    halo = halo.filter(ImageFilter.GaussianBlur(1.6 * pen.s))
    halo = halo.point(lambda v: min(255, v * 2))
    layer = Image.new("RGBA", pen.img.size, glow + (0,))
    layer.putalpha(halo)
    pen.paste(layer)
    pen.d.text(centre, char, font=f, anchor="mm", fill=ink + (255,),
               stroke_width=round(0.65 * pen.s), stroke_fill=ink + (255,))


def draw_seasons():
    out = []
    for index, (crown, shade, speckles, char, ink, glow) in enumerate(SEASONS):
        rng = random.Random(400 + index)
        pen = Pen(W, H, SS)
        tree(pen, crown, shade, speckles, rng, index)
        kanji(pen, char, ink, glow)
        img = panel(410 + index).convert("RGBA")
        img.alpha_composite(pen.done())
        out.append(img.convert("RGB"))
    return out
