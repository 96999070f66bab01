"""The main window's picture, 320 x 400: a washed-out cosmos meadow behind
the stone frame, the sky well, the score bar and the button's shadow."""

import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter

from artlib import Pen, bevel_side, fractal_noise, font, mix, stretch, value_noise, vgradient

W, H = 320, 400
SS = 4

FRAME = (63, 20, 255, 356)   # outer edge, end exclusive
WELL = (87, 44, 231, 332)
TILE = 24
BAR = (11, 371, 212, 392)
BUTTON_SHADOW = (252, 374, 301, 395)

HORIZON = 50


# --- the meadow ------------------------------------------------------------------

def ridge(y_base, amp, cell, seed):
    """Heights of a mountain ridge across the picture (one per SS pixel)."""
    row = value_noise(W * SS, 1, cell * SS, seed)
    fine = value_noise(W * SS, 1, cell * SS // 4, seed + 7)
    out = []
    for x in range(W * SS):
        v = row.getpixel((x, 0)) / 255 * 0.8 + fine.getpixel((x, 0)) / 255 * 0.2
        out.append(y_base - amp * v)
    return out


def sky_and_hills(pen):
    pen.img.paste(vgradient(W * SS, HORIZON * SS + SS * 8,
                            [(0, (252, 252, 252)), (1, (232, 236, 240))]), (0, 0))
    for y_base, amp, cell, seed, colour in (
            (36, 20, 60, 11, (206, 214, 226)),
            (44, 16, 40, 12, (182, 194, 210)),
            (HORIZON + 2, 9, 26, 13, (160, 176, 186))):
        heights = ridge(y_base, amp, cell, seed)
        pts = [(x, h * SS) for x, h in enumerate(heights)]
        pen.d.polygon(pts + [(W * SS, H * SS), (0, H * SS)], fill=colour + (255,))


def field_base(pen):
    grad = vgradient(W * SS, (H - HORIZON) * SS,
                     [(0, (150, 172, 130)), (0.3, (104, 146, 80)), (1, (62, 110, 44))])
    tex = stretch(fractal_noise(W * SS, (H - HORIZON) * SS, 24 * SS, 21, 4), 0, 255)
    dark = Image.new("RGB", grad.size, (36, 70, 30))
    grad = Image.composite(dark, grad, tex.point(lambda v: max(0, v - 120) * 0.9))
    pen.img.paste(grad, (0, HORIZON * SS))


def tree_line(pen, rng):
    """A line of dark broadleaf trees at the upper left, lower and hazier
    towards the right as they recede."""
    trees = []
    x = -8.0
    while x < 128:
        depth = max(0.0, x / 128)
        trees.append((x, 4 + 30 * depth ** 1.4 + rng.uniform(-4, 4), rng.uniform(12, 19) * (1 - 0.5 * depth)))
        x += rng.uniform(5, 10) * (1 - 0.4 * depth)
    # Undergrowth hides the trunks' feet along the edge of the meadow.
    x = -6.0
    while x < 136:
        depth = max(0.0, x / 136)
        colour = mix((14, 28, 16), (86, 106, 92), depth * 0.8)
        pen.circle(x, HORIZON - 3 + depth * 3 + rng.uniform(-2, 2), rng.uniform(3, 6) * (1 - 0.5 * depth),
                   colour + (255,))
        x += rng.uniform(2, 4)
    for tx, top, radius in sorted(trees, key=lambda t: -t[0]):
        depth = max(0.0, tx / 128)
        base = mix((8, 20, 12), (80, 100, 90), depth * 0.8)
        lit = mix(base, (84, 110, 70), 0.5)
        bottom = HORIZON + 4
        pen.rect(tx - 1.0, top + radius, tx + 1.0, bottom, base + (255,))
        for _ in range(26):
            a = rng.uniform(0, 2 * math.pi)
            d = rng.uniform(0, radius * 0.75)
            cx, cy = tx + math.cos(a) * d * 0.8, top + radius + math.sin(a) * d
            r = rng.uniform(0.3, 0.5) * radius
            pen.circle(cx, cy, r, base + (255,))
            if math.sin(a) < 0.2 and rng.random() < 0.5:
                pen.circle(cx + r * 0.2, cy - r * 0.2, r * 0.55, lit + (255,))
        for _ in range(14):
            pen.circle(tx + rng.uniform(-0.8, 0.8) * radius, top + radius * rng.uniform(1.2, 2.4),
                       rng.uniform(0.3, 0.45) * radius, base + (255,))


def cosmos(pen, cx, cy, r, colour, squash, tilt, rng):
    """One cosmos flower: eight broad petals with ragged tips round a small
    yellow eye, seen at an angle."""
    ca, sa = math.cos(tilt), math.sin(tilt)

    def place(px, py):
        py *= squash
        return (cx + px * ca - py * sa, cy + px * sa + py * ca)

    vein = mix(colour, (200, 60, 130), 0.35)
    for k in range(8):
        a = k * math.pi / 4 + rng.uniform(-0.12, 0.12)
        da, db = math.cos(a), math.sin(a)
        nx, ny = -db, da
        w = r * 0.36
        shape = [(0, 0.0), (0.25, 0.75), (0.6, 1.0), (0.9, 0.95), (1.0, 0.5),
                 (0.93, 0.0), (1.0, -0.5), (0.9, -0.95), (0.6, -1.0), (0.25, -0.75)]
        pts = [place(da * r * t + nx * w * s, db * r * t + ny * w * s) for t, s in shape]
        pen.poly(pts, colour + (255,))
        if r > 5:
            pen.line([place(da * r * 0.2, db * r * 0.2), place(da * r * 0.55, db * r * 0.55)],
                     vein + (255,), max(0.3, r * 0.05))
    ex, ey = place(0, 0)
    pen.ellipse(ex, ey, r * 0.22, r * 0.22 * squash, (222, 176, 40, 255), angle=tilt)


def meadow(pen, rng):
    pinks = [(244, 140, 186), (250, 176, 206), (226, 96, 160), (252, 250, 250), (248, 214, 228)]
    flowers = []
    y = HORIZON + 2.0
    while y < H + 12:
        t = (y - HORIZON) / (H - HORIZON)
        r = 0.9 + 12.0 * t ** 1.3
        x = rng.uniform(-r, r)
        while x < W + r:
            flowers.append((x + rng.uniform(-r, r) * 0.6, y + rng.uniform(-r, r) * 0.4, r * rng.uniform(0.75, 1.15)))
            x += r * rng.uniform(2.6, 5.5)
        y += max(0.8, r * 0.75)
    flowers.sort(key=lambda f: f[1])
    leaf = (50, 96, 40, 255)
    # Feathery foliage between the flowers, finer towards the horizon.
    for _ in range(2600):
        y = HORIZON + (H - HORIZON) * rng.random() ** 0.8
        t = (y - HORIZON) / (H - HORIZON)
        x, r = rng.uniform(-4, W + 4), 1 + 9 * t
        colour = mix((44, 92, 38), (112, 160, 84), rng.random()) + (255,)
        pen.line([(x, y), (x + rng.uniform(-0.6, 0.6) * r, y - rng.uniform(0.5, 1.2) * r)],
                 colour, max(0.25, 0.1 * r))
    for x, y, r in flowers:
        if r > 2.5:
            # Stems and a few feathery leaves below each flower.
            pen.line([(x, y), (x + rng.uniform(-0.2, 0.2) * r, y + r * 2.5)], leaf, max(0.4, r * 0.07))
            for _ in range(2):
                lx, ly = x + rng.uniform(-1.2, 1.2) * r, y + rng.uniform(0.8, 2.2) * r
                pen.line([(lx, ly), (lx + rng.uniform(-0.8, 0.8) * r, ly - rng.uniform(0.2, 0.7) * r)],
                         (70, 120, 52, 255), max(0.3, r * 0.06))
        colour = rng.choice(pinks)
        cosmos(pen, x, y, r, colour, rng.uniform(0.55, 1.0), rng.uniform(-0.5, 0.5), rng)


def background():
    rng = random.Random(1907)
    pen = Pen(W, H, SS, (255, 255, 255, 255))
    sky_and_hills(pen)
    field_base(pen)
    meadow(pen, rng)
    trees = Pen(W, H, SS)
    tree_line(trees, rng)
    # A faded print: soft focus and washed towards white; the dark trees
    # keep more of their weight so that they still frame the corner.
    haze = vgradient(W, H, [(0, (255, 255, 255)), (0.2, (250, 248, 250)), (1, (246, 242, 246))])
    img = pen.done().convert("RGB").filter(ImageFilter.GaussianBlur(0.6))
    img = Image.blend(img, haze, 0.45).convert("RGBA")
    trees = trees.done().filter(ImageFilter.GaussianBlur(0.5))
    tree_rgb = Image.blend(trees.convert("RGB"), haze, 0.22).convert("RGBA")
    tree_rgb.putalpha(trees.getchannel("A"))
    img.alpha_composite(tree_rgb)
    return img.convert("RGB")


# --- the frame and the well ------------------------------------------------------

def shadow(img, box, offset, blur, strength):
    mask = Image.new("L", img.size, 0)
    x0, y0, x1, y1 = box
    ImageDraw.Draw(mask).rectangle([x0 + offset, y0 + offset, x1 - 1 + offset, y1 - 1 + offset],
                                   fill=strength)
    mask = mask.filter(ImageFilter.GaussianBlur(blur))
    return Image.composite(Image.new("RGB", img.size, (24, 20, 30)), img, mask)


def stone_tile(rng, seed):
    """One grey stone block with a rounded 3-pixel bevel."""
    tex = stretch(fractal_noise(TILE, TILE, 6, seed, 3), 0, 255)
    img = Image.new("RGB", (TILE, TILE))
    base = rng.uniform(-6, 6)
    px = img.load()
    for y in range(TILE):
        for x in range(TILE):
            v = 150 + base + (tex.getpixel((x, y)) - 128) * 0.16
            side = bevel_side(x, y, TILE, TILE, 3)
            if side == "light":
                v += (62, 42, 20)[min(x, y)]
            elif side == "dark":
                v -= (78, 52, 26)[min(TILE - 1 - x, TILE - 1 - y)]
            g = max(0, min(255, round(v)))
            px[x, y] = (g, g, min(255, g + 5))
    return img


def frame(img):
    rng = random.Random(77)
    x0, y0, x1, y1 = FRAME
    seed = 300
    for ty in range(y0, y1, TILE):
        for tx in range(x0, x1, TILE):
            if WELL[0] <= tx < WELL[2] and WELL[1] <= ty < WELL[3]:
                continue
            seed += 1
            img.paste(stone_tile(rng, seed), (tx, ty))
    return img


def clouds(w, h, rng):
    """A mask of fair-weather clouds seen from above: puffs of round lobes,
    thinner towards the dark top of the well."""
    pen = Pen(w, h, 2, (0, 0, 0, 255))
    for _ in range(22):
        cx, cy = rng.uniform(-6, w + 6), rng.uniform(0, h + 6)
        size = rng.uniform(5, 13) * (0.6 + 0.6 * cy / h)
        grey = round(255 * min(1.0, 0.45 + cy / h))
        pen.circle(cx, cy, size * 0.7, (grey, grey, grey, 255))
        for _ in range(rng.randrange(5, 10)):
            a = rng.uniform(0, 2 * math.pi)
            d = rng.uniform(0.3, 0.9) * size
            pen.circle(cx + math.cos(a) * d * 1.3, cy + math.sin(a) * d * 0.7,
                       size * rng.uniform(0.45, 0.8), (grey, grey, grey, 255))
    mask = pen.done().convert("L").filter(ImageFilter.GaussianBlur(1.6))
    grain = value_noise(w, h, 3, 57).point(lambda v: v * 0.2)
    return ImageChops.subtract(mask, grain)


def well(img):
    x0, y0, x1, y1 = WELL
    w, h = x1 - x0, y1 - y0
    sky = vgradient(w, h, [(0, (6, 14, 62)), (0.35, (18, 52, 148)), (1, (58, 122, 214))])
    mask = clouds(w, h, random.Random(58))
    # Shade each cloud on its lower right and let it cast a faint shadow.
    shadow_mask = ImageChops.offset(mask, 2, 3).point(lambda v: v * 0.35)
    sky = Image.composite(Image.new("RGB", (w, h), (10, 30, 96)), sky, shadow_mask)
    lit = ImageChops.subtract(mask, ImageChops.offset(mask, 1, 1))
    body = Image.composite(Image.new("RGB", (w, h), (255, 255, 255)),
                           Image.new("RGB", (w, h), (188, 202, 228)), lit.point(lambda v: min(255, v * 4)))
    sky = Image.composite(body, sky, mask)
    img.paste(sky, (x0, y0))
    return img


# --- the score bar and the button's shadow ---------------------------------------------

def score_bar(img):
    x0, y0, x1, y1 = BAR
    pen = Pen(W, H, SS)
    r = (y1 - y0) / 2
    pen.d.rounded_rectangle([x0 * SS, y0 * SS, x1 * SS - 1, y1 * SS - 1], radius=r * SS,
                            fill=(255, 255, 255, 255))
    inner = 1
    grad = vgradient((x1 - x0 - 2 * inner) * SS, (y1 - y0 - 2 * inner) * SS,
                     [(0, (146, 92, 214)), (1, (98, 48, 168))])
    mask = Image.new("L", grad.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, grad.size[0] - 1, grad.size[1] - 1],
                                           radius=(r - inner) * SS, fill=255)
    pen.img.paste(grad.convert("RGBA"), ((x0 + inner) * SS, (y0 + inner) * SS), mask)
    f = font("sans-bold-oblique", 17 * SS)
    pen.d.text(((x0 + 8) * SS, (y0 + y1) / 2 * SS), "score:", font=f, anchor="lm",
               fill=(255, 255, 255, 255))
    layer = pen.done()
    img = img.convert("RGBA")
    img.alpha_composite(layer)
    return img.convert("RGB")


def draw_window():
    img = background()
    img = shadow(img, FRAME, 5, 3.5, 150)
    img = frame(img)
    img = well(img)
    img = shadow(img, BUTTON_SHADOW, 0, 2.5, 140)
    return score_bar(img)
