"""Drawing helpers shared by the console artwork: colours, gradients,
anti-aliased shapes (drawn large, then averaged down) and text.

Everything here is deterministic: no clocks, no unseeded randomness, and
text goes through FreeType's basic layout so the output does not depend on
whether a shaping library happens to be installed.
"""

import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

SS = 4  # supersampling factor for shapes

FONT_DIR = "/usr/share/fonts/truetype/liberation/"
SANS = FONT_DIR + "LiberationSans-Regular.ttf"
SANS_BOLD = FONT_DIR + "LiberationSans-Bold.ttf"

# The console's palette.
GOLD = (255, 215, 0)
GOLD_LIGHT = (255, 236, 150)
GOLD_DARK = (150, 105, 25)
AMBER = (255, 170, 30)
STAGE_TOP = (9, 13, 36)
STAGE_BOTTOM = (2, 3, 10)
PANEL_TOP = (30, 70, 170)
PANEL_BOTTOM = (8, 26, 92)
STEEL = (96, 116, 170)

_fonts = {}


def font(size, bold=True):
    key = (size, bold)
    if key not in _fonts:
        _fonts[key] = ImageFont.truetype(SANS_BOLD if bold else SANS, size,
                                         layout_engine=ImageFont.Layout.BASIC)
    return _fonts[key]


def rng(seed):
    return np.random.default_rng(seed)


# --- arrays -----------------------------------------------------------------

def to_image(arr):
    """Float RGB array (0..255) to an RGB image, rounding half up."""
    return Image.fromarray(np.clip(np.floor(arr + 0.5), 0, 255).astype(np.uint8), "RGB")


def to_array(img):
    return np.asarray(img.convert("RGB"), dtype=np.float64)


def vgradient(w, h, top, bottom, y0=0, y1=None):
    """Vertical gradient, colour `top` at row y0 and `bottom` at row y1."""
    y1 = h - 1 if y1 is None else y1
    t = np.clip((np.arange(h) - y0) / max(1, y1 - y0), 0, 1)[:, None, None]
    top = np.array(top, dtype=np.float64)
    bottom = np.array(bottom, dtype=np.float64)
    return np.broadcast_to(top + (bottom - top) * t, (h, w, 3)).copy()


def radial(w, h, cx, cy, rx, ry, power=2.0):
    """1 at (cx, cy) falling smoothly to 0 at the ellipse of radii rx, ry."""
    ys, xs = np.mgrid[0:h, 0:w]
    d = np.sqrt(((xs + 0.5 - cx) / rx) ** 2 + ((ys + 0.5 - cy) / ry) ** 2)
    return np.clip(1 - d, 0, 1) ** power


def blend(arr, colour, alpha):
    """arr <- arr*(1-alpha) + colour*alpha; alpha a scalar or an HxW array."""
    a = np.asarray(alpha, dtype=np.float64)
    if a.ndim == 2:
        a = a[:, :, None]
    return arr * (1 - a) + np.asarray(colour, dtype=np.float64) * a


def add_light(arr, colour, amount):
    """Additive light: arr + colour*amount (amount HxW), clipped later."""
    return arr + np.asarray(colour, dtype=np.float64) * amount[:, :, None]


# --- anti-aliased masks -------------------------------------------------------

def mask(size, draw_fn, ss=SS):
    """Coverage mask (float HxW, 0..1) of whatever draw_fn(draw, s) paints in
    white on a canvas `ss` times larger; `s` scales continuous pixel-edge
    coordinates into that canvas."""
    w, h = size
    big = Image.new("L", (w * ss, h * ss), 0)
    draw_fn(ImageDraw.Draw(big), ss)
    small = big.resize((w, h), Image.Resampling.BOX)
    return np.asarray(small, dtype=np.float64) / 255.0


def box(x0, y0, x1, y1, s):
    """Edge coordinates [x0, x1) x [y0, y1) as an inclusive box at scale s."""
    return (round(x0 * s), round(y0 * s), round(x1 * s) - 1, round(y1 * s) - 1)


def pts(points, s):
    return [(x * s, y * s) for x, y in points]


def rrect_mask(size, x0, y0, x1, y1, r):
    return mask(size, lambda d, s: d.rounded_rectangle(box(x0, y0, x1, y1, s), radius=r * s, fill=255))


def ellipse_mask(size, x0, y0, x1, y1):
    return mask(size, lambda d, s: d.ellipse(box(x0, y0, x1, y1, s), fill=255))


def poly_mask(size, points):
    return mask(size, lambda d, s: d.polygon(pts(points, s), fill=255))


def ring(outer, inner):
    """The band between two nested masks."""
    return np.clip(outer - inner, 0, 1)


def blur(m, radius):
    img = Image.fromarray(np.clip(m * 255 + 0.5, 0, 255).astype(np.uint8), "L")
    return np.asarray(img.filter(ImageFilter.GaussianBlur(radius)), dtype=np.float64) / 255.0


def shift(m, dx, dy):
    """Mask moved by whole pixels, zero-filled."""
    out = np.zeros_like(m)
    h, w = m.shape
    ys = slice(max(0, dy), min(h, h + dy))
    yd = slice(max(0, -dy), min(h, h - dy))
    xs = slice(max(0, dx), min(w, w + dx))
    xd = slice(max(0, -dx), min(w, w - dx))
    out[ys, xs] = m[yd, xd]
    return out


def star_points(cx, cy, r_out, r_in=None, n=5, rot=-90.0):
    r_in = r_out * 0.42 if r_in is None else r_in
    out = []
    for i in range(2 * n):
        r = r_out if i % 2 == 0 else r_in
        a = np.radians(rot + i * 180.0 / n)
        out.append((cx + r * np.cos(a), cy + r * np.sin(a)))
    return out


# --- text ---------------------------------------------------------------------

def text_mask(size, xy, text, fnt, anchor="mm", spacing=0.0):
    """Coverage mask of one line of text; `spacing` adds pixels between
    letters (drawn glyph by glyph)."""
    img = Image.new("L", size, 0)
    d = ImageDraw.Draw(img)
    if not spacing:
        d.text(xy, text, fill=255, font=fnt, anchor=anchor)
    else:
        widths = [d.textlength(c, font=fnt) for c in text]
        total = sum(widths) + spacing * (len(text) - 1)
        x = xy[0] - {"l": 0, "m": total / 2, "r": total}[anchor[0]]
        for c, cw in zip(text, widths):
            d.text((x, xy[1]), c, fill=255, font=fnt, anchor="l" + anchor[1])
            x += cw + spacing
    return np.asarray(img, dtype=np.float64) / 255.0


def text_width(text, fnt):
    return ImageDraw.Draw(Image.new("L", (1, 1))).textlength(text, font=fnt)
