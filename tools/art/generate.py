#!/usr/bin/python3
"""Draws every picture of the game and writes them under assets/, plus the
review sheets under docs/.

    /usr/bin/python3 tools/art/generate.py [--out DIR] [--docs DIR]

--out writes the pictures to DIR instead of assets/ (the test uses it to
check that a second run gives the same bytes); the review sheets are then
only written when --docs is given as well."""

import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from artlib import bmp_bytes, indexed_image, write_bmp, write_png  # noqa: E402
import button  # noqa: E402
import cells  # noqa: E402
import icon  # noqa: E402
import promo  # noqa: E402
import seasons  # noqa: E402
import sheets  # noqa: E402
import window  # noqa: E402

REPO = os.path.dirname(os.path.dirname(HERE))


def generate(out):
    """Writes every picture to `out`; returns {name: picture as stored}."""
    os.makedirs(os.path.join(out, "icons"), exist_ok=True)
    stored = {}

    def bmp(name, img, max_colors, **kw):
        stored[name] = write_bmp(os.path.join(out, name + ".bmp"), img, max_colors, **kw)

    # The gradients of the well and the score bar get their own shares of
    # the palette so that they do not band.
    bmp("window", window.draw_window(), 256, regions=[(window.WELL, 104), (window.BAR, 36)])
    bmp("start", button.draw_button(), 72)
    for i, img in enumerate(seasons.draw_seasons()):
        bmp(f"season{i}", img, 256)
    for code, img in cells.draw_cells().items():
        keep = cells.TILE_COLOURS.get(code, (cells.TOP_EDGE, cells.NAVY))
        bmp(f"cell{code}", img, 256, keep=keep, min_colors=59)
    bmp("promo", promo.draw_promo(), 256)

    palette, indices = icon.bmp_icon()
    with open(os.path.join(out, "icon.bmp"), "wb") as f:
        f.write(bmp_bytes((32, 32), palette, indices))
    stored["icon"] = indexed_image((32, 32), palette, indices)
    stored["icons"] = {}
    for size in icon.PNG_SIZES:
        img = icon.png_icon(size)
        write_png(os.path.join(out, "icons", f"quillmere-{size}.png"), img)
        stored["icons"][size] = img
    return stored


def main():
    ap = argparse.ArgumentParser(description="Draws the game's pictures.")
    ap.add_argument("--out", help="directory for the pictures (default: assets/)")
    ap.add_argument("--docs", help="directory for the review sheets (default: docs/ "
                                   "when --out is not given)")
    args = ap.parse_args()
    out = args.out or os.path.join(REPO, "assets")
    docs = args.docs or (None if args.out else os.path.join(REPO, "docs"))
    stored = generate(out)
    if docs:
        os.makedirs(docs, exist_ok=True)
        write_png(os.path.join(docs, "art.png"), sheets.contact_sheet(stored))
        write_png(os.path.join(docs, "window-mock.png"), sheets.window_mock(stored))
        # The README's pictures: the stages in order of growth, the bee, the seasons as a game
        # meets them (from summer).
        write_png(os.path.join(docs, "stages.png"),
                  sheets.strip(stored, [f"cell{c}" for c in range(2, 8)], 2))
        write_png(os.path.join(docs, "bee.png"), sheets.strip(stored, ["cell8"], 2))
        write_png(os.path.join(docs, "seasons.png"),
                  sheets.strip(stored, [f"season{i}" for i in (1, 2, 3, 0)], 1))


if __name__ == "__main__":
    main()
