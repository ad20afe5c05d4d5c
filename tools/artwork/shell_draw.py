"""Drawing pieces of the game program's artwork: the emblem (a wheel of
four answer segments around a question mark), the dark stage behind the
welcome and goodbye screens, and the thin gold outlines of the buttons and
frames. Built on the console's helpers in media_draw, so both share one
palette and one way of drawing.
"""

import numpy as np
from PIL import Image

import media_draw as D

WHITE = (255, 255, 255)
HIGHLIGHT = (251, 148, 11)      # the console's highlight colour
NAVY = (10, 18, 52)

# Segment colours of the emblem, answers A (top left), B (top right),
# C (bottom left), D (bottom right): (light, dark, letter ink).
ORDINARY = {
    "segments": [((86, 146, 255), (20, 50, 170), WHITE),
                 ((255, 190, 70), HIGHLIGHT, WHITE),
                 ((92, 214, 120), (16, 122, 56), WHITE),
                 ((250, 96, 96), (160, 20, 36), WHITE)],
    "mark": D.GOLD,
}
# The French course: the flag's blue, white and red.
FRENCH = {
    "segments": [((60, 120, 230), (0, 50, 140), WHITE),
                 ((255, 255, 255), (196, 204, 222), (0, 50, 140)),
                 ((255, 255, 255), (196, 204, 222), (0, 50, 140)),
                 ((255, 100, 90), (190, 20, 30), WHITE)],
    "mark": WHITE,
}
FLAG_BLUE = (0, 85, 164)
FLAG_RED = (239, 65, 53)


def centred_text(size, cx, cy, text, fnt):
    """Coverage mask of text whose ink, not its line box, is centred on
    (cx, cy): a lone question mark sits in the middle of its disc."""
    x0, y0, x1, y1 = fnt.getbbox(text, anchor="lt")
    return D.text_mask(size, (round(cx - (x0 + x1) / 2), round(cy - (y0 + y1) / 2)), text, fnt, anchor="lt")


def put(arr, fill, m):
    """arr <- fill where mask m covers it; fill a colour or an HxWx3 array."""
    if isinstance(fill, np.ndarray):
        return arr * (1 - m[:, :, None]) + fill * m[:, :, None]
    return D.blend(arr, fill, m)


def emblem(s, scheme):
    """The emblem on an s x s square: (RGB float array, alpha array).
    Small sizes leave out the letters and the lamps and get a bigger hub so
    that the question mark stays readable in a 16 pixel icon."""
    size = (s, s)
    c = s / 2
    r = c - max(0.5, s / 96)
    small = s < 48
    rim_w = max(1.2, r * 0.12)
    ri = r - rim_w
    rh = ri * (0.72 if s < 20 else 0.54 if small else 0.40)
    gap = max(0.8, s * 0.016)

    disc = D.ellipse_mask(size, c - r, c - r, c + r, c + r)
    arr = D.vgradient(s, s, D.GOLD_LIGHT, D.GOLD_DARK, c - r, c + r)

    inner = D.ellipse_mask(size, c - ri, c - ri, c + ri, c + ri)
    arr = put(arr, NAVY, inner)
    corners = [(c - ri, c - ri, -1, -1), (c + gap / 2, c - ri, 1, -1),
               (c - ri, c + gap / 2, -1, 1), (c + gap / 2, c + gap / 2, 1, 1)]
    for (light, dark, _), (x0, y0, _, _) in zip(scheme["segments"], corners):
        quad = D.mask(size, lambda d, k, x0=x0, y0=y0: d.rectangle(
            D.box(x0, y0, x0 + ri - gap / 2, y0 + ri - gap / 2, k), fill=255)) * inner
        fill = D.vgradient(s, s, light, dark, c - ri, c + ri)
        arr = put(arr, fill, quad)
    # A soft gloss across the upper half of the face.
    gloss = D.ellipse_mask(size, c - ri * 0.8, c - ri * 0.95, c + ri * 0.8, c + ri * 0.1) * inner
    arr = D.blend(arr, WHITE, gloss * D.vgradient(s, s, (0.32,) * 3, (0.0,) * 3, c - ri, c)[:, :, 0])

    if not small:
        fnt = D.font(max(8, round(s * 0.13)))
        d = (ri + rh) / 2 / np.sqrt(2)
        for (_, _, ink), (dx, dy), letter in zip(scheme["segments"], [(-1, -1), (1, -1), (-1, 1), (1, 1)], "ABCD"):
            t = centred_text(size, c + dx * d, c + dy * d, letter, fnt)
            shadow = (0, 0, 0) if ink == WHITE else WHITE
            arr = D.blend(arr, shadow, D.shift(t, 1, 1) * 0.45)
            arr = D.blend(arr, ink, t)
        # Lamps around the rim, as on a wheel of fortune.
        lamp_r = max(1.0, rim_w * 0.28)

        def lamps(dr, k):
            for i in range(16):
                a = np.radians(i * 22.5 + 11.25)
                x, y = c + (r - rim_w / 2) * np.cos(a), c + (r - rim_w / 2) * np.sin(a)
                dr.ellipse(D.box(x - lamp_r, y - lamp_r, x + lamp_r, y + lamp_r, k), fill=255)
        arr = D.blend(arr, (255, 252, 230), D.mask(size, lamps))

    hub = D.ellipse_mask(size, c - rh, c - rh, c + rh, c + rh)
    hub_rim = max(1.0, rh * 0.14)
    hub_in = D.ellipse_mask(size, c - rh + hub_rim, c - rh + hub_rim, c + rh - hub_rim, c + rh - hub_rim)
    arr = D.blend(arr, (0, 0, 0), D.blur(hub, max(0.6, s / 100)) * 0.5)
    arr = put(arr, D.vgradient(s, s, D.GOLD_LIGHT, D.GOLD_DARK, c - rh, c + rh), hub)
    arr = put(arr, D.vgradient(s, s, (30, 50, 120), (4, 8, 30), c - rh, c + rh), hub_in)
    mark = centred_text(size, c, c, "?", D.font(max(8, round(rh * (1.75 if small else 1.45)))))
    if not small:
        arr = D.blend(arr, (0, 0, 0), D.shift(mark, 1, 1) * 0.6)
    arr = D.blend(arr, scheme["mark"], mark)
    return np.clip(arr, 0, 255), disc


def emblem_rgba(s, scheme):
    """The emblem as an s x s RGBA image, for the icons."""
    rgb, alpha = emblem(s, scheme)
    img = D.to_image(rgb).convert("RGBA")
    img.putalpha(Image.fromarray(np.clip(np.floor(alpha * 255 + 0.5), 0, 255).astype(np.uint8), "L"))
    return img


def place(arr, s, scheme, cx, cy, glow=(255, 190, 60)):
    """The emblem of size s centred on (cx, cy) of a bigger picture, with a
    warm halo and a drop shadow. cx - s/2 and cy - s/2 must be whole."""
    h, w = arr.shape[:2]
    x, y = round(cx - s / 2), round(cy - s / 2)
    rgb, alpha = emblem(s, scheme)
    big_rgb = np.zeros_like(arr)
    big_alpha = np.zeros((h, w))
    big_rgb[y:y + s, x:x + s] = rgb
    big_alpha[y:y + s, x:x + s] = alpha
    if glow:
        arr = D.add_light(arr, glow, D.blur(big_alpha, s / 14) * 0.35)
    arr = D.blend(arr, (0, 0, 0), D.shift(D.blur(big_alpha, s / 40), round(s / 60), round(s / 30)) * 0.6)
    return put(arr, big_rgb, big_alpha)


def stage(w, h, tint=(16, 34, 96), beams=((40, 60, 120), (40, 60, 120)), dark_from=None):
    """The console's dark stage: a night-blue gradient, light pooled behind
    the middle of the upper part, two faint spotlight beams from above.
    From row dark_from on it fades to plain black, where other pictures
    with black backgrounds are laid over it."""
    arr = D.vgradient(w, h, D.STAGE_TOP, D.STAGE_BOTTOM)
    arr = D.add_light(arr, tint, D.radial(w, h, w / 2, h * 0.34, w * 0.62, h * 0.5, 1.5) * 0.6)
    ys, xs = np.mgrid[0:h, 0:w].astype(np.float64)
    for (sx, slope), colour in zip(((w * 0.08, 0.55), (w * 0.92, -0.62)), beams):
        axis = sx + slope * ys
        width = 18 + 0.22 * ys
        beam = np.clip(1 - np.abs(xs - axis) / width, 0, 1) ** 2 * np.clip(1 - ys / (h * 0.84), 0, 1)
        arr = D.add_light(arr, colour, beam * 0.22)
    if dark_from is not None:
        fade = np.clip((dark_from - np.arange(h)) / 60.0, 0, 1)[:, None, None]
        arr = arr * fade
    return arr


def gold_text(arr, size, xy, text, fnt, anchor="mm", spacing=0.0, light=D.GOLD_LIGHT, dark=(205, 140, 30)):
    """Title lettering: a gold gradient over the letters' height with a soft
    shadow below them."""
    w, h = size
    t = D.text_mask(size, xy, text, fnt, anchor=anchor, spacing=spacing)
    rows = np.nonzero(t.max(axis=1) > 0)[0]
    arr = D.blend(arr, (0, 0, 0), D.blur(D.shift(t, 2, 3), 2.0) * 0.9)
    gold = D.vgradient(w, h, light, dark, rows[0], rows[-1])
    return put(arr, gold, t)


def plain_text(arr, size, xy, text, fnt, colour=WHITE, anchor="mm"):
    t = D.text_mask(size, xy, text, fnt, anchor=anchor)
    arr = D.blend(arr, (0, 0, 0), D.shift(t, 1, 1) * 0.8)
    return D.blend(arr, colour, t)


def outline(arr, size, shape, x0, y0, x1, y1, width=1.2, radius=0):
    """A thin gold outline of an oval or a rounded rectangle whose outer
    edge runs along x0, y0, x1, y1 (pixel edges)."""
    w, h = size
    if shape == "oval":
        outer = D.ellipse_mask(size, x0, y0, x1, y1)
        inner = D.ellipse_mask(size, x0 + width, y0 + width, x1 - width, y1 - width)
    else:
        outer = D.rrect_mask(size, x0, y0, x1, y1, radius)
        inner = D.rrect_mask(size, x0 + width, y0 + width, x1 - width, y1 - width, radius - width)
    rim = D.vgradient(w, h, (255, 232, 140), (176, 116, 26), y0, y1)
    return put(arr, rim, D.ring(outer, inner))


def tricolour(arr, size, x0, y0, x1, y1):
    """A small French flag band: blue, white and red bars side by side."""
    third = (x1 - x0) / 3
    for i, colour in enumerate((FLAG_BLUE, (245, 245, 245), FLAG_RED)):
        m = D.mask(size, lambda d, k, i=i: d.rectangle(D.box(x0 + i * third, y0, x0 + (i + 1) * third, y1, k), fill=255))
        arr = D.blend(arr, colour, m)
    return arr
