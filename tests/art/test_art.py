"""The committed pictures are the art generator's output byte for byte, and each is the 8-bit,
uncompressed BMP of its size that the game decodes. Run from the repository root:
/usr/bin/python3 tests/art/test_art.py"""

import os
import struct
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ASSETS = os.path.join(ROOT, "assets")
SIZES = {"window": (320, 400), "start": (58, 28), "promo": (120, 155), "icon": (32, 32),
         **{f"season{i}": (45, 70) for i in range(4)}, **{f"cell{c}": (24, 24) for c in range(2, 9)}}


class ArtTest(unittest.TestCase):
    def test_every_picture_is_an_8_bit_bmp_of_its_size(self):
        for name, (w, h) in SIZES.items():
            with self.subTest(picture=name), open(os.path.join(ASSETS, name + ".bmp"), "rb") as f:
                data = f.read()
            magic, size, _, _, offset, header, width, height, planes, bpp, compression = \
                struct.unpack_from("<2sIHHIIiiHHI", data)
            colours = struct.unpack_from("<I", data, 46)[0]
            self.assertEqual((magic, size, header, planes, bpp, compression),
                             (b"BM", len(data), 40, 1, 8, 0), name)
            self.assertEqual((width, abs(height)), (w, h), name)
            self.assertEqual(offset, 54 + 4 * colours, name)  # the pixels follow the palette
            self.assertEqual(len(data), offset + ((w + 3) & ~3) * h, name)
            self.assertLess(max(data[offset:]), colours, name)  # no index past the palette

    def test_the_generator_reproduces_the_committed_files(self):
        with tempfile.TemporaryDirectory() as out:
            run = subprocess.run([sys.executable, os.path.join(ROOT, "tools", "art", "generate.py"),
                                  "--out", out], capture_output=True, text=True)
            self.assertEqual(run.returncode, 0, run.stderr)
            for d, _, files in os.walk(ASSETS):
                for f in files:
                    rel = os.path.relpath(os.path.join(d, f), ASSETS)
                    with open(os.path.join(ASSETS, rel), "rb") as a, open(os.path.join(out, rel), "rb") as b:
                        self.assertTrue(a.read() == b.read(), f"assets/{rel}: run tools/art/generate.py")
            made = sum(len(files) for _, _, files in os.walk(out))
            self.assertEqual(made, sum(len(files) for _, _, files in os.walk(ASSETS)))


if __name__ == "__main__":
    unittest.main(verbosity=1)
