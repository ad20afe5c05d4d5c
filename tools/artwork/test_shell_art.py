#!/usr/bin/python3
"""Tests of the game program's artwork: every committed file has the format
and size the program expects, and the script re-makes exactly those bytes.

    /usr/bin/python3 -m unittest discover -s tools/artwork -p 'test_*.py'
"""

import os
import shutil
import struct
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image                 # noqa: E402

import make_shell_art as make         # noqa: E402

ICON_SIZES = [(s, s) for s in (16, 22, 24, 32, 48, 64, 128, 256)]
FILES = {  # file: (format, width, height)
    "bitmaps/129.bmp": ("BMP", 110, 47),
    "bitmaps/130.bmp": ("BMP", 106, 47),
    "bitmaps/131.bmp": ("BMP", 111, 51),
    "bitmaps/132.bmp": ("BMP", 110, 47),
    "bitmaps/133.bmp": ("BMP", 135, 67),
    "bitmaps/139.bmp": ("BMP", 95, 132),
    "bitmaps/141.bmp": ("BMP", 141, 186),
    "bitmaps/146.bmp": ("BMP", 87, 21),
    "bitmaps/147.bmp": ("BMP", 313, 192),
    "bitmaps/148.bmp": ("BMP", 110, 47),
    "skins/144.jpg": ("JPEG", 520, 500),
    "skins/137.jpg": ("JPEG", 520, 500),
    "skins/143.jpg": ("JPEG", 540, 500),
    "skins/138.jpg": ("JPEG", 520, 500),
    "icons/128.ico": ("ICO", 256, 256),
    "icons/142.ico": ("ICO", 256, 256),
}
for w, h in ICON_SIZES:
    for name in ("thebrainwheel", "thebrainwheel-french"):
        FILES["icons/hicolor/%dx%d/%s.png" % (w, h, name)] = ("PNG", w, h)


def jpeg_frame_marker(data):
    """The start-of-frame marker of a JPEG file (0xC0 for baseline),
    found by walking the segments before the first scan."""
    pos = 2
    while data[pos] == 0xFF:
        marker, length = data[pos + 1], struct.unpack_from(">H", data, pos + 2)[0]
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            return marker
        pos += 2 + length
    return None


class ShellArtTest(unittest.TestCase):
    def test_committed_files_have_their_format_and_size(self):
        for name, (fmt, w, h) in FILES.items():
            with self.subTest(name):
                path = os.path.join(make.DEFAULT_OUT, name)
                with open(path, "rb") as f:
                    data = f.read()
                with Image.open(path) as img:
                    self.assertEqual((img.format, img.size), (fmt, (w, h)))
                    if fmt == "ICO":
                        self.assertEqual(sorted(img.ico.sizes()), ICON_SIZES)
                if fmt == "BMP":
                    self.assertEqual(struct.unpack_from("<H", data, 28)[0], 24, "bits per pixel")
                if fmt == "JPEG":
                    self.assertEqual(jpeg_frame_marker(data), 0xC0, "baseline")

    def test_script_remakes_the_committed_bytes(self):
        out = tempfile.mkdtemp(prefix="shell-art-")
        self.addCleanup(shutil.rmtree, out)
        make.make_all(out)
        made = {os.path.relpath(os.path.join(d, f), out) for d, _, fs in os.walk(out) for f in fs}
        self.assertEqual(made, set(FILES))
        for name in FILES:
            with open(os.path.join(out, name), "rb") as a, open(os.path.join(make.DEFAULT_OUT, name), "rb") as b:
                self.assertTrue(a.read() == b.read(), name + " is not what the script makes")


if __name__ == "__main__":
    unittest.main()
