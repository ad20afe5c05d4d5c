#!/usr/bin/python3
"""Tests of the console media scripts: the output is stable, it passes the
checker, and the checker notices the faults an artwork change could bring.

    /usr/bin/python3 -m unittest discover -s tools/artwork -p 'test_*.py'
"""

import os
import shutil
import struct
import sys
import tempfile
import unittest
import wave

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import numpy as np                    # noqa: E402
from PIL import Image                 # noqa: E402

import check_console_media as check   # noqa: E402
import make_console_media as make     # noqa: E402
import media_formats                  # noqa: E402


def frame_offsets(data):
    """Byte offsets of the frames of an AVI clip, in order."""
    pos = data.index(b"movi") + 4
    out = []
    while data[pos:pos + 4] == b"00db":
        size = struct.unpack_from("<I", data, pos + 4)[0]
        out.append(pos + 8)
        pos += 8 + size + (size & 1)
    return out


class ConsoleMediaTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="console-media-")
        cls.good = os.path.join(cls.tmp, "good")
        make.make_all(cls.good)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def failures(self, root):
        return {name: error for name, error, _ in check.check_all(root) if error}

    def test_output_is_stable_and_passes_the_check(self):
        self.assertEqual(self.failures(self.good), {})
        again = os.path.join(self.tmp, "again")
        make.make_all(again)
        for name in list(check.CLIPS) + list(check.SOUNDS) + list(check.PICTURES):
            with open(os.path.join(self.good, name), "rb") as a, open(os.path.join(again, name), "rb") as b:
                self.assertTrue(a.read() == b.read(), name + " differs between two runs")

    def mutated(self, name, change):
        """A copy of the good media with one file changed by change(bytes)."""
        root = tempfile.mkdtemp(dir=self.tmp)
        shutil.rmtree(root)
        shutil.copytree(self.good, root)
        path = os.path.join(root, name)
        with open(path, "rb") as f:
            data = bytearray(f.read())
        data = change(data)
        if data is None:
            os.remove(path)
        else:
            with open(path, "wb") as f:
                f.write(data)
        return root

    def assertOnlyFails(self, root, name, words):
        failures = self.failures(root)
        self.assertEqual(list(failures), [name])
        self.assertIn(words, failures[name])

    def test_clip_faults_are_caught(self):
        def frame_total(data):
            p = data.index(b"avih") + 8
            struct.pack_into("<I", data, p + 16, 60)
            return data

        def top_down(data):
            p = data.index(b"strf") + 8
            struct.pack_into("<i", data, p + 8, -8)
            return data

        def segment_out(data):
            # frame 5, segment 10: its lamp goes dark although it should be lit
            stride = (494 * 3 + 3) & ~3
            start = frame_offsets(data)[5] + (8 - 1 - 4) * stride + (14 + 8 * 10 + 3) * 3
            data[start:start + 3] = b"\0\0\0"
            return data

        def swap_rungs(data):
            a, b = frame_offsets(data)[3:5]
            size = b - a
            data[a:a + size - 8], data[b:b + size - 8] = data[b:b + size - 8], data[a:a + size - 8]
            return data

        cases = [("avi/233.avi", frame_total, "frames"),
                 ("avi/233.avi", top_down, "top-down"),
                 ("avi/233.avi", segment_out, "frame 5: segment 10 is dark"),
                 ("avi/245.avi", swap_rungs, "ladder frame 3"),
                 ("avi/243.avi", lambda d: None, "missing")]
        for name, change, words in cases:
            with self.subTest(change.__name__ if change.__name__ != "<lambda>" else "missing"):
                self.assertOnlyFails(self.mutated(name, change), name, words)

    def test_skin_out_of_line_with_the_clips_is_caught(self):
        def one_pixel_left(data):
            offset = struct.unpack_from("<I", data, 10)[0]
            return data[:offset] + data[offset + 3:] + b"\0\0\0"

        root = self.mutated("skin/246.bmp", one_pixel_left)
        failures = self.failures(root)
        self.assertEqual(sorted(failures), sorted(check.CLIPS))
        for error in failures.values():
            self.assertIn("does not continue the skin", error)

    def test_sound_faults_are_caught(self):
        def one_sample_short(data):
            root = tempfile.mkdtemp(dir=self.tmp)
            path = os.path.join(root, "x.wav")
            with open(path, "wb") as f:
                f.write(data)
            with wave.open(path) as w:
                params, frames = w.getparams(), w.readframes(w.getnframes())
            with wave.open(path, "wb") as w:
                w.setparams(params)
                w.writeframes(frames[:-params.sampwidth * params.nchannels])
            with open(path, "rb") as f:
                return bytearray(f.read())

        def sixteen_bit(data):
            p = data.index(b"fmt ") + 8
            struct.pack_into("<H", data, p + 14, 16)
            return data

        for name, change, words in (("wave/244.wav", one_sample_short, "29767 samples, expected 29768"),
                                    ("wave/254.wav", sixteen_bit, "16 bits")):
            with self.subTest(name):
                self.assertOnlyFails(self.mutated(name, change), name, words)

    def test_picture_faults_are_caught(self):
        def gif87(data):
            data[:6] = b"GIF87a"
            return data

        def label_not_black(data):
            # one grey pixel inside option C's answer label
            offset = struct.unpack_from("<I", data, 10)[0]
            x, y = 23 + 100, 444 + 15
            p = offset + (500 - 1 - y) * 520 * 3 + x * 3
            data[p:p + 3] = b"\x40\x40\x40"
            return data

        with open(os.path.join(self.good, "buttons/235.jpg"), "rb") as f:
            plain_answer = bytearray(f.read())

        cases = [("images/247.gif", gif87, "GIF89a"),
                 ("skin/246.bmp", label_not_black, "option C"),
                 ("buttons/236.jpg", lambda d: plain_answer, "expected yellow")]
        for name, change, words in cases:
            with self.subTest(name):
                self.assertOnlyFails(self.mutated(name, change), name, words)


class WriterTest(unittest.TestCase):
    """The container writers on their own, with data small enough to know
    every byte: row order, colour order, row padding and sample coding."""

    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="console-media-")
        self.addCleanup(shutil.rmtree, self.tmp)

    def test_avi_frames_read_back_pixel_for_pixel(self):
        rng = np.random.default_rng(7)
        pixels = [rng.integers(0, 256, (3, 5, 3), dtype=np.uint8) for _ in range(2)]   # odd width: padded rows
        path = os.path.join(self.tmp, "t.avi")
        media_formats.write_avi(path, [Image.fromarray(p, "RGB") for p in pixels], 10)
        with open(path, "rb") as f:
            frames = check.read_avi(f.read(), 5, 3, 2, 10)
        for got, want in zip(frames, pixels):
            np.testing.assert_array_equal(got, want)
        with self.assertRaises(ValueError):
            media_formats.write_avi(path, [Image.new("RGB", (5, 3)), Image.new("RGB", (5, 4))], 10)

    def test_wav_sample_coding(self):
        path = os.path.join(self.tmp, "t.wav")
        media_formats.write_wav(path, [np.array([-1.0, -0.5, 0.0, 0.5, 1.0])], 8)
        with wave.open(path) as w:
            self.assertEqual((w.getnchannels(), w.getsampwidth(), w.getframerate()), (1, 1, 22050))
            self.assertEqual(list(w.readframes(5)), [1, 64, 128, 192, 255])   # unsigned around 128
        media_formats.write_wav(path, [np.array([1.0, 0.0]), np.array([-1.0, 0.5])], 16)
        with wave.open(path) as w:
            self.assertEqual(struct.unpack("<4h", w.readframes(2)), (32767, -32767, 0, 16384))  # left, right


if __name__ == "__main__":
    unittest.main()
