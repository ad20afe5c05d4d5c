"""The lifeline buttons and the result pictures shown in the centre screen.

The buttons and the tick and cross marks are drawn on the very piece of
the skin they cover, so that only the oval or the badge seems to change.
"""

import numpy as np
from PIL import Image

import media_draw as D
import media_layout as L
import media_skin

# --- lifeline buttons ----------------------------------------------------------


def lifeline_button(skin, rect, width, text, highlighted):
    """A lit lifeline: a dark blue oval with a gold rim, or, under the mouse,
    a glowing yellow one. `width` may exceed the control's by a pixel."""
    x, y, _, h = rect
    size = (width, h)
    arr = D.to_array(skin.crop((x, y, x + width, y + h)))
    ox0, oy0, ox1, oy1 = media_skin.lifeline_oval(rect)
    ox0, ox1, oy0, oy1 = ox0 - x, ox1 - x, oy0 - y, oy1 - y
    outer = D.ellipse_mask(size, ox0, oy0, ox1, oy1)
    inner = D.ellipse_mask(size, ox0 + 1.5, oy0 + 1.5, ox1 - 1.5, oy1 - 1.5)
    gloss = D.ellipse_mask(size, ox0 + 6, oy0 + 2.5, ox1 - 6, (oy0 + oy1) / 2 + 1) * inner
    cx, cy = (ox0 + ox1) / 2, (oy0 + oy1) / 2
    label = D.text_mask(size, (cx, cy + 0.5), text, D.font(13 if len(text) < 6 else 12))
    if highlighted:
        arr = D.add_light(arr, (255, 190, 40), D.blur(outer, 2.2) * 0.55)
        fill = D.vgradient(width, h, (255, 240, 130), (236, 150, 6), oy0, oy1)
        rim = D.vgradient(width, h, (255, 252, 220), (170, 96, 0), oy0, oy1)
        ink, shadow = (22, 26, 76), (255, 248, 200)
    else:
        fill = D.vgradient(width, h, (34, 60, 150), (6, 12, 46), oy0, oy1)
        rim = D.vgradient(width, h, (255, 228, 136), (164, 104, 22), oy0, oy1)
        ink, shadow = (255, 255, 255), (0, 0, 0)
    arr = arr * (1 - outer[:, :, None]) + rim * outer[:, :, None]
    arr = arr * (1 - inner[:, :, None]) + fill * inner[:, :, None]
    arr = D.blend(arr, (255, 255, 255), gloss * (0.28 if highlighted else 0.12))
    arr = D.blend(arr, shadow, D.shift(label, 1, 1) * 0.5)
    arr = D.blend(arr, ink, label)
    return D.to_image(np.clip(arr, 0, 255))


def lifeline_buttons(skin):
    """BUTTONS 233 to 236, keyed by resource number."""
    fifty, answer = L.LIFELINE_5050, L.LIFELINE_ANSWER
    return {
        233: lifeline_button(skin, fifty, 65, "50:50", True),
        234: lifeline_button(skin, fifty, 66, "50:50", False),
        235: lifeline_button(skin, answer, 65, "Answer", False),
        236: lifeline_button(skin, answer, 65, "Answer", True),
    }


# --- result marks ----------------------------------------------------------------


def _badge(skin, light, dark, draw_symbol):
    """A glossy coloured disc in a white ring, drawn on the part of the
    screen where the console centres a 135 x 138 picture."""
    x, y = L.RESULT_MARK_AT
    w, h = L.RESULT_MARK_SIZE
    size = (w, h)
    arr = D.to_array(skin.crop((x, y, x + w, y + h)))
    cx, cy, r = w / 2, h / 2, 56.0
    disc = D.ellipse_mask(size, cx - r, cy - r, cx + r, cy + r)
    face = D.ellipse_mask(size, cx - r + 6, cy - r + 6, cx + r - 6, cy + r - 6)
    arr = D.add_light(arr, light, D.blur(disc, 7) * 0.35)              # halo
    arr = D.blend(arr, (0, 0, 0), D.shift(D.blur(disc, 3), 2, 4) * 0.6)  # shadow
    ring = D.vgradient(w, h, (255, 255, 255), (176, 186, 206), cy - r, cy + r)
    arr = arr * (1 - disc[:, :, None]) + ring * disc[:, :, None]
    fill = D.vgradient(w, h, light, dark, cy - r, cy + r)
    fill = D.add_light(fill, (60, 60, 60), D.radial(w, h, cx - 14, cy - 20, 60, 50, 1.2))
    arr = arr * (1 - face[:, :, None]) + fill * face[:, :, None]
    gloss = D.ellipse_mask(size, cx - 36, cy - r + 9, cx + 36, cy - 2) * face
    arr = D.blend(arr, (255, 255, 255), gloss * D.vgradient(w, h, (0.3,) * 3, (0.0,) * 3, cy - r, cy)[:, :, 0])
    symbol = D.mask(size, draw_symbol)
    arr = D.blend(arr, (0, 0, 0), D.shift(D.blur(symbol, 1.5), 2, 3) * 0.45)
    arr = D.blend(arr, (255, 255, 255), symbol)
    return D.to_image(np.clip(arr, 0, 255))


def _thick_path(points, width):
    def draw(d, s):
        scaled = D.pts(points, s)
        d.line(scaled, fill=255, width=round(width * s), joint="curve")
        for px, py in scaled:                      # round ends
            d.ellipse((px - width * s / 2, py - width * s / 2, px + width * s / 2, py + width * s / 2), fill=255)
    return draw


def tick_mark(skin):
    return _badge(skin, (88, 226, 104), (8, 118, 42),
                  _thick_path([(41, 72), (59, 90), (95, 50)], 14))


def cross_mark(skin):
    a, b = _thick_path([(47, 50), (88, 91)], 14), _thick_path([(88, 50), (47, 91)], 14)

    def draw(d, s):
        a(d, s)
        b(d, s)
    return _badge(skin, (250, 96, 80), (150, 14, 14), draw)


def as_gif(img):
    """Reduce to one 256-entry colour table, without dithering so that the
    output is stable; the table is padded so its size never shrinks."""
    p = img.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    palette = p.getpalette()[:768]
    p.putpalette(palette + [0] * (768 - len(palette)))
    p.info["version"] = b"89a"
    return p


# --- result banners --------------------------------------------------------------


def _banner(skin, words, light, dark, icon):
    w, h = L.RESULT_BANNER_SIZE
    size = (w, h)
    x, y, cw, ch = L.CENTRE
    # The console shrinks this picture to fit its screen, so the backdrop is
    # the screen itself, stretched to the picture's size.
    arr = D.to_array(skin.crop((x, y, x + cw, y + ch)).resize(size, Image.Resampling.BICUBIC))
    bx0, by0, bx1, by1 = 16, 66, w - 16, h - 66
    plate = D.rrect_mask(size, bx0, by0, bx1, by1, 20)
    inner = D.rrect_mask(size, bx0 + 3, by0 + 3, bx1 - 3, by1 - 3, 17)
    arr = D.add_light(arr, light, D.blur(plate, 12) * 0.35)
    arr = D.blend(arr, (0, 0, 0), D.shift(D.blur(plate, 4), 3, 5) * 0.6)
    rim = D.vgradient(w, h, (255, 236, 150), (160, 100, 20), by0, by1)
    arr = arr * (1 - plate[:, :, None]) + rim * plate[:, :, None]
    fill = D.vgradient(w, h, light, dark, by0, by1)
    arr = arr * (1 - inner[:, :, None]) + fill * inner[:, :, None]
    gloss = D.rrect_mask(size, bx0 + 8, by0 + 5, bx1 - 8, (by0 + by1) / 2, 12)
    arr = D.blend(arr, (255, 255, 255), gloss * 0.14)

    fnt = D.font(46)
    tx = w / 2 + (22 if icon else 0)
    text = D.text_mask(size, (tx, (by0 + by1) / 2 + 1), words, fnt)
    arr = D.blend(arr, (0, 0, 0), D.shift(D.blur(text, 1.5), 2, 3) * 0.7)
    arr = D.blend(arr, (255, 255, 255), text)
    if icon:
        arr = icon(arr, size, bx0 + 40, (by0 + by1) / 2 + 2)
    return D.to_image(np.clip(arr, 0, 255))


def _stopwatch(arr, size, cx, cy):
    r = 24

    def draw(d, s):
        d.ellipse(D.box(cx - r, cy - r, cx + r, cy + r, s), outline=255, width=round(4.5 * s))
        d.rounded_rectangle(D.box(cx - 5, cy - r - 9, cx + 5, cy - r - 2, s), radius=2 * s, fill=255)
        d.rectangle(D.box(cx - 2, cy - r - 3, cx + 2, cy - r + 1, s), fill=255)
        d.line([(cx * s, cy * s), (cx * s, (cy - r + 9) * s)], fill=255, width=round(4 * s))
        d.line([(cx * s, cy * s), ((cx + 11) * s, (cy + 6) * s)], fill=255, width=round(3 * s))
        d.ellipse(D.box(cx - 3.5, cy - 3.5, cx + 3.5, cy + 3.5, s), fill=255)
    m = D.mask(size, draw)
    arr = D.blend(arr, (0, 0, 0), D.shift(D.blur(m, 1.5), 2, 3) * 0.6)
    return D.blend(arr, (255, 255, 255), m)


def time_out(skin):
    return _banner(skin, "Time Out", (255, 164, 36), (176, 70, 0), _stopwatch)


def game_over(skin):
    return _banner(skin, "Game Over", (226, 50, 64), (96, 6, 28), None)
