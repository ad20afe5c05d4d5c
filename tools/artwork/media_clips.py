"""The gauges' animation clips: the countdown bar, the lives row and the
progress ladder. Each clip is painted on the piece of the skin it covers."""

import numpy as np

import media_draw as D
import media_layout as L

# --- countdown bar ------------------------------------------------------------

SEGMENTS = 60
SEGMENT_X0, SEGMENT_PITCH, SEGMENT_W = 14, 8, 6
GREEN, YELLOW, RED = (40, 220, 70), (255, 212, 16), (245, 44, 32)
# Per-row light of a segment: a bright upper lip, darker towards the floor.
_ROW_LIGHT = [0.62, 1.0, 0.97, 0.9, 0.82, 0.74, 0.64, 0.48]


def segment_colour(i):
    """35 green segments, 15 yellow, then the last ten red."""
    return GREEN if i < 35 else YELLOW if i < 50 else RED


def countdown_frames(skin):
    """Frame k shows the rightmost 60 - k segments lit, so frame 0 is the
    full bar and frame 60 the empty one; the bar empties from the left."""
    x, y, w, h = L.COUNTDOWN
    bg = D.to_array(skin.crop((x, y, x + w, y + h)))
    frames = []
    for k in range(SEGMENTS + 1):
        arr = bg.copy()
        for i in range(SEGMENTS):
            colour = np.array(segment_colour(i), dtype=np.float64)
            sx = SEGMENT_X0 + SEGMENT_PITCH * i
            for row in range(h):
                if i >= k:
                    c = colour * _ROW_LIGHT[row]
                    if row == 1:
                        c = c + (255 - c) * 0.35      # specular lip
                else:
                    c = colour * 0.13 * _ROW_LIGHT[row] + 4
                arr[row, sx:sx + SEGMENT_W] = c
            # Soften the corners so a segment reads as a small lamp.
            for cx, cy in ((sx, 0), (sx + SEGMENT_W - 1, 0), (sx, h - 1), (sx + SEGMENT_W - 1, h - 1)):
                arr[cy, cx] = (arr[cy, cx] + bg[cy, cx]) / 2
        frames.append(D.to_image(arr))
    return frames


# --- lives row ----------------------------------------------------------------

LIVES_MAX = 5
LIFE_FRAMES = 12           # frames from one count of lives to the next
CELL = 25                  # width of one figure's place


def _figure_masks(size, cx):
    """Coverage of one player figure (a head over rounded shoulders) and of
    its inner part, whose difference is the figure's rim."""
    def shape(grow):
        def draw(d, s):
            d.ellipse(D.box(cx - 5.5 - grow, 5 - grow, cx + 5.5 + grow, 16 + grow, s), fill=255)
            d.chord(D.box(cx - 10.5 - grow, 18.5 - grow, cx + 10.5 + grow, 52 + grow, s), 180, 360, fill=255)
            d.rectangle(D.box(cx - 10.5 - grow, 34, cx + 10.5 + grow, 35.5 + grow, s), fill=255)
        return D.mask(size, draw)
    full = shape(0)
    return full, shape(-1.2)


_shines = {}


def _shine(w, h):
    """A soft highlight on the upper left of every head and shoulder."""
    if (w, h) not in _shines:
        light = np.zeros((h, w))
        for j in range(LIVES_MAX):
            cx = CELL * j + CELL / 2
            light += D.radial(w, h, cx - 2.5, 8.5, 5, 5, 1.5)
            light += D.radial(w, h, cx - 4, 24, 9, 7, 1.5) * 0.8
        _shines[(w, h)] = light
    return _shines[(w, h)]


def _paint_figure(arr, full, inner, alpha=1.0):
    h, w = full.shape
    body = D.vgradient(w, h, D.GOLD_LIGHT, (214, 130, 16), 5, 36)
    body = D.add_light(body, (90, 80, 50), _shine(w, h))
    rim = np.array((120, 70, 8), dtype=np.float64)
    a = full * alpha
    arr = arr * (1 - a[:, :, None]) + body * a[:, :, None]
    return D.blend(arr, rim, D.ring(full, inner) * 0.7 * alpha)


def _ghost(arr, full, inner):
    """An empty place: the figure's outline only, faint."""
    return D.blend(arr, (46, 60, 110), D.ring(full, inner) * 0.9)


def _dissolve_field(seed, shape):
    """Per-pixel order in which a figure crumbles: smoothed noise turned
    into ranks, so that thresholds spread evenly over the pixels."""
    noise = D.blur(D.rng(seed).uniform(0, 1, shape), 0.7)
    ranks = noise.ravel().argsort().argsort().reshape(shape)
    return ranks / ranks.size


def lives_frames(skin):
    """Frame 60 - 12n shows n figures (n = 0..5); the eleven frames between
    two of these show the rightmost figure of the higher count dissolving
    into embers."""
    x, y, w, h = L.LIVES
    bg = D.to_array(skin.crop((x, y, x + w, y + h)))
    figures = [_figure_masks((w, h), CELL * j + CELL / 2) for j in range(LIVES_MAX)]
    fields = [_dissolve_field(243 + j, (h, w)) for j in range(LIVES_MAX)]
    frames = []
    for f in range(LIVES_MAX * LIFE_FRAMES + 1):
        whole = LIVES_MAX - (f + LIFE_FRAMES - 1) // LIFE_FRAMES   # figures intact
        step = f % LIFE_FRAMES
        arr = bg.copy()
        for j, (full, inner) in enumerate(figures):
            arr = _ghost(arr, full, inner)
            if j < whole:
                arr = _paint_figure(arr, full, inner)
            elif j == whole and step:
                arr = _crumble(arr, full, inner, fields[j], step / LIFE_FRAMES)
        frames.append(D.to_image(arr))
    return frames


def _crumble(arr, full, inner, field, p):
    reach = p * 1.15                                   # how far the crumbling got
    keep = np.clip((field - reach) / 0.1, 0, 1)
    arr = _paint_figure(arr, full * keep, inner * keep)
    edge = np.clip(1 - np.abs(field - reach) / 0.07, 0, 1) * full
    arr = D.add_light(arr, (255, 120, 20), edge * (1 - p) * 0.9)
    # Embers: the pixels already gone drift upwards and cool down.
    h, w = full.shape
    embers = np.zeros((h, w))
    ys, xs = np.nonzero((field < reach) & (full > 0.5))
    age = (reach - field[ys, xs]) / 0.35
    live = age < 1
    ys, xs, age = ys[live], xs[live], age[live]
    ny = np.round(ys - age * 12 - p * 4).astype(int)
    nx = np.round(xs + np.sin(ys * 0.9 + xs) * age * 2).astype(int)
    ok = (ny >= 0) & (ny < h) & (nx >= 0) & (nx < w)
    np.maximum.at(embers, (ny[ok], nx[ok]), (1 - age[ok]) * 0.85)
    arr = D.blend(arr, (255, 170, 60), embers)
    return np.clip(arr, 0, 255)


# --- progress ladder ----------------------------------------------------------

RUNGS = 16
RUNG_PITCH = 16
LIFELINE_RUNGS = (5, 10)
RUNG_TITLES = ["Corpse", "Brain Dead", "Dim-Witted", "Mediocre", "Acceptable",
               "Lifeline", "Not Bad", "Pretty Good", "Clever", "Very Smart",
               "Lifeline", "Genius", "Mastermind", "Unbelievable", "Deity",
               "Perfection"]
RUNG_COLOUR = (255, 178, 52)
LIFELINE_COLOUR = (255, 255, 255)
HIGHLIGHT_TEXT = (14, 22, 64)
NUMBER_RIGHT, STAR_X, TITLE_X = 25, 33, 42


def rung_top(r):
    """Rung 15 at the top, rung 0 at the bottom, one pixel of margin."""
    return 1 + (RUNGS - 1 - r) * RUNG_PITCH


def ladder_frames(skin):
    """Frame k highlights rung k and stars every rung below it."""
    x, y, w, h = L.LADDER
    bg = D.to_array(skin.crop((x, y, x + w, y + h)))
    size = (w, h)
    fnt = D.font(11)

    # Everything that does not depend on the frame: separators and labels.
    base = bg.copy()
    sep = np.zeros((h, w))
    for r in range(1, RUNGS):
        sep[rung_top(r) + RUNG_PITCH - 1, 6:w - 6] = 1
    base = D.blend(base, (120, 160, 255), sep * 0.12)
    labels = []
    for r in range(RUNGS):
        cy = rung_top(r) + RUNG_PITCH / 2
        num = D.text_mask(size, (NUMBER_RIGHT, cy), str(r), fnt, anchor="rm")
        title = D.text_mask(size, (TITLE_X, cy), RUNG_TITLES[r], fnt, anchor="lm")
        labels.append(np.maximum(num, title))
    stars = [D.poly_mask(size, D.star_points(STAR_X, rung_top(r) + RUNG_PITCH / 2, 5.2)) for r in range(RUNGS)]
    dots = [D.ellipse_mask(size, STAR_X - 1.3, rung_top(r) + 6.7, STAR_X + 1.3, rung_top(r) + 9.3) for r in range(RUNGS)]

    frames = []
    for k in range(RUNGS):
        arr = base.copy()
        top = rung_top(k)
        bar = D.rrect_mask(size, 2.5, top + 1, w - 2.5, top + RUNG_PITCH - 1, 6.5)
        bar_inner = D.rrect_mask(size, 3.5, top + 2, w - 3.5, top + RUNG_PITCH - 2, 5.5)
        fill = D.vgradient(w, h, (255, 206, 84), (226, 112, 8), top + 1, top + RUNG_PITCH - 1)
        arr = D.blend(arr, (0, 0, 0), D.blur(bar, 1.2) * 0.5)        # drop shadow
        arr = arr * (1 - bar[:, :, None]) + fill * bar[:, :, None]
        arr = D.blend(arr, (255, 240, 190), D.ring(bar, bar_inner) * 0.6)
        for r in range(RUNGS):
            if r == k:
                colour = HIGHLIGHT_TEXT
            else:
                colour = LIFELINE_COLOUR if r in LIFELINE_RUNGS else RUNG_COLOUR
            if r < k:
                arr = D.blend(arr, (60, 30, 0), D.shift(stars[r], 0, 1) * 0.6)
                arr = D.blend(arr, D.GOLD, stars[r])
            else:
                arr = D.blend(arr, HIGHLIGHT_TEXT if r == k else (110, 140, 210), dots[r] * 0.8)
            if r != k:
                arr = D.blend(arr, (0, 0, 20), D.shift(labels[r], 1, 1) * 0.6)
            arr = D.blend(arr, colour, labels[r])
        frames.append(D.to_image(arr))
    return frames
