#!/usr/bin/python3
"""Make every picture, clip and sound of the console library.

    /usr/bin/python3 tools/artwork/make_console_media.py [OUTPUT_DIR]

OUTPUT_DIR defaults to console/resources/media of this work tree; the
files land in its avi/, wave/, skin/, buttons/ and images/ folders, named
by resource number. The output is deterministic: running the script again
rewrites the same bytes. Needs Debian's python3-pil, python3-numpy and
fonts-liberation.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import media_clips      # noqa: E402
import media_formats    # noqa: E402
import media_pictures   # noqa: E402
import media_skin       # noqa: E402
import media_sounds     # noqa: E402

DEFAULT_OUT = os.path.join(HERE, "..", "..", "console", "resources", "media")

# AVI resource number -> (frame maker, frames per second)
CLIPS = {
    233: (media_clips.countdown_frames, 1),
    243: (media_clips.lives_frames, 10),
    245: (media_clips.ladder_frames, 1),
}

JPEG_OPTIONS = {"quality": 92, "subsampling": 0, "optimize": False, "progressive": False}


def make_all(out):
    for folder in ("avi", "wave", "skin", "buttons", "images"):
        os.makedirs(os.path.join(out, folder), exist_ok=True)

    def path(folder, name):
        return os.path.join(out, folder, name)

    skin = media_skin.make_skin()
    skin.save(path("skin", "246.bmp"), "BMP")

    for number, (frames_of, fps) in CLIPS.items():
        media_formats.write_avi(path("avi", "%d.avi" % number), frames_of(skin), fps)

    for number, (make, bits) in media_sounds.SOUNDS.items():
        media_formats.write_wav(path("wave", "%d.wav" % number), make(), bits)

    for number, img in media_pictures.lifeline_buttons(skin).items():
        img.save(path("buttons", "%d.jpg" % number), "JPEG", **JPEG_OPTIONS)

    for number, img in ((247, media_pictures.tick_mark(skin)), (248, media_pictures.cross_mark(skin))):
        media_pictures.as_gif(img).save(path("images", "%d.gif" % number), "GIF")
    media_pictures.time_out(skin).save(path("images", "249.jpg"), "JPEG", **JPEG_OPTIONS)
    media_pictures.game_over(skin).save(path("images", "250.jpg"), "JPEG", **JPEG_OPTIONS)


def main(argv):
    if len(argv) > 2:
        sys.stderr.write(__doc__)
        return 2
    out = os.path.normpath(argv[1] if len(argv) == 2 else DEFAULT_OUT)
    make_all(out)
    print("console media written to", out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
