"""The committed pictures are the art generator's output, byte for byte (the window's tests check
that the game shows them). Run from the repository root: /usr/bin/python3 tests/art/test_art.py"""

import os
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ASSETS = os.path.join(ROOT, "assets")


def files(top):
    return sorted(os.path.relpath(os.path.join(d, f), top) for d, _, names in os.walk(top)
                  for f in names)


class ArtTest(unittest.TestCase):
    def test_the_generator_reproduces_the_committed_files(self):
        with tempfile.TemporaryDirectory() as out:
            run = subprocess.run([sys.executable, os.path.join(ROOT, "tools", "art", "generate.py"),
                                  "--out", out], capture_output=True, text=True)
            self.assertEqual(run.returncode, 0, run.stderr)
            self.assertEqual(files(out), files(ASSETS))
            for rel in files(ASSETS):
                with open(os.path.join(ASSETS, rel), "rb") as a, open(os.path.join(out, rel), "rb") as b:
                    self.assertTrue(a.read() == b.read(), f"assets/{rel}: run tools/art/generate.py")


if __name__ == "__main__":
    unittest.main(verbosity=1)
