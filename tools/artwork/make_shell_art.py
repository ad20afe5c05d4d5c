#!/usr/bin/python3
"""Make every picture of the game program: its buttons, the About box
emblem, the welcome screen's panel, label and frame, the welcome and
goodbye backgrounds (ordinary and French course), and the two icons.

    /usr/bin/python3 tools/artwork/make_shell_art.py [OUTPUT_DIR]

OUTPUT_DIR defaults to shell/resources of this work tree; the files land in
its bitmaps/, skins/ and icons/ folders, named by resource number, and the
icons' sizes also as PNG files under icons/hicolor/ for the desktop. The
output is deterministic: running the script again rewrites the same bytes.
Needs Debian's python3-pil, python3-numpy and fonts-liberation.
"""

import io
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import numpy as np          # noqa: E402

import media_draw as D      # noqa: E402
import shell_draw as S      # noqa: E402

DEFAULT_OUT = os.path.join(HERE, "..", "..", "shell", "resources")

JPEG_OPTIONS = {"quality": 92, "subsampling": 0, "optimize": False, "progressive": False}

# BITMAP number -> (size, caption, caption pixel height)
BUTTONS = {
    129: ((110, 47), "Start Round", 13),
    130: ((106, 47), "Exit", 13),
    131: ((111, 51), "Load Qiz File", 13),
    132: ((110, 47), "New Quiz", 13),
    133: ((135, 67), "Start Quiz", 16),
    148: ((110, 47), "Review Missed", 13),
}

# Where the welcome screen puts its widgets, in pixels (left, top, right,
# bottom, right and bottom exclusive). The widgets paint over these spots,
# so the pictures keep them plain black.
PANEL_SIZE = (141, 186)
CHECK_BOX = (100, 102, 117, 120)            # inside the panel, with a margin
FRAME_SIZE = (313, 192)
FRAME_LABEL = (16, 11, 103, 32)             # inside the frame
FRAME_LIST = (16, 31, 159, 179)
FRAME_BUTTON = (166, 110, 301, 177)
WELCOME_SIZE = (520, 500)
WELCOME_DARK_FROM = 300                     # panel and frame sit below this row

ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
# ICON number -> (emblem colours, desktop icon name)
ICONS = {128: (S.ORDINARY, "thebrainwheel"), 142: (S.FRENCH, "thebrainwheel-french")}


def finish(arr, seed=None):
    """The picture as an RGB image; a seeded grain keeps large gradients
    from banding, and pure black stays pure black."""
    if seed is not None:
        grain = D.rng(seed).uniform(-0.8, 0.8, arr.shape)
        arr = np.where((arr > 0.5).any(axis=2, keepdims=True), arr + grain, arr)
    return D.to_image(np.clip(arr, 0, 255))


def keep_black(arr, *rects):
    for x0, y0, x1, y1 in rects:
        arr[y0:y1, x0:x1] = 0
    return arr


# --- bitmaps ------------------------------------------------------------------

def button(size, caption, px):
    w, h = size
    arr = np.zeros((h, w, 3))
    arr = S.outline(arr, size, "oval", 1, 1, w - 1, h - 1, width=1.3)
    return finish(S.plain_text(arr, size, (w / 2, h / 2 + 0.5), caption, D.font(px)))


def about_emblem():
    """BITMAP 139: the emblem over the program's name."""
    size = w, h = 95, 132
    arr = D.vgradient(w, h, D.STAGE_TOP, D.STAGE_BOTTOM)
    arr = D.add_light(arr, (16, 34, 96), D.radial(w, h, w / 2, 46, 70, 70, 1.5) * 0.8)
    arr = S.place(arr, 80, S.ORDINARY, w / 2 - 0.5, 46)
    arr = S.gold_text(arr, size, (w / 2, 100), "The", D.font(13))
    arr = S.gold_text(arr, size, (w / 2, 117), "Brainwheel", D.font(15))
    return finish(arr, 139)


def document(arr, size, x0, y0, x1, y1, fold):
    """A sheet of paper with a folded corner and a few lines of text."""
    w, h = size
    sheet = D.poly_mask(size, [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    arr = D.blend(arr, (0, 0, 0), D.shift(D.blur(sheet, 2), 2, 3) * 0.7)
    arr = S.put(arr, D.vgradient(w, h, (236, 240, 250), (168, 180, 210), y0, y1), sheet)
    corner = D.poly_mask(size, [(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)])
    arr = D.blend(arr, (130, 144, 180), corner)

    def lines(d, k):
        for i, y in enumerate(range(int(y0) + 16, int(y1) - 20, 7)):
            # ragged right ends, the first line clear of the fold
            right = x1 - (14 if i == 0 else 6) - 8 * (i % 2)
            d.rectangle(D.box(x0 + 6, y, right, y + 2, k), fill=255)
    return D.blend(arr, (120, 134, 170), D.mask(size, lines))


def check_panel():
    """BITMAP 141: a quiz file with the emblem on it, and the words the
    check box beside them stands for."""
    size = w, h = PANEL_SIZE
    arr = np.zeros((h, w, 3))
    arr = D.add_light(arr, (16, 34, 96), D.radial(w, h, w / 2, 48, 70, 50, 1.5))
    arr = document(arr, size, 40, 14, 88, 78, 12)
    arr = S.place(arr, 40, S.ORDINARY, 90, 72, glow=None)
    arr = S.plain_text(arr, size, (97, 111), "Use Qiz-File:", D.font(13), anchor="rm")
    xs = np.arange(w, dtype=np.float64)
    rule = np.zeros((h, w))
    rule[128, :] = np.clip(1 - np.abs(xs - w / 2) / (w / 2 - 12), 0, 1) ** 0.7
    arr = D.blend(arr, (200, 160, 70), rule * 0.6)
    arr = S.plain_text(arr, size, (w / 2, 146), "Tick it to play a quiz", D.font(11, bold=False), colour=(170, 184, 220))
    arr = S.plain_text(arr, size, (w / 2, 160), "from a file of your own.", D.font(11, bold=False), colour=(170, 184, 220))
    arr = S.outline(arr, size, "rect", 0, 0, w, h, width=1.2, radius=10)
    return finish(keep_black(arr, CHECK_BOX))


def list_label():
    """BITMAP 146: the list's caption, in the colour of a category title."""
    size = w, h = 87, 21
    arr = np.zeros((h, w, 3))
    return finish(D.blend(arr, D.GOLD, D.text_mask(size, (1, h / 2), "Select a quiz:", D.font(13), anchor="lm")))


def list_frame():
    """BITMAP 147: a rounded frame around the quiz list and its button,
    with the emblem in the corner they leave free."""
    size = w, h = FRAME_SIZE
    arr = np.zeros((h, w, 3))
    cx = (FRAME_BUTTON[0] + FRAME_BUTTON[2]) / 2
    arr = D.add_light(arr, (16, 34, 96), D.radial(w, h, cx, 52, 70, 50, 1.5))
    arr = S.place(arr, 62, S.ORDINARY, cx + 0.5, 50)
    arr = S.gold_text(arr, size, (cx, 97), "Ready to play?", D.font(13))
    arr = S.outline(arr, size, "rect", 0, 0, w, h, width=1.2, radius=14)
    return finish(keep_black(arr, FRAME_LABEL, FRAME_LIST, FRAME_BUTTON))


# --- backgrounds ------------------------------------------------------------------

def floor_rule(arr, y, colour=(120, 140, 200)):
    """A line across the picture at row y, fading out at both sides."""
    h, w = arr.shape[:2]
    xs = np.arange(w, dtype=np.float64)
    m = np.zeros((h, w))
    m[y, :] = np.clip(1 - np.abs(xs - w / 2) / (w / 2 - 30), 0, 1) ** 0.8
    return D.blend(arr, colour, m * 0.7)


def confetti(arr, size, seed, colours, count, keep_out):
    """Little tilted paper strips scattered over the picture, none inside
    the keep_out rectangles (where the words are)."""
    w, h = size
    r = D.rng(seed)
    strips = []
    while len(strips) < count:
        x, y, angle = r.uniform(8, w - 8), r.uniform(8, h - 90), r.uniform(0, np.pi)
        colour = int(r.integers(len(colours)))
        if not any(x0 - 8 < x < x1 + 8 and y0 - 8 < y < y1 + 8 for x0, y0, x1, y1 in keep_out):
            strips.append((x, y, angle, colour))

    def draw(layer):
        def strip_polygons(d, k):
            for x, y, angle, colour in strips:
                if colour != layer:
                    continue
                dx, dy = 4 * np.cos(angle), 4 * np.sin(angle)
                ex, ey = -1.6 * np.sin(angle), 1.6 * np.cos(angle)
                d.polygon(D.pts([(x - dx - ex, y - dy - ey), (x + dx - ex, y + dy - ey),
                                 (x + dx + ex, y + dy + ey), (x - dx + ex, y - dy + ey)], k), fill=255)
        return strip_polygons
    for layer, colour in enumerate(colours):
        arr = D.blend(arr, colour, D.mask(size, draw(layer)) * 0.75)
    return arr


def welcome(french):
    """SKINS 144 (ordinary) and 137 (French course): title and emblem above,
    plain black below, where the panel and the frame are laid."""
    size = w, h = WELCOME_SIZE
    if french:
        arr = S.stage(w, h, tint=(20, 40, 110), beams=((30, 70, 170), (150, 40, 40)), dark_from=WELCOME_DARK_FROM)
        arr = S.gold_text(arr, size, (w / 2, 40), "The Brainwheel", D.font(42))
        arr = S.tricolour(arr, size, 150, 72, 174, 86)
        arr = S.tricolour(arr, size, 346, 72, 370, 86)
        arr = S.plain_text(arr, size, (w / 2, 79), "Learn French", D.font(21))
        arr = S.place(arr, 176, S.FRENCH, w / 2, 184, glow=(120, 150, 255))
        tagline = "Apprenez le fran\u00e7ais en jouant !"
    else:
        arr = S.stage(w, h, dark_from=WELCOME_DARK_FROM)
        arr = S.gold_text(arr, size, (w / 2, 46), "The Brainwheel", D.font(46))
        arr = S.place(arr, 190, S.ORDINARY, w / 2, 178)
        tagline = "Four answers. One is right."
    arr = S.plain_text(arr, size, (w / 2, 287), tagline, D.font(15, bold=False))
    arr = floor_rule(arr, WELCOME_DARK_FROM - 2)
    return finish(arr, 137 if french else 144)


def goodbye(french):
    """SKINS 143 (ordinary, 540 wide) and 138 (French course)."""
    size = w, h = (520, 500) if french else (540, 500)
    if french:
        arr = S.stage(w, h, tint=(20, 40, 110), beams=((30, 70, 170), (150, 40, 40)))
        arr = S.place(arr, 170, S.FRENCH, w / 2, 150, glow=(120, 150, 255))
        arr = S.gold_text(arr, size, (w / 2, 292), "Au revoir !", D.font(48))
        arr = S.tricolour(arr, size, w / 2 - 36, 324, w / 2 + 36, 330)
        arr = S.plain_text(arr, size, (w / 2, 352), "Merci d'avoir jou\u00e9 \u2014 \u00e0 bient\u00f4t !", D.font(18, bold=False))
        colours = (S.FLAG_BLUE, (240, 240, 240), S.FLAG_RED)
        keep_out = [(175, 60, 345, 240), (110, 262, 410, 366)]
    else:
        arr = S.stage(w, h)
        arr = S.place(arr, 170, S.ORDINARY, w / 2, 150)
        arr = S.gold_text(arr, size, (w / 2, 292), "Thanks for playing!", D.font(38))
        arr = S.plain_text(arr, size, (w / 2, 340), "See you soon for another round.", D.font(18, bold=False))
        colours = [light for light, _, _ in S.ORDINARY["segments"]] + [D.GOLD]
        keep_out = [(185, 60, 355, 240), (90, 262, 450, 354)]
    arr = confetti(arr, size, 138 if french else 143, colours, 70, keep_out)
    arr = floor_rule(arr, 420)
    wordmark = D.text_mask(size, (w / 2, 446), "THE BRAINWHEEL", D.font(15), spacing=1.6)
    arr = S.put(arr, D.vgradient(w, h, D.GOLD_LIGHT, (205, 140, 30), 439, 453), wordmark)
    return finish(arr, 138 if french else 143)


# --- icons ------------------------------------------------------------------------

def ico_entry(img):
    """One icon image as stored in an ICO file: a 32-bit DIB (colour rows
    bottom-up, then the 1-bit mask) for the classic sizes, PNG for 256."""
    w, h = img.size
    if w >= 256:
        out = io.BytesIO()
        img.save(out, "PNG", optimize=False)
        return out.getvalue()
    rgba = np.asarray(img, dtype=np.uint8)
    bgra = rgba[::-1, :, [2, 1, 0, 3]].tobytes()
    mask_stride = (w + 31) // 32 * 4
    transparent = np.zeros((h, mask_stride * 8), dtype=np.uint8)
    transparent[:, :w] = rgba[::-1, :, 3] == 0
    mask = np.packbits(transparent, axis=1).tobytes()
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, len(bgra) + len(mask), 0, 0, 0, 0)
    return header + bgra + mask


def write_ico(path, images):
    entries = [ico_entry(img) for img in images]
    data = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for img, entry in zip(images, entries):
        w, h = img.size
        data += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(entry), offset)
        offset += len(entry)
    for entry in entries:
        data += entry
    with open(path, "wb") as f:
        f.write(data)


# --- output -----------------------------------------------------------------------

def pictures():
    """Relative path -> image of every bitmap and background."""
    out = {"bitmaps/%d.bmp" % n: button(*args) for n, args in BUTTONS.items()}
    out["bitmaps/139.bmp"] = about_emblem()
    out["bitmaps/141.bmp"] = check_panel()
    out["bitmaps/146.bmp"] = list_label()
    out["bitmaps/147.bmp"] = list_frame()
    out["skins/144.jpg"] = welcome(False)
    out["skins/137.jpg"] = welcome(True)
    out["skins/143.jpg"] = goodbye(False)
    out["skins/138.jpg"] = goodbye(True)
    return out


def make_all(out):
    for folder in ("bitmaps", "skins", "icons"):
        os.makedirs(os.path.join(out, folder), exist_ok=True)
    for name, img in pictures().items():
        path = os.path.join(out, name)
        if name.endswith(".bmp"):
            img.save(path, "BMP")
        else:
            img.save(path, "JPEG", **JPEG_OPTIONS)
    for number, (scheme, desktop_name) in ICONS.items():
        images = [S.emblem_rgba(s, scheme) for s in ICON_SIZES]
        write_ico(os.path.join(out, "icons", "%d.ico" % number), images)
        for img in images:
            folder = os.path.join(out, "icons", "hicolor", "%dx%d" % img.size)
            os.makedirs(folder, exist_ok=True)
            img.save(os.path.join(folder, desktop_name + ".png"), "PNG", optimize=False)


def main(argv):
    if len(argv) > 2:
        sys.stderr.write(__doc__)
        return 2
    out = os.path.normpath(argv[1] if len(argv) == 2 else DEFAULT_OUT)
    make_all(out)
    print("shell artwork written to", out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
