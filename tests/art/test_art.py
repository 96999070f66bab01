"""Checks the committed pictures under assets/ and that the art generator
reproduces them byte for byte.

Run from the repository root:  /usr/bin/python3 tests/art/test_art.py"""

import ctypes
import ctypes.util
import os
import struct
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ASSETS = os.path.join(ROOT, "assets")
GENERATOR = os.path.join(ROOT, "tools", "art", "generate.py")

# name: (width, height, fewest and most palette entries)
PICTURES = {
    "window": (320, 400, 1, 256),
    "start": (58, 28, 1, 72),
    "promo": (120, 155, 1, 256),
    "icon": (32, 32, 2, 17),
    **{f"season{i}": (45, 70, 1, 256) for i in range(4)},
    **{f"cell{c}": (24, 24, 59, 256) for c in range(2, 9)},
}
ICON_SIZES = (16, 32, 48, 64, 128, 256)

# code: (fill, light edge, dark edge)
TILES = {
    2: ((240, 223, 144), (255, 247, 223), (207, 159, 31)),
    3: ((240, 151, 144), (255, 223, 223), (207, 24, 31)),
    4: ((239, 151, 240), (255, 223, 255), (192, 24, 207)),
    5: ((128, 159, 255), (208, 239, 255), (48, 79, 175)),
    6: ((160, 223, 128), (208, 239, 207), (79, 183, 15)),
    7: ((144, 207, 240), (223, 239, 255), (31, 135, 207)),
}
MAGENTA = (255, 0, 255)


class Bmp:
    """The fields of an 8-bit BMP that the game relies on, read by hand so
    that the test does not trust the library that wrote the file."""

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        magic, self.file_size, _, _, self.offset = struct.unpack_from("<2sIHHI", data, 0)
        (self.header_size, self.width, self.height, self.planes, self.bpp, self.compression,
         _, _, _, self.colours_used, _) = struct.unpack_from("<IiiHHIIiiII", data, 14)
        self.magic, self.size_on_disk = magic, len(data)
        n = self.colours_used
        self.palette = [(data[54 + 4 * i + 2], data[54 + 4 * i + 1], data[54 + 4 * i])
                        for i in range(n)]
        stride = (self.width + 3) & ~3
        h = abs(self.height)
        rows = [data[self.offset + r * stride:self.offset + r * stride + self.width] for r in range(h)]
        self.rows = rows[::-1] if self.height > 0 else rows

    def index(self, x, y):
        return self.rows[y][x]

    def rgb(self, x, y):
        return self.palette[self.rows[y][x]]


def load(name):
    return Bmp(os.path.join(ASSETS, name + ".bmp"))


class HeaderTest(unittest.TestCase):
    def test_every_picture_is_an_uncompressed_8_bit_bmp_of_its_size(self):
        for name, (w, h, fewest, most) in PICTURES.items():
            with self.subTest(picture=name):
                bmp = load(name)
                self.assertEqual(bmp.magic, b"BM")
                self.assertEqual(bmp.header_size, 40, "BITMAPINFOHEADER")
                self.assertEqual((bmp.width, abs(bmp.height)), (w, h))
                self.assertEqual((bmp.planes, bmp.bpp, bmp.compression), (1, 8, 0))
                self.assertTrue(fewest <= bmp.colours_used <= most,
                                f"{bmp.colours_used} palette entries, allowed {fewest}..{most}")
                self.assertEqual(bmp.offset, 54 + 4 * bmp.colours_used,
                                 "pixels must follow the palette of biClrUsed entries")
                self.assertEqual(bmp.file_size, bmp.size_on_disk)
                self.assertEqual(bmp.size_on_disk, bmp.offset + ((w + 3) & ~3) * h)
                used = max(max(row) for row in bmp.rows)
                self.assertLess(used, bmp.colours_used, "pixel indexes past the palette")

    def test_sdl_reads_every_picture(self):
        lib = ctypes.util.find_library("SDL2-2.0") or ctypes.util.find_library("SDL2")
        if not lib:
            self.skipTest("SDL2 is not installed")
        sdl = ctypes.CDLL(lib)
        sdl.SDL_RWFromFile.restype = ctypes.c_void_p
        sdl.SDL_RWFromFile.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
        sdl.SDL_LoadBMP_RW.restype = ctypes.c_void_p
        sdl.SDL_LoadBMP_RW.argtypes = [ctypes.c_void_p, ctypes.c_int]
        sdl.SDL_FreeSurface.argtypes = [ctypes.c_void_p]
        sdl.SDL_GetError.restype = ctypes.c_char_p
        for name, (w, h, _, _) in PICTURES.items():
            with self.subTest(picture=name):
                rw = sdl.SDL_RWFromFile(os.path.join(ASSETS, name + ".bmp").encode(), b"rb")
                surface = sdl.SDL_LoadBMP_RW(rw, 1)
                self.assertTrue(surface, sdl.SDL_GetError())
                # SDL_Surface: Uint32 flags; SDL_PixelFormat *format; int w, h; ...
                ptr = ctypes.sizeof(ctypes.c_void_p)
                got = ctypes.cast(surface + 2 * ptr, ctypes.POINTER(ctypes.c_int))
                self.assertEqual((got[0], got[1]), (w, h))
                sdl.SDL_FreeSurface(surface)


class ContentTest(unittest.TestCase):
    def test_cell_tiles_have_the_exact_edge_and_fill_colours(self):
        for code, (fill, light, dark) in TILES.items():
            bmp = load(f"cell{code}")
            for i in range(24):
                for d in (0, 1):
                    with self.subTest(cell=code, i=i, depth=d):
                        if i < 22:
                            self.assertEqual(bmp.rgb(i, d), light, "top edge")
                            self.assertEqual(bmp.rgb(d, i), light, "left edge")
                        if i > 1:
                            self.assertEqual(bmp.rgb(i, 23 - d), dark, "bottom edge")
                            self.assertEqual(bmp.rgb(23 - d, i), dark, "right edge")
            # The fill shows as a clean ring just inside the bevel.
            ring = [(x, y) for x in range(2, 22) for y in (2, 21)] + \
                   [(x, y) for x in (2, 21) for y in range(2, 22)]
            wrong = [(p, bmp.rgb(*p)) for p in ring if bmp.rgb(*p) != fill]
            with self.subTest(cell=code, ring=True):
                self.assertFalse(wrong, f"cell{code}: fill {fill} expected at {wrong[:4]}")

    def test_cell_objects_differ(self):
        # Same tile, same object would be a copy-paste slip.
        centres = {tuple(load(f"cell{c}").rgb(x, y) for x in range(6, 18) for y in range(6, 18))
                   for c in range(2, 9)}
        self.assertEqual(len(centres), 7)

    def test_icon_colour_key(self):
        bmp = load("icon")
        self.assertEqual(bmp.palette[0], MAGENTA)
        self.assertNotIn(MAGENTA, bmp.palette[1:], "the key colour may only be entry 0")
        for x, y in ((0, 0), (31, 0), (0, 31), (31, 31)):
            self.assertEqual(bmp.index(x, y), 0, "corners are transparent")
        opaque = sum(1 for row in bmp.rows for i in row if i != 0)
        self.assertTrue(300 < opaque < 900, f"{opaque} sack pixels")

    def test_desktop_icons(self):
        from PIL import Image
        for size in ICON_SIZES:
            with self.subTest(size=size):
                img = Image.open(os.path.join(ASSETS, "icons", f"quillmere-{size}.png"))
                self.assertEqual((img.format, img.mode, img.size), ("PNG", "RGBA", (size, size)))
                alpha = img.getchannel("A")
                self.assertEqual(alpha.getpixel((0, 0)), 0)
                self.assertEqual(alpha.getextrema(), (0, 255))


class LayoutTest(unittest.TestCase):
    """The window picture must line up with the controls placed over it."""

    @classmethod
    def setUpClass(cls):
        cls.win = load("window")

    def test_frame_is_grey_stone_around_the_well(self):
        for y in range(20, 356, 6):
            for x in list(range(63, 87)) + list(range(231, 255)):
                r, g, b = self.win.rgb(x, y)
                self.assertLess(max(r, g, b) - min(r, g, b), 20, f"frame at ({x},{y}) is {r, g, b}")
        for x in range(87, 231, 6):
            for y in list(range(20, 44)) + list(range(332, 356)):
                r, g, b = self.win.rgb(x, y)
                self.assertLess(max(r, g, b) - min(r, g, b), 20, f"frame at ({x},{y}) is {r, g, b}")

    def test_well_is_sky_darkest_at_the_top(self):
        def brightness(y):
            return sum(sum(self.win.rgb(x, y)) for x in range(87, 231)) / 144
        for y in range(44, 332):
            for x in range(87, 231):
                r, g, b = self.win.rgb(x, y)
                self.assertGreaterEqual(b, r, f"well at ({x},{y}) is not sky: {r, g, b}")
        self.assertLess(brightness(44) + 60, brightness(331))

    def test_score_digits_area_is_plain_violet(self):
        for y in range(374, 389):
            for x in range(90, 201):
                r, g, b = colour = self.win.rgb(x, y)
                self.assertTrue(b > g + 40 and r > g, f"bar at ({x},{y}) is {colour}")
        # Only a vertical gradient: no text or marks in the digits' box.
        rows = {y: {self.win.rgb(x, y) for x in range(92, 198)} for y in range(374, 389)}
        self.assertTrue(all(len(c) <= 2 for c in rows.values()), "the bar varies along a row")


class PaletteTest(unittest.TestCase):
    def test_reserved_colours_stay_exact_in_a_busy_picture(self):
        sys.path.insert(0, os.path.dirname(GENERATOR))
        from PIL import Image
        from artlib import palettise
        img = Image.new("RGB", (64, 64))
        img.putdata([(x * 4, y * 4, (x * y) % 256) for y in range(64) for x in range(64)])
        reserved = [(1, 2, 3), (250, 251, 252)]
        img.putpixel((0, 0), reserved[0])
        img.putpixel((63, 63), reserved[1])
        palette, indices = palettise(img, 40, keep=reserved)
        self.assertLessEqual(len(palette), 40)
        self.assertEqual(palette[indices[0]], reserved[0])
        self.assertEqual(palette[indices[-1]], reserved[1])
        # A colour that merely resembles a reserved one must not take its entry.
        self.assertNotIn(indices[1], (0, 1))


class ReproductionTest(unittest.TestCase):
    def test_generator_reproduces_the_committed_files(self):
        with tempfile.TemporaryDirectory() as out:
            run = subprocess.run([sys.executable, GENERATOR, "--out", out],
                                 capture_output=True, text=True, check=False)
            self.assertEqual(run.returncode, 0, run.stderr)
            committed = sorted(os.path.relpath(os.path.join(d, f), ASSETS)
                               for d, _, files in os.walk(ASSETS) for f in files)
            made = sorted(os.path.relpath(os.path.join(d, f), out)
                          for d, _, files in os.walk(out) for f in files)
            self.assertEqual(made, committed)
            for rel in committed:
                with self.subTest(file=rel):
                    with open(os.path.join(ASSETS, rel), "rb") as a, open(os.path.join(out, rel), "rb") as b:
                        self.assertTrue(a.read() == b.read(),
                                        f"assets/{rel} differs from a fresh run: "
                                        "run tools/art/generate.py and commit its output")


if __name__ == "__main__":
    unittest.main(verbosity=1)
