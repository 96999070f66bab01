"""The seven cell pictures, 24 x 24: the six growth stages and the bee.

Each stage has its own silhouette (oval, two leaves, one big leaf, bud,
open flower, pot) so that the kinds part at a glance without relying on
colour."""

import math

from artlib import Pen, bevel_side, leaf_points, mix

SIZE = 24
SS = 8  # supersampling factor

# code: (fill, light edge, dark edge)
TILE_COLOURS = {
    2: ((240, 223, 144), (255, 247, 223), (207, 159, 31)),
    3: ((240, 151, 144), (255, 223, 223), (207, 24, 31)),
    4: ((239, 151, 240), (255, 223, 255), (192, 24, 207)),
    5: ((128, 159, 255), (208, 239, 255), (48, 79, 175)),
    6: ((160, 223, 128), (208, 239, 207), (79, 183, 15)),
    7: ((144, 207, 240), (223, 239, 255), (31, 135, 207)),
}

GREEN = (58, 150, 48)
GREEN_DARK = (30, 96, 32)
GREEN_LIGHT = (120, 200, 80)
OUTLINE_W = 0.9


def bevel(img, light, dark, left_right=None):
    """Paints the 2-pixel raised edge. Where the light and dark edges meet
    (top right, bottom left) the split runs diagonally, as on a real bevel.
    `left_right(y)` may give per-row (light, dark) colours for the sides."""
    px = img.load()
    for y in range(SIZE):
        for x in range(SIZE):
            side = bevel_side(x, y, SIZE, SIZE, 2)
            if side is None:
                continue
            lt, dk = light, dark
            if left_right is not None and 2 <= y < SIZE - 2:
                lt, dk = left_right(y)
            px[x, y] = lt if side == "light" else dk


def tile(code, draw_object):
    fill, light, dark = TILE_COLOURS[code]
    pen = Pen(SIZE, SIZE, SS, fill + (255,))
    draw_object(pen)
    img = pen.done().convert("RGB")
    bevel(img, light, dark)
    return img


# --- the objects -------------------------------------------------------------

def seed(pen):
    body = (58, 12, 22)
    pen.ellipse(12, 12.3, 5.0, 7.2, body, angle=0.45)
    # A soft sheen and the scar where it hung in the pod.
    pen.ellipse(10.4, 9.6, 1.6, 3.0, (112, 44, 56), angle=0.45)
    pen.ellipse(10.0, 9.0, 0.7, 1.3, (168, 96, 104), angle=0.45)
    pen.ellipse(14.6, 17.6, 1.1, 0.6, (24, 4, 10), angle=0.45)


def sprout(pen):
    pen.line([(12, 19.6), (12.2, 15), (12, 11)], GREEN_DARK, 1.4)
    for sign in (-1, 1):
        tip = (12 + sign * 8.2, 6.5)
        pts = leaf_points(12, 11, tip[0], tip[1], 5.0, bulge=0.55)
        pen.poly(pts, GREEN_LIGHT, GREEN_DARK, OUTLINE_W)
        pen.line([(12 + sign * 1.2, 10.4), (12 + sign * 5.6, 7.9)], GREEN_DARK, 0.6)


def big_leaf(pen):
    brown = (110, 62, 28)
    pen.line([(4.6, 5.0), (7.8, 8.0)], brown, 1.6)
    pts = leaf_points(7.4, 7.6, 19.8, 19.6, 10.5, bulge=0.42)
    pen.poly(pts, (34, 112, 44), (16, 64, 24), OUTLINE_W)
    pen.line([(8.2, 8.4), (18.0, 17.8)], (110, 178, 92), 0.8)
    for t in (0.3, 0.5, 0.7):
        x, y = 8.2 + 9.8 * t, 8.4 + 9.4 * t
        pen.line([(x, y), (x + 2.6, y - 1.2)], (86, 152, 72), 0.5)
        pen.line([(x, y), (x - 1.2, y + 2.6)], (86, 152, 72), 0.5)


def bud(pen):
    pen.line([(12, 19.6), (12, 12)], GREEN_DARK, 1.5)
    pen.poly(leaf_points(12, 17.5, 16.6, 14.2, 2.6), GREEN, GREEN_DARK, 0.6)
    # The bud: a drop, pointed at the top, wrapped in sepals at its base.
    pink, deep = (244, 118, 170), (176, 40, 104)
    pen.poly(leaf_points(12, 14.0, 12, 3.9, 8.4, bulge=0.3), pink, deep, OUTLINE_W)
    pen.line([(12.6, 12.5), (13.2, 6.2)], (255, 196, 222), 0.7)
    for sign in (-1, 1):
        pen.poly(leaf_points(12, 13.6, 12 + sign * 3.6, 8.6, 3.2), GREEN, GREEN_DARK, 0.6)


def flower(pen):
    pen.line([(12, 19.6), (12, 12)], GREEN_DARK, 1.5)
    pen.poly(leaf_points(12, 18, 7.2, 15.2, 2.6), GREEN, GREEN_DARK, 0.6)
    red, deep = (226, 30, 38), (132, 8, 16)
    cx, cy = 12, 10.4
    for i in range(5):
        a = -math.pi / 2 + i * 2 * math.pi / 5
        pen.ellipse(cx + 3.8 * math.cos(a), cy + 3.8 * math.sin(a), 3.2, 2.8, red,
                    angle=a, outline=deep, width=0.8)
    pen.circle(cx, cy, 2.5, (132, 8, 16))
    pen.circle(cx, cy, 2.0, (255, 214, 40))
    pen.circle(cx - 0.6, cy - 0.6, 0.8, (255, 246, 170))


def pot(pen):
    brown, deep, hi = (142, 82, 38), (72, 36, 14), (186, 122, 70)
    gold, gold_dark = (242, 188, 40), (176, 118, 10)
    # Squat body: a wide ellipse flattened at the top where the rim sits.
    pen.ellipse(12, 14.4, 8.2, 5.9, brown, outline=deep, width=OUTLINE_W)
    pen.ellipse(9.4, 12.8, 2.4, 1.5, hi, angle=-0.4)
    pen.ellipse(12, 8.8, 6.2, 2.2, gold, outline=gold_dark, width=OUTLINE_W)
    pen.ellipse(12, 8.6, 4.4, 1.1, (120, 70, 10))
    # Drips run from the rim down the lower left of the pot.
    for x0, length, w in ((6.6, 8.0, 1.5), (9.0, 5.6, 1.3), (11.2, 3.4, 1.1)):
        pen.line([(x0, 10.2), (x0 - 0.3, 10.2 + length)], gold, w)
        pen.circle(x0 - 0.3, 10.4 + length, w * 0.72, gold)


# --- the bee on the rainbow -----------------------------------------------------

BANDS = [(232, 30, 36), (246, 138, 24), (250, 222, 40), (60, 178, 60),
         (40, 200, 216), (40, 90, 220), (24, 30, 110)]
TOP_EDGE = (255, 150, 150)
NAVY = (16, 20, 80)


def band_at(y):
    return BANDS[min(len(BANDS) - 1, y * len(BANDS) // SIZE)]


def bee_cell():
    pen = Pen(SIZE, SIZE, SS)
    for y in range(SIZE):
        pen.rect(0, y, SIZE, y + 1, band_at(y) + (255,))
    black, yellow = (28, 20, 16), (255, 212, 30)
    # Antennae first so the head overlaps their roots.
    for sign in (-1, 1):
        pen.line([(12 + sign * 2.2, 7.6), (12 + sign * 3.6, 4.4), (12 + sign * 5.4, 3.4)], black, 0.9)
        pen.circle(12 + sign * 5.6, 3.3, 1.2, black)
    # Small legs below the head.
    for dx in (-3.6, -1.3, 1.3, 3.6):
        pen.line([(12 + dx, 17.5), (12 + dx * 1.3, 20.8)], black, 1.0)
    pen.circle(12, 12.6, 6.7, black)
    pen.circle(12, 12.6, 5.8, yellow)
    pen.ellipse(12, 16.0, 4.2, 0.9, (236, 150, 10))
    for sign in (-1, 1):
        ex = 12 + sign * 2.5
        pen.ellipse(ex, 11.4, 2.2, 2.8, (255, 255, 255), outline=black, width=0.7)
        pen.ellipse(ex + sign * 0.3, 12.0, 1.25, 1.75, black)
        pen.circle(ex + sign * 0.3 - 0.5, 11.2, 0.55, (255, 255, 255))
    pen.line([(10.7, 15.4), (12, 16.2), (13.3, 15.4)], black, 0.6)
    img = pen.done().convert("RGB")

    def sides(y):
        base = band_at(y)
        return mix(base, (255, 255, 255), 0.45), mix(base, (0, 0, 0), 0.35)
    bevel(img, TOP_EDGE, NAVY, sides)
    return img


OBJECTS = {2: seed, 3: sprout, 4: big_leaf, 5: bud, 6: flower, 7: pot}


def draw_cells():
    """Returns {code: RGB image} for codes 2..8."""
    cells = {code: tile(code, fn) for code, fn in OBJECTS.items()}
    cells[8] = bee_cell()
    return cells
