"""The promotional picture, 120 x 155: the title board, the flower girl
rising out of a sea of yellow pompoms, and floating cells around her."""

import math
import random

from PIL import Image, ImageDraw, ImageFilter

from artlib import Pen, font, leaf_points, mix, smooth_path, vgradient

W, H = 120, 155
SS = 8
CENTRE = (60, 66)
TITLE = "くいるめあ"

SKIN = (255, 226, 206)
SKIN_LINE = (196, 120, 100)
HAIR = (158, 234, 200)
HAIR_SHADE = (96, 196, 156)
HAIR_LINE = (36, 120, 92)
DRESS = (84, 186, 96)
DRESS_SHADE = (50, 140, 70)
DRESS_LINE = (22, 84, 40)
SASH = (20, 92, 44)
YELLOW = (252, 218, 44)
YELLOW_SHADE = (222, 160, 20)
LEAF = (64, 150, 54)
LEAF_DARK = (34, 100, 36)


def A(c, a=255):
    return tuple(c[:3]) + (a,)


# --- sky ---------------------------------------------------------------------------

def sky(pen):
    pen.img.paste(vgradient(W * SS, H * SS, [(0, (58, 126, 222)), (0.55, (128, 188, 246)),
                                             (1, (172, 214, 252))]), (0, 0))
    # Pale beams fan out from behind the girl, fading with distance.
    beams = Image.new("L", pen.img.size, 0)
    d = ImageDraw.Draw(beams)
    cx, cy = CENTRE[0] * SS, CENTRE[1] * SS
    n = 16
    for i in range(n):
        a0 = 2 * math.pi * i / n
        a1 = a0 + math.pi / n * 0.9
        far = 220 * SS
        d.polygon([(cx, cy), (cx + far * math.cos(a0), cy + far * math.sin(a0)),
                   (cx + far * math.cos(a1), cy + far * math.sin(a1))], fill=255)
    fade = Image.new("L", (64, 64))
    fx, fy = CENTRE[0] / W * 64, CENTRE[1] / H * 64
    for y in range(64):
        for x in range(64):
            r = math.hypot(x - fx, y - fy) / 46
            fade.putpixel((x, y), max(0, min(255, round(255 * (1.05 - r)))))
    fade = fade.resize(pen.img.size, Image.BICUBIC)
    beams = Image.composite(beams.point(lambda v: v * 0.36), Image.new("L", beams.size, 0), fade)
    glow = Image.new("L", pen.img.size, 0)
    ImageDraw.Draw(glow).ellipse([cx - 26 * SS, cy - 26 * SS, cx + 26 * SS, cy + 26 * SS], fill=150)
    glow = glow.filter(ImageFilter.GaussianBlur(12 * SS))
    light = Image.new("RGBA", pen.img.size, (255, 255, 240, 0))
    light.putalpha(beams)
    pen.paste(light)
    light.putalpha(glow)
    pen.paste(light)


def cloud(pen, cx, cy, size, rng, lobes=8):
    blobs = []
    for _ in range(lobes):
        a = rng.uniform(math.pi, 2 * math.pi)
        d = rng.uniform(0, size)
        blobs.append((cx + math.cos(a) * d * 1.5, cy + math.sin(a) * d * 0.6 + size * 0.3,
                      size * rng.uniform(0.45, 0.75)))
    for x, y, r in blobs:
        pen.circle(x + 0.6, y + 0.9, r, A((196, 214, 240)))
    for x, y, r in blobs:
        pen.circle(x - 0.3, y - 0.5, r * 0.92, A((255, 255, 255)))


def clouds(pen, rng):
    for cx, cy, size in ((-2, 44, 9), (4, 90, 8), (-4, 136, 7), (118, 30, 9), (124, 64, 6),
                         (112, 8, 7), (6, 8, 6)):
        cloud(pen, cx, cy, size, rng)


# --- signboard --------------------------------------------------------------------------

BOARD_W, BOARD_H = 114, 32
BOARD_ANGLE = 7.0  # degrees, rising to the right


def board_layer(rng):
    """The board drawn level on its own layer; rotated when placed."""
    s = SS
    pen = Pen(BOARD_W + 8, BOARD_H + 8, s)
    ox, oy = 4, 4
    plank_h = BOARD_H / 3
    for i in range(3):
        y0 = oy + i * plank_h
        shade = (170, 104, 54) if i % 2 == 0 else (160, 96, 48)
        pen.rect(ox, y0, ox + BOARD_W, y0 + plank_h, A((96, 52, 22)))
        pen.rect(ox + 0.5, y0 + 0.5, ox + BOARD_W - 0.5, y0 + plank_h - 0.6, A(shade))
        pen.rect(ox + 0.5, y0 + 0.5, ox + BOARD_W - 0.5, y0 + 1.4, A(mix(shade, (255, 220, 170), 0.3)))
        for _ in range(5):
            gy = y0 + rng.uniform(2.5, plank_h - 2)
            gx = ox + rng.uniform(2, BOARD_W - 30)
            pen.line([(gx, gy), (gx + rng.uniform(12, 28), gy + rng.uniform(-0.5, 0.5))],
                     A(mix(shade, (90, 50, 20), 0.45)), 0.35)
        for nx in (ox + 2.6, ox + BOARD_W - 2.6):
            pen.circle(nx, y0 + plank_h / 2, 0.7, A((70, 40, 20)))
    f = font("cjk-prop", 22 * s)
    centre = ((ox + BOARD_W / 2 - 2) * s, (oy + BOARD_H / 2 + 0.5) * s)
    pen.d.text((centre[0] + 0.8 * s, centre[1] + 1.0 * s), TITLE, font=f, anchor="mm",
               fill=(70, 30, 10, 150), stroke_width=round(2.0 * s), stroke_fill=(70, 30, 10, 150))
    pen.d.text(centre, TITLE, font=f, anchor="mm", fill=A((232, 30, 30)),
               stroke_width=round(1.8 * s), stroke_fill=A((120, 0, 8)))
    pen.d.text(centre, TITLE, font=f, anchor="mm", fill=A((236, 34, 32)),
               stroke_width=round(0.5 * s), stroke_fill=A((236, 34, 32)))
    return pen.img


def signboard(pen, rng):
    layer = board_layer(rng).rotate(BOARD_ANGLE, resample=Image.BICUBIC, expand=True)
    cx, cy = 60, 21
    pen.img.alpha_composite(layer, (round(cx * SS - layer.size[0] / 2), round(cy * SS - layer.size[1] / 2)))
    # A small blossom at the right end of the board.
    a = math.radians(BOARD_ANGLE)
    bx, by = cx + (BOARD_W / 2 - 2) * math.cos(a), cy - (BOARD_W / 2 - 2) * math.sin(a) - 3.5
    pen.poly(leaf_points(bx - 1, by + 1, bx - 7, by + 4.5, 3), A(LEAF), A(LEAF_DARK), 0.5)
    for i in range(5):
        t = -math.pi / 2 + i * 2 * math.pi / 5
        pen.ellipse(bx + 2.4 * math.cos(t), by + 2.4 * math.sin(t), 2.3, 1.9, A((255, 164, 204)),
                    angle=t, outline=A((214, 84, 140)), width=0.5)
    pen.circle(bx, by, 1.2, A((255, 220, 80)))


# --- girl -----------------------------------------------------------------------

def hair_points(cx, cy, rng):
    pts = []
    n = 26
    for i in range(n):
        a = math.pi * 0.5 + 2 * math.pi * i / n
        down = math.sin(a)  # 1 at the bottom
        r_in, r_out = 11.5, 17.5 - 3.5 * max(0.0, down)
        r = r_out + rng.uniform(-1.0, 1.0) if i % 2 else r_in + rng.uniform(-0.5, 0.5)
        pts.append((cx + math.cos(a) * r * 1.08, cy + math.sin(a) * r * 0.95 + 2))
    return pts


def girl(pen, rng):
    hx, hy = CENTRE[0], CENTRE[1] - 2
    # Hair behind the head: a bushy mass of spikes.
    back = hair_points(hx, hy, rng)
    pen.poly(back, A(HAIR_SHADE), A(HAIR_LINE), 0.8)
    inner = [(hx + (x - hx) * 0.82, hy + (y - hy) * 0.82 - 1) for x, y in back]
    pen.poly(inner, A(HAIR))

    # Arms flung wide, behind the body's outline.
    for side in (-1, 1):
        sx, sy = hx + side * 6.5, hy + 17
        ex, ey = hx + side * 16, hy + 10
        wx, wy = hx + side * 27, hy + 4
        pen.line([(sx, sy), (ex, ey), (wx, wy)], A(SKIN_LINE), 4.0)
        pen.line([(sx, sy), (ex, ey), (wx, wy)], A(SKIN), 3.0)
        pen.circle(wx + side * 0.6, wy - 0.4, 2.0, A(SKIN_LINE))
        pen.circle(wx + side * 0.6, wy - 0.4, 1.5, A(SKIN))
        for k in (-1, 0, 1):
            pen.line([(wx + side * 1.2, wy - 0.5 + k * 0.9), (wx + side * 2.7, wy - 1.4 + k * 1.3)],
                     A(SKIN_LINE), 0.45)

    # Dress: bodice, sash and a flared skirt that the blossoms swallow.
    body = smooth_path([(hx - 5, hy + 13.5), (hx - 6.5, hy + 20), (hx - 5, hy + 27), (hx - 10, hy + 42),
                        (hx + 10, hy + 42), (hx + 5, hy + 27), (hx + 6.5, hy + 20), (hx + 5, hy + 13.5)])
    pen.poly(body, A(DRESS), A(DRESS_LINE), 0.8)
    pen.poly([(hx + 1.5, hy + 15), (hx + 5.8, hy + 15), (hx + 5, hy + 27), (hx + 8, hy + 42), (hx + 3, hy + 42)],
             A(DRESS_SHADE))
    for side in (-1, 1):
        pen.ellipse(hx + side * 6.2, hy + 16.2, 3.0, 2.6, A(DRESS), outline=A(DRESS_LINE), width=0.7)
    pen.poly([(hx - 5.6, hy + 24.5), (hx + 5.6, hy + 24.5), (hx + 5.3, hy + 28), (hx - 5.3, hy + 28)], A(SASH))
    pen.poly(leaf_points(hx + 4, hy + 26.5, hx + 9, hy + 33, 2.4), A(SASH))
    pen.line([(hx - 2, hy + 13.6), (hx, hy + 16), (hx + 2, hy + 13.6)], A(SKIN), 1.0)

    # Neck and face.
    pen.rect(hx - 1.6, hy + 8, hx + 1.6, hy + 14, A(SKIN))
    pen.ellipse(hx, hy + 1.5, 8.6, 9.0, A(SKIN), outline=A(SKIN_LINE), width=0.6)
    for side in (-1, 1):
        ex, ey = hx + side * 3.7, hy + 2.4
        pen.ellipse(ex, ey, 2.5, 3.4, A((255, 255, 255)))
        pen.ellipse(ex, ey + 0.5, 2.1, 2.9, A((40, 130, 104)))
        pen.ellipse(ex, ey + 0.9, 1.3, 1.8, A((14, 50, 40)))
        pen.circle(ex - 0.7, ey - 0.5, 0.75, A((255, 255, 255)))
        pen.circle(ex + 0.8, ey + 1.8, 0.35, A((255, 255, 255)))
        pen.line([(ex - 2.7, ey - 2.2), (ex - 1, ey - 3.5), (ex + 1.2, ey - 3.5), (ex + 2.8, ey - 2.4)],
                 A((40, 30, 30)), 0.7)
        pen.ellipse(hx + side * 5.6, hy + 6.2, 1.7, 0.8, (255, 120, 140, 70))
    pen.poly(smooth_path([(hx - 1.8, hy + 7.0), (hx + 1.8, hy + 7.0), (hx, hy + 9.2)]), A((200, 56, 70)))
    # Fringe of spikes over the forehead.
    fringe = [(hx - 9.6, hy + 1), (hx - 9, hy - 6), (hx - 6.5, hy - 1.6), (hx - 5, hy - 7), (hx - 2.6, hy - 1.6),
              (hx - 0.5, hy - 7.4), (hx + 1.6, hy - 1.4), (hx + 4.2, hy - 7), (hx + 6, hy - 1.8),
              (hx + 8.4, hy - 6), (hx + 9.8, hy + 1.5), (hx + 10.5, hy - 8), (hx, hy - 11.5), (hx - 10.5, hy - 8)]
    pen.poly(fringe, A(HAIR), A(HAIR_LINE), 0.6)
    for x0 in (-6, -1.5, 3.5):
        pen.line([(hx + x0, hy - 9), (hx + x0 + 1.2, hy - 4)], A((220, 255, 236)), 0.6)


# --- blossoms ------------------------------------------------------------------------

def mass_top(x):
    """The upper edge of the blossom mass: low at the left, climbing the
    right side."""
    return 104 - max(0.0, x - 84) * 2.2 + 3 * math.sin(x * 0.35)


def pompom(pen, x, y, r, rng):
    pen.circle(x + 0.3, y + 0.5, r, A(YELLOW_SHADE))
    pen.circle(x - 0.2, y - 0.3, r * 0.86, A(YELLOW))
    for _ in range(5):
        a, d = rng.uniform(0, 2 * math.pi), rng.uniform(0.2, 0.75) * r
        pen.circle(x + math.cos(a) * d, y + math.sin(a) * d, r * 0.16, A((236, 184, 24)))
    pen.circle(x - r * 0.35, y - r * 0.38, r * 0.3, A((255, 248, 170)))


def blossoms(pen, rng):
    # Shadowed foliage underneath, so no sky shows between the flowers.
    edge = [(x, mass_top(x) + 3) for x in range(-2, W + 3, 2)]
    pen.poly(edge + [(W + 2, H + 2), (-2, H + 2)], A((92, 128, 36)))
    def spot(margin):
        # Even density: draw from the whole picture, keep what lies in the mass.
        while True:
            x, y = rng.uniform(-4, W + 4), rng.uniform(30, H + 5)
            if y >= mass_top(x) + margin:
                return x, y
    items = []
    for _ in range(260):
        x, y = spot(1)
        items.append((y, 0, x, rng.uniform(0, 2 * math.pi), rng.uniform(3.5, 6.5)))
    for _ in range(560):
        x, y = spot(0)
        items.append((y, 1, x, 0, rng.uniform(1.9, 3.2) * (0.8 + 0.4 * y / H)))
    for y, kind, x, a, size in sorted(items):
        if kind == 0:
            tip = (x + math.cos(a) * size, y + math.sin(a) * size)
            colour = rng.choice([LEAF, LEAF_DARK, (92, 176, 70)])
            pen.poly(leaf_points(x, y, tip[0], tip[1], size * 0.45), A(colour))
            pen.line([(x, y), ((x + tip[0]) / 2, (y + tip[1]) / 2)], A(mix(colour, (200, 240, 160), 0.4)), 0.3)
        else:
            pompom(pen, x, y, size, rng)


# --- floating cells ------------------------------------------------------------------

def cube(pen, cx, cy, size, colour, tilt=0.0):
    """A cube seen a little from above and the right, like a cell tile
    lifted off the board. Returns a function that maps (u, v) in 0..1 on
    its front face to picture coordinates."""
    s, d = size / 2, size * 0.32
    ca, sa = math.cos(tilt), math.sin(tilt)

    def p(x, y):
        return (cx + x * ca - y * sa, cy + x * sa + y * ca)
    front = [p(-s, -s), p(s, -s), p(s, s), p(-s, s)]
    top = [p(-s, -s), p(-s + d, -s - d), p(s + d, -s - d), p(s, -s)]
    side = [p(s, -s), p(s + d, -s - d), p(s + d, s - d), p(s, s)]
    line = mix(colour, (20, 10, 30), 0.6)
    pen.poly(top, A(mix(colour, (255, 255, 255), 0.5)), A(line), 0.6)
    pen.poly(side, A(mix(colour, (0, 0, 0), 0.3)), A(line), 0.6)
    pen.poly(front, A(colour), A(line), 0.6)
    # A bevel like the cells': light along the top and left of the face.
    pen.line([p(-s + 1, s - 1), p(-s + 1, -s + 1), p(s - 1, -s + 1)], A(mix(colour, (255, 255, 255), 0.55)), 1.0)
    pen.line([p(s - 1, -s + 1.5), p(s - 1, s - 1), p(-s + 1.5, s - 1)], A(mix(colour, (0, 0, 0), 0.22)), 1.0)
    return lambda u, v: p(-s + 2 * s * u, -s + 2 * s * v)


def bud_mark(pen, face, ink):
    pen.line([face(0.5, 0.86), face(0.5, 0.55)], A(ink), 1.0)
    tip, base = face(0.5, 0.14), face(0.5, 0.62)
    pen.poly(leaf_points(base[0], base[1], tip[0], tip[1], 6.0, bulge=0.32), A(ink))
    for du in (-0.2, 0.2):
        a, b = face(0.5, 0.64), face(0.5 + du, 0.42)
        pen.poly(leaf_points(a[0], a[1], b[0], b[1], 2.4), A(ink))


def sprout_mark(pen, face, ink):
    pen.line([face(0.5, 0.88), face(0.5, 0.45)], A(ink), 0.9)
    for du in (-0.38, 0.38):
        a, b = face(0.5, 0.48), face(0.5 + du, 0.18)
        pen.poly(leaf_points(a[0], a[1], b[0], b[1], 3.2), A(ink))


def glass_ball(pen, cx, cy, r):
    """A marble: green swirling over blue, with a window's reflection."""
    pen.circle(cx, cy, r + 0.5, A((16, 60, 120)))
    pen.circle(cx, cy, r, A((40, 96, 224)))
    # The green half: the arc over the top, closed by a wavy line.
    arc = [(cx + r * math.cos(a), cy + r * math.sin(a))
           for a in [math.pi * (0.92 + 1.16 * i / 24) for i in range(25)]]
    wave = [(cx + r * (1 - 2 * i / 12), cy + r * (0.18 + 0.22 * math.sin(i * 0.9))) for i in range(13)]
    pen.poly(arc + wave, A((52, 196, 120)))
    pen.circle(cx + r * 0.2, cy + r * 0.25, r * 0.55, (30, 60, 180, 90))
    pen.ellipse(cx, cy + r * 0.62, r * 0.55, r * 0.22, A((170, 240, 230), 150))
    pen.ellipse(cx - r * 0.36, cy - r * 0.44, r * 0.36, r * 0.2, A((255, 255, 255), 235), angle=-0.6)
    pen.circle(cx + r * 0.38, cy - r * 0.5, r * 0.1, A((255, 255, 255), 210))


def cells(pen):
    face = cube(pen, 16, 56, 17, (196, 170, 244), tilt=-0.14)
    bud_mark(pen, face, (84, 24, 110))
    face = cube(pen, 15, 122, 16, (232, 62, 184), tilt=0.12)
    sprout_mark(pen, face, (86, 20, 104))
    cube(pen, 105, 46, 10, (150, 94, 46), tilt=0.18)
    glass_ball(pen, 104, 82, 7.5)


def draw_promo():
    rng = random.Random(2024)
    pen = Pen(W, H, SS, (0, 0, 0, 255))
    sky(pen)
    clouds(pen, rng)
    girl(pen, rng)
    blossoms(pen, rng)
    cells(pen)
    signboard(pen, rng)
    return pen.done().convert("RGB")
