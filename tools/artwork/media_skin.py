"""The console background: a dark stage with the picture screen top left,
the blue ladder panel on the right, gauge trays in the middle band, and the
question bar with its four answer frames at the bottom.

The gauges' clips and the lifeline buttons are cut from this picture as
their backgrounds, so they sit on it without seams.
"""

import numpy as np

import media_draw as D
import media_layout as L

W, H = L.SKIN_SIZE
SIZE = (W, H)


def inset_polygon(points, d):
    """A convex polygon moved inwards by d pixels on every edge."""
    n = len(points)
    p = np.array(points, dtype=np.float64)
    area = sum(p[i][0] * p[(i + 1) % n][1] - p[(i + 1) % n][0] * p[i][1] for i in range(n))
    sign = 1.0 if area > 0 else -1.0
    lines = []
    for i in range(n):
        a, b = p[i], p[(i + 1) % n]
        t = (b - a) / np.hypot(*(b - a))
        normal = sign * np.array([-t[1], t[0]])   # points inwards
        lines.append((a + normal * d, t))
    out = []
    for i in range(n):
        (a0, t0), (a1, t1) = lines[i - 1], lines[i]
        # a0 + u t0 = a1 + v t1
        m = np.array([t0, -t1]).T
        u, _ = np.linalg.solve(m, a1 - a0)
        out.append(tuple(a0 + u * t0))
    return out


def hexagon(x0, y0, x1, y1, tip):
    """A bar with pointed ends: flat between x0 + tip and x1 - tip."""
    ym = (y0 + y1) / 2
    return [(x0, ym), (x0 + tip, y0), (x1 - tip, y0), (x1, ym), (x1 - tip, y1), (x0 + tip, y1)]


def framed_poly(arr, points, border, fill, rim_top, rim_bottom):
    """Fill a convex polygon and give it a metal rim `border` pixels wide.
    `fill` is a colour or an HxWx3 array."""
    outer = D.poly_mask(SIZE, points)
    inner = D.poly_mask(SIZE, inset_polygon(points, border))
    ys = [y for _, y in points]
    rim = D.vgradient(W, H, rim_top, rim_bottom, min(ys), max(ys))
    arr = D.blend(arr, fill, inner) if not isinstance(fill, np.ndarray) else arr * (1 - inner[:, :, None]) + fill * inner[:, :, None]
    return arr * (1 - D.ring(outer, inner)[:, :, None]) + rim * D.ring(outer, inner)[:, :, None]


def rounded_tray(arr, x0, y0, x1, y1, r, top, bottom, rim):
    outer = D.rrect_mask(SIZE, x0, y0, x1, y1, r)
    inner = D.rrect_mask(SIZE, x0 + 1, y0 + 1, x1 - 1, y1 - 1, r - 1)
    fill = D.vgradient(W, H, top, bottom, y0, y1)
    arr = arr * (1 - inner[:, :, None]) + fill * inner[:, :, None]
    return D.blend(arr, rim, D.ring(outer, inner))


def stage():
    arr = D.vgradient(W, H, D.STAGE_TOP, D.STAGE_BOTTOM)
    # Soft light pooled behind the screen and behind the question area.
    arr = D.add_light(arr, (16, 34, 96), D.radial(W, H, 190, 150, 330, 250, 1.5) * 0.55)
    arr = D.add_light(arr, (10, 20, 64), D.radial(W, H, 260, 430, 340, 110, 1.5) * 0.6)
    # Two faint spotlight beams falling from above the stage.
    ys, xs = np.mgrid[0:H, 0:W].astype(np.float64)
    for sx, slope in ((40.0, 0.55), (480.0, -0.62)):
        axis = sx + slope * ys
        width = 18 + 0.22 * ys
        beam = np.clip(1 - np.abs(xs - axis) / width, 0, 1) ** 2 * np.clip(1 - ys / 420, 0, 1)
        arr = D.add_light(arr, (40, 60, 120), beam * 0.18)
    return np.clip(arr, 0, 255)


def title_plate(arr):
    x, y, x1, y1 = L.edges(L.TITLE)
    return rounded_tray(arr, x - 3, y - 3, x1, y1 + 2, 7,
                        (26, 44, 108), (6, 10, 34), (190, 150, 60))


def centre_screen(arr):
    x0, y0, x1, y1 = L.edges(L.CENTRE)
    outer = D.rrect_mask(SIZE, x0 - 2, y0 - 2, x1 + 2, y1 + 2, 4)
    inner = D.rrect_mask(SIZE, x0, y0, x1, y1, 2)
    rim = D.vgradient(W, H, (170, 185, 225), (44, 54, 96), y0 - 2, y1 + 2)
    arr = arr * (1 - D.ring(outer, inner)[:, :, None]) + rim * D.ring(outer, inner)[:, :, None]

    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    screen = D.vgradient(W, H, (6, 10, 30), (2, 4, 14), y0, y1)
    screen = D.add_light(screen, (20, 42, 104), D.radial(W, H, cx, cy, 230, 150, 1.4))

    # A faint wheel behind whatever the screen shows.
    def wheel(d, s):
        for r in (34, 70, 104):
            d.ellipse(D.box(cx - r, cy - r, cx + r, cy + r, s), outline=255, width=s)
        for i in range(16):
            a = np.radians(i * 22.5)
            d.line([((cx + 34 * np.cos(a)) * s, (cy + 34 * np.sin(a)) * s),
                    ((cx + 150 * np.cos(a)) * s, (cy + 150 * np.sin(a)) * s)], fill=255, width=s)
    spokes = D.mask(SIZE, wheel) * D.radial(W, H, cx, cy, 190, 190, 0.8)
    screen = D.add_light(screen, (60, 100, 190), spokes * 0.16)
    return arr * (1 - inner[:, :, None]) + screen * inner[:, :, None]


def ladder_panel(arr):
    x0, y0, x1, y1 = L.edges(L.LADDER)
    px0, py0, px1, py1 = x0 - 1, y0 - 6, x1 + 5, y1 + 5
    outer = D.rrect_mask(SIZE, px0, py0, px1, py1, 8)
    inner = D.rrect_mask(SIZE, px0 + 1.5, py0 + 1.5, px1 - 1.5, py1 - 1.5, 6.5)
    fill = D.vgradient(W, H, D.PANEL_TOP, D.PANEL_BOTTOM, py0, py1)
    fill = D.add_light(fill, (40, 70, 130), D.radial(W, H, (px0 + px1) / 2, py0, 120, 90, 1.5) * 0.6)
    rim = D.vgradient(W, H, (250, 215, 120), (150, 100, 30), py0, py1)
    arr = arr * (1 - inner[:, :, None]) + fill * inner[:, :, None]
    return arr * (1 - D.ring(outer, inner)[:, :, None]) + rim * D.ring(outer, inner)[:, :, None]


def gauge_trays(arr):
    # The countdown runs in a recessed groove the width of the console.
    x0, y0, x1, y1 = L.edges(L.COUNTDOWN)
    groove = D.rrect_mask(SIZE, x0 - 2, y0 - 2, x1 + 2, y1 + 2, 3)
    arr = D.blend(arr, (44, 56, 96), groove)                       # lit lower lip
    arr = D.blend(arr, (0, 0, 0), D.rrect_mask(SIZE, x0 - 2, y0 - 2, x1 + 2, y1 + 1, 3))
    arr = D.blend(arr, (2, 3, 9), D.rrect_mask(SIZE, x0 - 1, y0 - 1, x1 + 1, y1 + 1, 2))

    lx0, ly0, lx1, ly1 = L.edges(L.LIVES)
    arr = rounded_tray(arr, lx0 - 3, ly0 - 1, lx1 + 3, ly1 + 2, 6,
                       (12, 20, 52), (3, 5, 16), (64, 78, 128))
    fx0, fy0, _, fy1 = L.edges(L.LIFELINE_5050)
    _, _, ax1, _ = L.edges(L.LIFELINE_ANSWER)
    arr = rounded_tray(arr, fx0 - 4, fy0 - 1, ax1 + 4, fy1 + 3, 6,
                       (12, 20, 52), (3, 5, 16), (64, 78, 128))
    for rect, text, size in ((L.LIFELINE_5050, "50:50", 13), (L.LIFELINE_ANSWER, "Answer", 12)):
        arr = lifeline_socket(arr, rect, text, size)
    return arr


def lifeline_oval(rect):
    """The oval of a lifeline button inside its rectangle (shared with the
    button pictures so that lit and dark line up exactly)."""
    x, y, w, h = rect
    return x + 2.5, y + 3, x + w - 2.5, y + h - 3


def lifeline_socket(arr, rect, text, size):
    """The dark, spent look of a lifeline: an empty engraved oval."""
    ox0, oy0, ox1, oy1 = lifeline_oval(rect)
    outer = D.ellipse_mask(SIZE, ox0, oy0, ox1, oy1)
    inner = D.ellipse_mask(SIZE, ox0 + 1, oy0 + 1, ox1 - 1, oy1 - 1)
    arr = D.blend(arr, (7, 10, 26), inner)
    arr = D.blend(arr, (48, 58, 94), D.ring(outer, inner))
    cx, cy = (ox0 + ox1) / 2, (oy0 + oy1) / 2
    t = D.text_mask(SIZE, (cx, cy), text, D.font(size))
    arr = D.blend(arr, (0, 0, 0), D.shift(t, 0, -1) * 0.8)
    return D.blend(arr, (46, 54, 84), t)


def wordmark(arr):
    x0 = L.LIVES[0] + L.LIVES[2] + 3
    x1 = L.LIFELINE_5050[0] - 4
    cx, cy = (x0 + x1) / 2, L.LIVES[1] + 20
    t = D.text_mask(SIZE, (cx, cy), "THE BRAINWHEEL", D.font(15), spacing=1.6)
    arr = D.blend(arr, (0, 0, 0), D.blur(D.shift(t, 1, 1), 1.0) * 0.9)
    gold = D.vgradient(W, H, D.GOLD_LIGHT, (205, 140, 30), cy - 7, cy + 7)
    arr = arr * (1 - t[:, :, None]) + gold * t[:, :, None]
    # Fine rules above and below, fading out towards their ends.
    xs = np.arange(W, dtype=np.float64)
    fade = np.clip(1 - np.abs(xs - cx) / ((x1 - x0) / 2 - 6), 0, 1) ** 0.7
    rules = np.zeros((H, W))
    rules[int(cy) - 13, :] = fade
    rules[int(cy) + 12, :] = fade
    return D.blend(arr, (200, 160, 70), rules * 0.55)


def rule(arr, y):
    """A horizontal rule across the console at y, fading out at both sides;
    the bars and frames drawn over it seem strung along it."""
    xs = np.arange(W, dtype=np.float64)
    along = np.clip(np.minimum(xs, W - 1 - xs) / 40.0, 0, 1)
    m = np.zeros((H, W))
    m[int(y) - 1, :] = along * 0.6
    m[int(y), :] = along
    return D.blend(arr, (120, 140, 200), m * 0.8)


def question_bar(arr):
    x0, y0, x1, y1 = L.edges(L.QUESTION)
    tip = (y1 - y0) / 2
    points = hexagon(x0 - tip, y0, x1 + tip, y1, tip)
    arr = rule(arr, (y0 + y1) / 2 + 1)
    fill = D.vgradient(W, H, (26, 44, 112), (4, 8, 30), y0, y1)
    # A soft gloss over the upper half.
    t = np.clip((np.arange(H, dtype=np.float64) - y0) / ((y1 - y0) * 0.55), 0, 1)
    gloss = np.where((np.arange(H) >= y0), (1 - t) ** 1.5, 0)[:, None] * np.ones((1, W))
    fill = D.add_light(fill, (30, 40, 80), gloss * 0.45)
    arr = framed_poly(arr, points, 2, fill, (220, 228, 255), (70, 86, 140))
    return arr


def option_frames(arr):
    fw, fh = L.OPTION_SIZE
    for y in sorted({y for _, y in L.OPTIONS.values()}):
        arr = rule(arr, y + fh / 2 + 1)
    for letter, (x, y) in L.OPTIONS.items():
        cy = y + fh / 2
        points = hexagon(x + 0.5, y + 0.5, x + fw - 0.5, y + fh - 0.5, 17.5)
        # The inside stays pure black: a marked answer tints exactly the
        # black of its frame.
        arr = framed_poly(arr, points, 2, (0, 0, 0), (255, 226, 130), (170, 112, 24))
        t = D.text_mask(SIZE, (x + 21, cy), letter + ":", D.font(15), anchor="lm")
        arr = D.blend(arr, D.AMBER, t)
    return arr


def make_skin():
    arr = stage()
    arr = title_plate(arr)
    arr = centre_screen(arr)
    arr = ladder_panel(arr)
    arr = gauge_trays(arr)
    arr = wordmark(arr)
    arr = question_bar(arr)
    arr = option_frames(arr)
    # A little seeded grain keeps the gradients from banding. The pure black
    # inside the answer frames stays untouched.
    grain = D.rng(246).uniform(-0.8, 0.8, arr.shape)
    arr = np.where((arr > 0).any(axis=2, keepdims=True), arr + grain, arr)
    return D.to_image(np.clip(arr, 0, 255))
