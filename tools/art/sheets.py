"""Review sheets: every picture at 1x and 4x, and the window as it looks
in play."""

from PIL import Image, ImageDraw

from artlib import font

BG = (60, 62, 68)
INK = (226, 228, 232)
GAP = 16

# A game in progress: (column, row, code), columns 1..6 and rows 1..12.
BOARD = [(1, 12, 7), (2, 12, 7), (3, 12, 2), (4, 12, 5), (5, 12, 7), (6, 12, 3),
         (1, 11, 4), (2, 11, 6), (3, 11, 3), (4, 11, 2), (5, 11, 6), (6, 11, 4),
         (1, 10, 2), (2, 10, 5), (4, 10, 4), (5, 10, 3), (6, 10, 6),
         (1, 9, 3), (5, 9, 2), (6, 9, 5), (1, 8, 6),
         (3, 5, 8)]  # the special cell falling
NEXT = (5, 3)  # lower, upper
SEASON = 1


def _with_key_shown(img):
    """The icon with its colour key turned into a checkerboard."""
    out = img.convert("RGB")
    px = out.load()
    for y in range(out.size[1]):
        for x in range(out.size[0]):
            if px[x, y] == (255, 0, 255):
                px[x, y] = (150, 150, 156) if (x // 4 + y // 4) % 2 else (110, 110, 116)
    return out


def contact_sheet(stored):
    order = ["window", "promo", "start"] + [f"season{i}" for i in range(4)] + \
            [f"cell{c}" for c in range(2, 9)] + ["icon"]
    tiles = []
    label_font = font("sans", 13)
    for name in order:
        img = stored[name] if name != "icon" else _with_key_shown(stored[name])
        w, h = img.size
        tile = Image.new("RGB", (w + GAP + 4 * w, 4 * h + 20), BG)
        tile.paste(img, (0, 20))
        tile.paste(img.resize((4 * w, 4 * h), Image.NEAREST), (w + GAP, 20))
        ImageDraw.Draw(tile).text((0, 2), f"{name}.bmp  {w} x {h}", font=label_font, fill=INK)
        tiles.append(tile)
    icons = stored["icons"]
    strip_w = sum(icons) + GAP * (len(icons) - 1)
    strip = Image.new("RGBA", (strip_w, max(icons) + 20), BG + (255,))
    x = 0
    for size, img in sorted(icons.items()):
        strip.alpha_composite(img, (x, 20 + max(icons) - size))
        x += size + GAP
    ImageDraw.Draw(strip).text((0, 2), "icons/quillmere-16 .. 256.png", font=label_font, fill=INK)
    tiles.append(strip.convert("RGB"))

    # Shelf packing: the big window first, the rest in rows beside it.
    width = tiles[0].size[0] + GAP * 3 + 1000
    placed, x, y, shelf = [], GAP, GAP, 0
    first = tiles[0]
    placed.append((first, (GAP, GAP)))
    left = GAP * 2 + first.size[0]
    x, y = left, GAP
    for tile in tiles[1:]:
        if x + tile.size[0] > width - GAP:
            x, y, shelf = left, y + shelf + GAP, 0
        placed.append((tile, (x, y)))
        x += tile.size[0] + GAP
        shelf = max(shelf, tile.size[1])
    height = max(first.size[1], y + shelf) + 2 * GAP
    sheet = Image.new("RGB", (width, height), BG)
    for tile, pos in placed:
        sheet.paste(tile, pos)
    return sheet


def window_mock(stored):
    img = stored["window"].copy()
    for col, row, code in BOARD:
        img.paste(stored[f"cell{code}"], (63 + 24 * col, 20 + 24 * row))
    img.paste(stored[f"cell{NEXT[0]}"], (272, 48))
    img.paste(stored[f"cell{NEXT[1]}"], (272, 24))
    img.paste(stored[f"season{SEASON}"], (8, 120))
    img.paste(stored["start"], (248, 368))
    ImageDraw.Draw(img).text((90, 372), "1234", font=font("sans-bold", 17), fill=(255, 255, 0))
    return img.resize((img.size[0] * 2, img.size[1] * 2), Image.NEAREST)


def strip(stored, names, scale):
    """Pictures side by side at a whole scale on a clear background, for the README."""
    imgs = [stored[n].convert("RGBA") for n in names]
    imgs = [i.resize((i.size[0] * scale, i.size[1] * scale), Image.NEAREST) for i in imgs]
    gap = 4 * scale
    out = Image.new("RGBA", (sum(i.size[0] for i in imgs) + gap * (len(imgs) - 1),
                             max(i.size[1] for i in imgs)), (0, 0, 0, 0))
    x = 0
    for img in imgs:
        out.paste(img, (x, 0))
        x += img.size[0] + gap
    return out
