#!/usr/bin/python3
"""Re-read every media file of the console library and check it against
what the controls expect of it: format, size, frame count, frame rate,
duration, sample format, GIF version and colour table, and (for the clips,
the skin and the pictures) that the frames show what their numbers mean.

    /usr/bin/python3 tools/artwork/check_console_media.py [MEDIA_DIR]

MEDIA_DIR defaults to console/resources/media of this work tree. Prints one
line per file and exits with status 1 if anything is wrong. It reads the
files on its own and shares no code with the scripts that make them.
"""

import io
import os
import struct
import sys

import numpy as np
from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_DIR = os.path.join(HERE, "..", "..", "console", "resources", "media")

CLIPS = {  # file: (width, height, frames, frames per second)
    "avi/233.avi": (494, 8, 61, 1),
    "avi/243.avi": (125, 40, 61, 10),
    "avi/245.avi": (138, 257, 16, 1),
}
SOUNDS = {  # file: (channels, bits, seconds)
    "wave/244.wav": (2, 16, 1.35),
    "wave/247.wav": (2, 16, 0.92),
    "wave/250.wav": (2, 16, 1.94),
    "wave/252.wav": (2, 16, 0.63),
    "wave/254.wav": (1, 8, 0.09),
}
PICTURES = {  # file: (format, width, height)
    "skin/246.bmp": ("BMP", 520, 500),
    "buttons/233.jpg": ("JPEG", 65, 37),
    "buttons/234.jpg": ("JPEG", 66, 37),
    "buttons/235.jpg": ("JPEG", 65, 37),
    "buttons/236.jpg": ("JPEG", 65, 37),
    "images/247.gif": ("GIF", 135, 138),
    "images/248.gif": ("GIF", 135, 138),
    "images/249.jpg": ("JPEG", 355, 218),
    "images/250.jpg": ("JPEG", 355, 218),
}
RATE = 22050


class Bad(Exception):
    pass


def expect(cond, message, *args):
    if not cond:
        raise Bad(message % args if args else message)


# --- RIFF ---------------------------------------------------------------------

def riff_chunks(data, start, end):
    """(fourcc, payload start, payload size, list type or None) of each chunk
    between start and end, in order."""
    out = []
    pos = start
    while pos + 8 <= end:
        fourcc, size = struct.unpack_from("<4sI", data, pos)
        expect(pos + 8 + size <= end, "chunk %r at %d runs past its parent", fourcc, pos)
        kind = data[pos + 8:pos + 12] if fourcc in (b"RIFF", b"LIST") else None
        out.append((fourcc, pos + 8, size, kind))
        pos += 8 + size + (size & 1)
    expect(pos == end or end - pos < 8 and not data[pos:end].strip(b"\0"), "stray bytes at %d", pos)
    return out


def riff_file(data, form):
    expect(len(data) >= 12 and data[:4] == b"RIFF", "not a RIFF file")
    size, kind = struct.unpack_from("<I4s", data, 4)
    expect(kind == form, "RIFF form %r, expected %r", kind, form)
    expect(size + 8 == len(data), "RIFF size %d does not match the file (%d bytes)", size + 8, len(data))
    return riff_chunks(data, 12, len(data))


def find(chunks, fourcc, kind=None):
    hits = [c for c in chunks if c[0] == fourcc and (kind is None or c[3] == kind)]
    expect(len(hits) == 1, "expected one %r %s chunk, found %d", fourcc, kind or b"", len(hits))
    return hits[0]


def sublist(data, chunk):
    _, start, size, _ = chunk
    return riff_chunks(data, start + 4, start + size)


# --- clips --------------------------------------------------------------------

def read_avi(data, width, height, count, fps):
    top = riff_file(data, b"AVI ")
    hdrl = sublist(data, find(top, b"LIST", b"hdrl"))
    _, p, size, _ = find(hdrl, b"avih")
    expect(size >= 56, "avih too short")
    usec, _, _, flags, total, _, streams, _, w, h = struct.unpack_from("<10I", data, p)
    expect(usec == round(1e6 / fps), "avih: %d us a frame, expected %d", usec, round(1e6 / fps))
    expect(flags & 0x10, "avih: no index flag")
    expect(total == count, "avih: %d frames, expected %d", total, count)
    expect(streams == 1, "avih: %d streams", streams)
    expect((w, h) == (width, height), "avih: %dx%d, expected %dx%d", w, h, width, height)

    strls = [c for c in hdrl if c[0] == b"LIST" and c[3] == b"strl"]
    expect(len(strls) == 1, "%d stream lists", len(strls))
    strl = sublist(data, strls[0])
    _, p, _, _ = find(strl, b"strh")
    kind, _, _, _, _, _, scale, rate, start, length = struct.unpack_from("<4s4sIHHIIIII", data, p)
    expect(kind == b"vids", "stream type %r", kind)
    expect(scale and rate == fps * scale, "stream rate %d/%d, expected %d fps", rate, scale, fps)
    expect(start == 0 and length == count, "stream length %d, expected %d", length, count)
    _, p, _, _ = find(strl, b"strf")
    bisize, bw, bh, planes, bits, compression, image = struct.unpack_from("<IiiHHII", data, p)
    expect(bisize >= 40 and planes == 1, "strf: bad bitmap header")
    expect((bw, bh) == (width, height), "strf: %dx%d (a negative height is top-down)", bw, bh)
    expect(bits == 24 and compression == 0, "strf: %d bits, compression %d; expected 24-bit BI_RGB", bits, compression)
    stride = (width * 3 + 3) & ~3
    expect(image in (0, stride * height), "strf: image size %d, expected %d", image, stride * height)

    movi_chunk = find(top, b"LIST", b"movi")
    movi = sublist(data, movi_chunk)
    expect(len(movi) == count and all(c[0] == b"00db" for c in movi),
           "movi holds %d chunks (%s), expected %d '00db' frames", len(movi),
           b",".join(sorted({c[0] for c in movi})).decode("latin-1"), count)
    for _, _, size, _ in movi:
        expect(size == stride * height, "frame of %d bytes, expected %d", size, stride * height)

    _, p, size, _ = find(top, b"idx1")
    expect(size == 16 * count, "idx1 holds %d entries, expected %d", size // 16, count)
    movi_type = movi_chunk[1]                  # offsets count from 'movi'
    for i, (_, start, csize, _) in enumerate(movi):
        ckid, iflags, offset, isize = struct.unpack_from("<4sIII", data, p + 16 * i)
        expect(ckid == b"00db" and iflags & 0x10, "idx1 entry %d: %r, flags %#x", i, ckid, iflags)
        expect(movi_type + offset + 8 == start and isize == csize,
               "idx1 entry %d points at %d, frame %d is at %d", i, movi_type + offset + 8, i, start)

    frames = []
    for _, start, _, _ in movi:
        rows = np.frombuffer(data, np.uint8, stride * height, start).reshape(height, stride)
        frames.append(rows[::-1, :width * 3].reshape(height, width, 3)[:, :, ::-1].astype(int))
    return frames


def lit(px):
    return max(px) > 110


def colour_class(px):
    r, g, b = px
    if g > r + 60 and g > b + 60:
        return "green"
    if r > 150 and g > 130 and b < 110:
        return "yellow"
    if r > 150 and g < 110 and b < 110:
        return "red"
    return "?"


def check_countdown(frames):
    want = ["green"] * 35 + ["yellow"] * 15 + ["red"] * 10
    for k, f in enumerate(frames):
        for i in range(60):
            x = 14 + 8 * i
            px = f[4, x + 3]
            expect(lit(px) == (i >= k), "countdown frame %d: segment %d is %s", k, i, "lit" if lit(px) else "dark")
            if i >= k:
                expect(colour_class(px) == want[i], "countdown frame %d: segment %d is %s, expected %s",
                       k, i, colour_class(px), want[i])
            expect(not lit(f[4, x + 6]) and not lit(f[4, x + 7]), "countdown frame %d: gap after segment %d lit", k, i)
    return "60 segments (35 green, 15 yellow, 10 red) emptying from the left"


def figure_pixels(f, j):
    cell = f[:, 25 * j:25 * j + 25]
    r, g, b = cell[:, :, 0], cell[:, :, 1], cell[:, :, 2]
    return int(np.count_nonzero((r > 150) & (g > 90) & (b < 140)))


def check_lives(frames):
    full = figure_pixels(frames[0], 0)
    expect(full > 150, "lives frame 0: no figure in the first place")
    for n in range(6):
        f = frames[60 - 12 * n]
        counts = [figure_pixels(f, j) for j in range(5)]
        shown = [c > 0.9 * full for c in counts]
        expect(shown == [j < n for j in range(5)] and all(c < 0.05 * full for c in counts[n:]),
               "lives frame %d should show %d figures, places hold %s pixels", 60 - 12 * n, n, counts)
    for n in range(1, 6):
        j = n - 1                                  # the figure that goes
        going = [figure_pixels(frames[60 - 12 * n + t], j) for t in range(13)]
        expect(all(a >= b for a, b in zip(going, going[1:])) and going[1] < going[0] and 0 < going[11],
               "lives: figure %d does not dissolve steadily (%s)", j + 1, going)
        for t in range(1, 12):
            others = [figure_pixels(frames[60 - 12 * n + t], i) > 0.9 * full for i in range(j)]
            expect(all(others), "lives frame %d: a figure left of the dissolving one is missing", 60 - 12 * n + t)
    return "n figures at frame 60 - 12n, the rightmost dissolving in between"


def is_highlight(px):
    r, g, b = px
    return r > 200 and 80 < g < 235 and b < 100


def check_ladder(frames):
    for k, f in enumerate(frames):
        lit_rungs = [r for r in range(16) if is_highlight(f[1 + (15 - r) * 16 + 8, 130])]
        expect(lit_rungs == [k], "ladder frame %d highlights rungs %s", k, lit_rungs)
        for r in range(16):
            if r == k:
                continue                       # the bar itself is gold
            region = f[1 + (15 - r) * 16 + 3:1 + (15 - r) * 16 + 13, 29:38]
            gold = np.count_nonzero((region[:, :, 0] > 200) & (region[:, :, 1] > 170) & (region[:, :, 2] < 90))
            expect((gold > 12) == (r < k), "ladder frame %d: rung %d %s a star", k, r, "has" if gold > 12 else "lacks")
    return "rung k highlighted, the rungs below starred"


# --- sounds -------------------------------------------------------------------

def check_wav(data, channels, bits, seconds):
    chunks = riff_file(data, b"WAVE")
    _, p, size, _ = find(chunks, b"fmt ")
    tag, ch, rate, byte_rate, align, sbits = struct.unpack_from("<HHIIHH", data, p)
    expect(tag == 1, "format tag %d, expected PCM", tag)
    expect((ch, rate, sbits) == (channels, RATE, bits), "%d channels, %d Hz, %d bits; expected %d, %d, %d",
           ch, rate, sbits, channels, RATE, bits)
    expect(align == ch * bits // 8 and byte_rate == rate * align, "block align or byte rate inconsistent")
    _, p, size, _ = find(chunks, b"data")
    want = round(seconds * RATE)
    expect(size % align == 0 and size // align == want, "%d samples, expected %d (%.2f s)",
           size // align, want, seconds)
    if bits == 16:
        s = np.frombuffer(data, "<i2", size // 2, p) / 32768.0
    else:
        s = (np.frombuffer(data, np.uint8, size, p).astype(int) - 128) / 128.0
    peak = np.max(np.abs(s))
    expect(peak > 0.2, "nearly silent (peak %.3f)", peak)
    expect(np.count_nonzero(np.abs(s) > 0.995) < 4, "clipped")
    expect(np.max(np.abs(s[-8 * ch:])) < 0.03, "does not fade out at the end (would click)")
    return "%d ch, %d-bit, %d Hz, %d samples = %.2f s" % (ch, bits, rate, want, seconds)


# --- pictures -------------------------------------------------------------------

def check_bmp(data, width, height):
    expect(data[:2] == b"BM", "not a Windows bitmap")
    size, offset = struct.unpack_from("<I4xI", data, 2)
    expect(size == len(data), "bitmap size field %d, file %d", size, len(data))
    hsize, w, h, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    expect(hsize >= 40 and (w, h) == (width, height) and planes == 1, "bitmap header: %dx%d", w, h)
    expect(bits == 24 and compression == 0, "bitmap is %d-bit, compression %d", bits, compression)
    expect(offset + ((w * 3 + 3) & ~3) * h <= len(data), "bitmap pixels truncated")


def check_gif(data):
    expect(data[:6] == b"GIF89a", "version %r, expected GIF89a", data[:6])
    packed = data[10]
    expect(packed & 0x80 and packed & 7 == 7, "global colour table missing or not 256 entries")
    pos = 13 + 3 * 256
    while True:                                   # walk the blocks up to the image
        expect(pos < len(data), "no image in the GIF")
        if data[pos] == 0x21:
            label = data[pos + 1]
            if label == 0xF9:
                expect(not data[pos + 3] & 1, "GIF has a transparent colour")
            pos += 2
            while data[pos]:
                pos += data[pos] + 1
            pos += 1
        else:
            expect(data[pos] == 0x2C, "unexpected GIF block %#x", data[pos])
            return


def check_skin(img):
    a = np.asarray(img.convert("RGB")).astype(int)
    # Answer labels sit on pure black: marking an answer tints exactly that.
    for letter, (x, y) in {"A": (23, 400), "B": (269, 400), "C": (23, 444), "D": (269, 444)}.items():
        label = a[y + 5:y + 31, x + 46:x + 205]
        expect(not label.any(), "skin: the label area of option %s is not pure black", letter)
        mark = a[y + 8:y + 28, x + 14:x + 44]
        expect(mark.max() > 200, "skin: no letter left of the label of option %s", letter)
    panel = a[10:267, 372:510]
    expect(np.mean(panel[:, :, 2] - panel[:, :, 0]) > 50, "skin: the ladder does not sit on a blue panel")
    screen = a[53:266, 14:368]
    expect(screen.mean() < 60, "skin: the centre picture area is not dark")


def check_picture(path, data, fmt, width, height):
    img = Image.open(io.BytesIO(data))
    img.load()
    expect(img.format == fmt, "decodes as %s, expected %s", img.format, fmt)
    expect(img.size == (width, height), "%dx%d, expected %dx%d", img.size[0], img.size[1], width, height)
    rgb = np.asarray(img.convert("RGB")).astype(int)
    if fmt == "BMP":
        check_bmp(data, width, height)
    if fmt == "GIF":
        check_gif(data)
    if path.startswith("buttons/"):
        centre = rgb[12:25, 8:width - 8].reshape(-1, 3).mean(axis=0)
        highlighted = path in ("buttons/233.jpg", "buttons/236.jpg")
        yellow = centre[0] > 150 and centre[1] > 110 and centre[2] < 120
        expect(yellow == highlighted, "button is %s, expected %s", "yellow" if yellow else "dark",
               "yellow" if highlighted else "dark")
    if path == "images/247.gif":
        r, g, b = rgb[69, 22]
        expect(g > r + 40, "the tick's badge is not green")
    if path == "images/248.gif":
        r, g, b = rgb[69, 22]
        expect(r > g + 40, "the cross's badge is not red")
    if path == "skin/246.bmp":
        check_skin(img)
    return "%s %dx%d" % (data[:6].decode("latin-1") if fmt == "GIF" else fmt, width, height)


# --- driver ---------------------------------------------------------------------

MEANINGS = {"avi/233.avi": check_countdown, "avi/243.avi": check_lives, "avi/245.avi": check_ladder}
# Where each clip sits on the skin (left, top), so that its background
# continues the skin without a seam.
CLIP_PLACES = {"avi/233.avi": (15, 275), "avi/243.avi": (15, 286), "avi/245.avi": (372, 10)}


def check_seam(root, name, frame):
    """The clip's top left corner is cut from the skin at the clip's place;
    the skin's fine grain makes a shift of even one pixel show."""
    path = os.path.join(root, "skin/246.bmp")
    if not os.path.isfile(path):
        return                                     # reported with the skin
    skin = np.asarray(Image.open(path).convert("RGB")).astype(int)
    x, y = CLIP_PLACES[name]
    expect(np.array_equal(frame[0:3, 0:3], skin[y:y + 3, x:x + 3]),
           "the clip's background does not continue the skin at (%d, %d)", x, y)


def check_file(root, name):
    with open(os.path.join(root, name), "rb") as f:
        data = f.read()
    if name in CLIPS:
        w, h, n, fps = CLIPS[name]
        frames = read_avi(data, w, h, n, fps)
        meaning = MEANINGS[name](frames)
        check_seam(root, name, frames[0])
        return "%dx%d, %d frames at %d fps; %s" % (w, h, n, fps, meaning)
    if name in SOUNDS:
        return check_wav(data, *SOUNDS[name])
    return check_picture(name, data, *PICTURES[name])


def check_all(root):
    """[(file, error or None, description)]"""
    results = []
    for name in list(CLIPS) + list(SOUNDS) + list(PICTURES):
        if not os.path.isfile(os.path.join(root, name)):
            results.append((name, "missing", ""))
            continue
        try:
            results.append((name, None, check_file(root, name)))
        except (Bad, struct.error, OSError, ValueError) as e:
            results.append((name, str(e) or type(e).__name__, ""))
    return results


def main(argv):
    root = os.path.normpath(argv[1] if len(argv) > 1 else DEFAULT_DIR)
    results = check_all(root)
    total = 0
    for name, error, what in results:
        print("%-4s %-16s %s" % ("ok" if error is None else "FAIL", name, what if error is None else error))
        if os.path.isfile(os.path.join(root, name)):
            total += os.path.getsize(os.path.join(root, name))
    failed = sum(1 for r in results if r[1] is not None)
    print("%d files, %d bytes, %d failed" % (len(results), total, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
