#!/usr/bin/python3
"""Render the quiz book pictures 250..348 from the emoji listed in pictures.tsv.

Each picture is one emoji of Noto Color Emoji (Debian package
fonts-noto-color-emoji), drawn at the font's only bitmap size (109) with its
embedded colours, cropped to its ink, scaled to fit and centred on a plain
light background, then saved as a baseline JPEG/JFIF file NNN.jpg.

Usage: make_pictures.py [--out DIR] [--only NNN ...]
The output is written to quizbook/resources/pictures/ of the work tree by
default.  The generated files are committed; building never runs this.
"""

import argparse
import os
import sys

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
TABLE = os.path.join(HERE, "pictures.tsv")
DEFAULT_OUT = os.path.join(ROOT, "quizbook", "resources", "pictures")
FONT = "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf"

WIDTH, HEIGHT = 160, 120          # every picture has the same size
MARGIN = 8                        # free border around the emoji
BACKGROUND = (248, 246, 238)      # plain, light, slightly warm
FIRST, LAST = 250, 348


def read_table(path=TABLE):
    """Return the rows of pictures.tsv as dicts, checked for completeness."""
    rows = []
    with open(path, encoding="utf-8") as f:
        for lineno, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            cols = line.split("\t")
            if len(cols) != 5:
                sys.exit(f"{path}:{lineno}: expected 5 tab-separated columns")
            number, group, obj, answer, emoji = cols
            if not emoji.startswith("U+"):
                sys.exit(f"{path}:{lineno}: emoji must be written U+XXXX")
            text = "".join(chr(int(cp[2:], 16)) for cp in emoji.split())
            rows.append({"number": int(number), "group": group, "object": obj,
                         "answer": answer, "text": text})
    numbers = sorted(r["number"] for r in rows)
    if numbers != list(range(FIRST, LAST + 1)):
        sys.exit(f"{path}: numbers must be {FIRST}..{LAST}, each once")
    return rows


def render_emoji(font, text):
    """Draw the emoji on a transparent canvas and crop it to its ink."""
    canvas = Image.new("RGBA", (220, 220), (0, 0, 0, 0))
    ImageDraw.Draw(canvas).text((40, 40), text, font=font, embedded_color=True)
    box = canvas.getbbox()
    if box is None:
        raise ValueError(f"the font has no glyph for {text!r}")
    return canvas.crop(box)


def compose(glyph):
    """Scale the glyph to fit the frame and centre it on the background."""
    room_w, room_h = WIDTH - 2 * MARGIN, HEIGHT - 2 * MARGIN
    scale = min(room_w / glyph.width, room_h / glyph.height)
    size = (max(1, round(glyph.width * scale)), max(1, round(glyph.height * scale)))
    glyph = glyph.resize(size, Image.LANCZOS)
    picture = Image.new("RGB", (WIDTH, HEIGHT), BACKGROUND)
    picture.paste(glyph, ((WIDTH - size[0]) // 2, (HEIGHT - size[1]) // 2), glyph)
    return picture


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=DEFAULT_OUT)
    parser.add_argument("--only", type=int, nargs="*")
    args = parser.parse_args()

    font = ImageFont.truetype(FONT, 109)
    os.makedirs(args.out, exist_ok=True)
    for row in read_table():
        if args.only and row["number"] not in args.only:
            continue
        picture = compose(render_emoji(font, row["text"]))
        target = os.path.join(args.out, f"{row['number']}.jpg")
        # No EXIF, no progressive scan: a plain JFIF file that any decoder reads.
        picture.save(target, "JPEG", quality=88, optimize=True,
                     progressive=False, subsampling="4:2:0")
    return 0


if __name__ == "__main__":
    sys.exit(main())
