"""The start button's face, 58 x 28."""

from PIL import Image, ImageDraw

from artlib import downsample, font

W, H = 58, 28
SS = 4
FACE = (200, 200, 204)
LIGHT = (248, 248, 250)
DARK = (104, 104, 110)
RED = (214, 16, 24)
PINK = (255, 168, 184)


def draw_button():
    img = Image.new("RGB", (W, H), FACE)
    d = ImageDraw.Draw(img)
    # Two pixels of light on the top and left, dark on the bottom and right;
    # the dark edge wins the corners it shares, as on a raised key.
    d.rectangle([0, 0, W - 1, 1], fill=LIGHT)
    d.rectangle([0, 0, 1, H - 1], fill=LIGHT)
    d.rectangle([0, H - 2, W - 1, H - 1], fill=DARK)
    d.rectangle([W - 2, 0, W - 1, H - 1], fill=DARK)
    d.point([(W - 2, 0), (0, H - 2)], fill=LIGHT)

    text = Image.new("RGBA", (W * SS, H * SS), (0, 0, 0, 0))
    td = ImageDraw.Draw(text)
    f = font("sans-bold", 13 * SS)
    centre = (W / 2 * SS, (H / 2 - 0.5) * SS)
    td.text((centre[0] + 1.5 * SS, centre[1] + 1.5 * SS), "START", font=f, anchor="mm", fill=PINK + (255,))
    td.text(centre, "START", font=f, anchor="mm", fill=RED + (255,))
    img = img.convert("RGBA")
    img.alpha_composite(downsample(text, SS))
    return img.convert("RGB")
