"""Shared tools of the art generator: drawing at a multiple of the final
size, noise, fonts, palette reduction and the 8-bit BMP writer.

Everything here is deterministic: noise comes from seeded generators and
the palette reduction has no randomness, so a second run writes the same
bytes."""

import math
import os
import random
import shutil
import struct
import subprocess

from PIL import Image, ImageDraw, ImageFont


# --- drawing ---------------------------------------------------------------

class Pen:
    """Draws in final-picture pixel units on a canvas `scale` times larger;
    `done()` box-filters it back down, which gives clean anti-aliasing."""

    def __init__(self, w, h, scale, bg=(0, 0, 0, 0)):
        self.w, self.h, self.s = w, h, scale
        self.img = Image.new("RGBA", (w * scale, h * scale), bg)
        self.d = ImageDraw.Draw(self.img, "RGBA")

    def pts(self, points):
        s = self.s
        return [(x * s, y * s) for x, y in points]

    def poly(self, points, fill, outline=None, width=0):
        if outline and width:
            # An outline as a fat line keeps its width even at sharp corners.
            self.d.polygon(self.pts(points), fill=fill)
            self.line(list(points) + [points[0]], outline, width)
        else:
            self.d.polygon(self.pts(points), fill=fill)

    def ellipse(self, cx, cy, rx, ry, fill, angle=0.0, outline=None, width=0):
        self.poly(ellipse_points(cx, cy, rx, ry, angle), fill, outline, width)

    def circle(self, cx, cy, r, fill):
        s = self.s
        self.d.ellipse([(cx - r) * s, (cy - r) * s, (cx + r) * s - 1, (cy + r) * s - 1], fill=fill)

    def line(self, points, fill, width):
        s = self.s
        w = max(1, round(width * s))
        self.d.line(self.pts(points), fill=fill, width=w, joint="curve")
        for x, y in (points[0], points[-1]):
            self.circle(x, y, width / 2, fill)

    def rect(self, x0, y0, x1, y1, fill):
        """Fills the pixels x0..x1-1, y0..y1-1 (final units, may be fractional)."""
        s = self.s
        self.d.rectangle([round(x0 * s), round(y0 * s), round(x1 * s) - 1, round(y1 * s) - 1], fill=fill)

    def paste(self, layer):
        self.img.alpha_composite(layer)

    def layer(self):
        return Pen(self.w, self.h, self.s)

    def done(self, factor=None):
        return downsample(self.img, factor or self.s)


def bevel_side(x, y, w, h, width):
    """Which edge of a raised w x h tile owns pixel (x, y): "light" along
    the top and left, "dark" along the bottom and right, None inside. The
    two corners where they meet split on the diagonal."""
    light = x < width or y < width
    dark = x >= w - width or y >= h - width
    if light and dark:
        if y < width:  # top right
            return "light" if y < w - 1 - x else "dark"
        return "light" if x < h - 1 - y else "dark"  # bottom left
    return "light" if light else "dark" if dark else None


def downsample(img, factor):
    """Box-filters an RGBA picture, weighting colours by coverage."""
    if factor == 1:
        return img.copy()
    return img.convert("RGBa").reduce(factor).convert("RGBA")


def ellipse_points(cx, cy, rx, ry, angle=0.0, n=48):
    ca, sa = math.cos(angle), math.sin(angle)
    out = []
    for i in range(n):
        t = 2 * math.pi * i / n
        x, y = rx * math.cos(t), ry * math.sin(t)
        out.append((cx + x * ca - y * sa, cy + x * sa + y * ca))
    return out


def leaf_points(x0, y0, x1, y1, width, n=16, bulge=0.5):
    """A pointed leaf (lens) from (x0,y0) to (x1,y1); `bulge` moves its widest
    point along the axis (0.5 is symmetric)."""
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    nx, ny = -uy, ux
    side_a, side_b = [], []
    for i in range(n + 1):
        t = i / n
        # A sine profile skewed by `bulge` keeps both tips sharp.
        k = math.sin(math.pi * t ** (math.log(0.5) / math.log(bulge)))
        off = width / 2 * k
        px, py = x0 + dx * t, y0 + dy * t
        side_a.append((px + nx * off, py + ny * off))
        side_b.append((px - nx * off, py - ny * off))
    return side_a + side_b[::-1]


def smooth_path(points, closed=True, steps=10):
    """A Catmull-Rom curve through the given points."""
    n = len(points)
    out = []
    last = n if closed else n - 1
    for i in range(last):
        p0 = points[(i - 1) % n] if closed or i > 0 else points[0]
        p1, p2 = points[i], points[(i + 1) % n]
        p3 = points[(i + 2) % n] if closed or i + 2 < n else points[-1]
        for k in range(steps):
            t = k / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 +
                                    (-a + 3 * b - 3 * c + d) * t3)
                             for a, b, c, d in zip(p0, p1, p2, p3)))
    if not closed:
        out.append(points[-1])
    return out


def mix(c1, c2, t):
    """Linear blend of two colours; keeps the alpha of c1 if it has one."""
    out = tuple(round(a + (b - a) * t) for a, b in zip(c1[:3], c2[:3]))
    return out + tuple(c1[3:4])


def rgba(c, a=255):
    return tuple(c[:3]) + (a,)


def vgradient(w, h, stops):
    """A vertical gradient through (position 0..1, colour) stops."""
    col = Image.new("RGB", (1, h))
    for y in range(h):
        t = y / max(1, h - 1)
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t0 <= t <= t1:
                col.putpixel((0, y), mix(c0, c1, (t - t0) / max(1e-9, t1 - t0)))
                break
    return col.resize((w, h), Image.NEAREST)


# --- noise -----------------------------------------------------------------

def value_noise(w, h, cell, seed):
    """Smooth noise (L mode): random values on a grid `cell` pixels apart,
    bicubically interpolated."""
    rng = random.Random(seed)
    gw, gh = w // cell + 4, h // cell + 4
    small = Image.new("L", (gw, gh))
    small.putdata([rng.randrange(256) for _ in range(gw * gh)])
    big = small.resize((gw * cell, gh * cell), Image.BICUBIC)
    return big.crop((cell, cell, cell + w, cell + h))


def fractal_noise(w, h, cell, seed, octaves=3):
    out = value_noise(w, h, cell, seed)
    weight = 0.5
    for o in range(1, octaves):
        cell = max(1, cell // 2)
        out = Image.blend(out, value_noise(w, h, cell, seed * 31 + o), weight / (1 + weight))
        weight *= 0.5
    return out


def stretch(img, lo=0, hi=255):
    """Stretches an L picture's values to span lo..hi."""
    mn, mx = img.getextrema()
    span = max(1, mx - mn)
    return img.point(lambda v: round(lo + (v - mn) * (hi - lo) / span))


# --- fonts -----------------------------------------------------------------

FONTS = {
    # name: (Debian package, fontconfig pattern, known file names)
    "cjk": ("fonts-ipafont-gothic", "IPAGothic:lang=ja",
            ["opentype/ipafont-gothic/ipag.ttf", "truetype/fonts-japanese-gothic.ttf"]),
    "cjk-prop": ("fonts-ipafont-gothic", "IPAPGothic:lang=ja",
                 ["opentype/ipafont-gothic/ipagp.ttf", "opentype/ipafont-gothic/ipag.ttf"]),
    "sans-bold": ("fonts-dejavu-core", "DejaVu Sans:style=Bold",
                  ["truetype/dejavu/DejaVuSans-Bold.ttf"]),
    "sans-bold-oblique": ("fonts-dejavu-core", "DejaVu Sans:style=Bold Oblique",
                          ["truetype/dejavu/DejaVuSans-BoldOblique.ttf"]),
    "sans": ("fonts-dejavu-core", "DejaVu Sans:style=Book",
             ["truetype/dejavu/DejaVuSans.ttf"]),
}
FONT_ROOT = "/usr/share/fonts"
_font_files = {}


def font_file(name):
    if name in _font_files:
        return _font_files[name]
    package, pattern, known = FONTS[name]
    for rel in known:
        path = os.path.join(FONT_ROOT, rel)
        if os.path.isfile(path):
            _font_files[name] = path
            return path
    # The files may have moved in another release: ask fontconfig, but only
    # trust an answer that lies in the system font tree.
    if shutil.which("fc-match"):
        res = subprocess.run(["fc-match", "--format=%{file}", pattern],
                             capture_output=True, text=True, check=False)
        path = res.stdout.strip()
        base = os.path.basename(known[0]).split(".")[0].lower()[:5]
        if path.startswith(FONT_ROOT) and base in os.path.basename(path).lower():
            _font_files[name] = path
            return path
    raise SystemExit(f"art: font '{pattern}' not found under {FONT_ROOT}; "
                     f"install the Debian package {package} (apt-get install {package})")


def font(name, size):
    return ImageFont.truetype(font_file(name), size)


# --- palette reduction -----------------------------------------------------

def _median_cut(colours, budget):
    """Quantises a list of RGB pixels; returns (palette, index per pixel)
    with unused entries dropped."""
    strip = Image.new("RGB", (len(colours), 1))
    strip.putdata(colours)
    q = strip.quantize(colors=budget, method=Image.Quantize.MEDIANCUT,
                       kmeans=4, dither=Image.Dither.NONE)
    qpal = q.getpalette()
    qidx = list(q.getdata())
    order = sorted(set(qidx))
    remap = {old: new for new, old in enumerate(order)}
    return [tuple(qpal[3 * i:3 * i + 3]) for i in order], [remap[i] for i in qidx]


def palettise(img, max_colors, keep=(), min_colors=1, regions=()):
    """Reduces an RGB(A) picture to at most `max_colors` palette entries.

    Colours in `keep` always stay exact entries (tile edges, colour keys).
    A picture with few enough colours keeps every colour exactly; otherwise
    the other colours go through median cut with k-means refinement and no
    dithering, since dithering speckles the small flat pictures.
    `regions` lists (box, budget): a smooth gradient in such a box gets its
    own share of the palette instead of losing it to a busier neighbour.
    Returns (palette as a list of RGB tuples, list of indices row by row)."""
    img = img.convert("RGB")
    w = img.size[0]
    pixels = list(img.getdata())
    keep = list(dict.fromkeys(tuple(c) for c in keep))
    keep_index = {c: i for i, c in enumerate(keep)}
    used = sorted(set(pixels))
    rest = [c for c in used if c not in keep_index]

    if len(keep) + len(rest) <= max_colors:
        palette = keep + rest
        lookup = {c: i for i, c in enumerate(palette)}
        indices = [lookup[c] for c in pixels]
    else:
        def group_of(i):
            x, y = i % w, i // w
            for g, ((x0, y0, x1, y1), _) in enumerate(regions):
                if x0 <= x < x1 and y0 <= y < y1:
                    return g
            return len(regions)
        budgets = [b for _, b in regions]
        budgets.append(max_colors - len(keep) - sum(budgets))
        members = [[] for _ in budgets]
        for i, c in enumerate(pixels):
            if c not in keep_index:
                members[group_of(i)].append(i)
        palette = list(keep)
        indices = [keep_index.get(c, 0) for c in pixels]
        for budget, group in zip(budgets, members):
            if not group:
                continue
            pal, idx = _median_cut([pixels[i] for i in group], budget)
            base = len(palette)
            palette += pal
            for i, k in zip(group, idx):
                indices[i] = base + k

    while len(palette) < min_colors:
        # Some readers expect a minimum table; unused entries repeat the last.
        palette.append(palette[-1])
    return palette, indices


def indexed_image(size, palette, indices):
    """The palettised picture as an RGB image, for previews and checks."""
    img = Image.new("RGB", size)
    img.putdata([palette[i] for i in indices])
    return img


# --- BMP -------------------------------------------------------------------

PIXELS_PER_METRE = 3780  # 96 dpi


def bmp_bytes(size, palette, indices):
    """An uncompressed, bottom-up, 8-bit BMP with a BITMAPINFOHEADER whose
    colour count is the real palette length."""
    w, h = size
    if not 1 <= len(palette) <= 256:
        raise ValueError(f"palette of {len(palette)} entries")
    stride = (w + 3) & ~3
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(pal)
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytes(indices[y * w:(y + 1) * w])
        rows.append(row + b"\0" * (stride - w))
    data = b"".join(rows)
    head = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(data),
                       PIXELS_PER_METRE, PIXELS_PER_METRE, len(palette), len(palette))
    return head + info + pal + data


def write_bmp(path, img, max_colors, keep=(), min_colors=1, regions=()):
    """Palettises and writes `img`; returns the picture as it was stored."""
    palette, indices = palettise(img, max_colors, keep, min_colors, regions)
    with open(path, "wb") as f:
        f.write(bmp_bytes(img.size, palette, indices))
    return indexed_image(img.size, palette, indices)


def write_png(path, img):
    # No text chunks, no time: the bytes depend on the pixels only.
    img.save(path, "PNG", optimize=False, compress_level=9)
