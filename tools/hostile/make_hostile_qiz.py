#!/usr/bin/env python3
"""make_hostile_qiz.py OUTDIR: writes a corpus of hostile user quiz files.

Each file is something a player could be handed and try to load in the game:
broken, enciphered wrongly, huge, deeply nested, abusing entities, carrying an
impossible picture, or well-formed but odd. The game must answer each with a
message of its user quiz file table, or play it, and never crash, hang or
swallow the machine's memory.

Well-formed documents are sealed with the built qizpack (--qizpack); the ones
qizpack rightly refuses to seal are enciphered here the same way: RC4 under
the first five bytes of the MD5 of the passphrase, zero-salted to 16 bytes.
Before the corpus is written the two ways are compared on one document.

--huge-size sets the size of the huge file (600 MB by default); it is sparse,
so it costs no disk space, and belongs in a temporary folder.
"""
import argparse
import base64
import hashlib
import os
import random
import subprocess
import sys
import tempfile

# The passphrase of every user quiz file: the registry text of the identifier
# in platform/crypt/QuizCipher.h (QUIZ_FILE_KEY_ID).
PASSPHRASE = b"{5E1A7C3B-9D24-4F60-8B1E-2C7A90D4F316}"
# The same form of identifier, another value: a file sealed for someone else.
OTHER_PASSPHRASE = b"{0D1C2B3A-4F5E-6071-8293-A4B5C6D7E8F9}"

PROLOG = b"<?xml version='1.0' encoding='ISO-8859-1' ?>\r\n"
OPEN = b"<Quizzes title=\"Hostile\" quizid=\"UserQuiz\">"
TAIL = b"</Quizzes>"
COURSE_PICTURE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                              "quizbook", "resources", "pictures", "309.jpg")


def rc4(key, data):
    state = list(range(256))
    j = 0
    for i in range(256):
        j = (j + state[i] + key[i % len(key)]) & 0xFF
        state[i], state[j] = state[j], state[i]
    out = bytearray(len(data))
    i = j = 0
    for n, byte in enumerate(data):
        i = (i + 1) & 0xFF
        j = (j + state[i]) & 0xFF
        state[i], state[j] = state[j], state[i]
        out[n] = byte ^ state[(state[i] + state[j]) & 0xFF]
    return bytes(out)


def seal_here(plain, passphrase=PASSPHRASE):
    key = hashlib.md5(passphrase).digest()[:5] + bytes(11)
    return rc4(key, plain)


def test(question=b"q", answer=b"A", extra=b""):
    return (b"<Test><Question>" + question + b"</Question><Answer>" + answer +
            b"</Answer><Option1>x</Option1><Option2>y</Option2><Option3>z</Option3>" + extra + b"</Test>")


def quiz(title, rounds):
    return b"<Quiz title=\"" + title + b"\"><Rounds>" + b"".join(rounds) + b"</Rounds></Quiz>"


def round_of(category, tests):
    return b"<Round category=\"" + category + b"\"><Questions>" + b"".join(tests) + b"</Questions></Round>"


def document(*quizzes, doctype=b""):
    return PROLOG + doctype + OPEN + b"".join(quizzes) + TAIL


def valid_document():
    return document(quiz(b"Sound", [round_of(b"One", [test(b"q%d" % n) for n in range(3)])]))


def huge_jpeg():
    """The course's small JPEG with its frame header claiming 30000 x 30000."""
    with open(COURSE_PICTURE, "rb") as picture:
        jpeg = bytearray(picture.read())
    at = 2
    while at + 4 <= len(jpeg):
        marker, length = jpeg[at + 1], int.from_bytes(jpeg[at + 2:at + 4], "big")
        if marker in (0xC0, 0xC1, 0xC2):
            jpeg[at + 5:at + 9] = (30000).to_bytes(2, "big") + (30000).to_bytes(2, "big")
            return bytes(jpeg)
        at += 2 + length
    raise SystemExit("make_hostile_qiz: no frame header in " + COURSE_PICTURE)


class Corpus:
    def __init__(self, folder, qizpack):
        self.folder = folder
        self.qizpack = qizpack

    def path(self, name):
        return os.path.join(self.folder, name)

    def raw(self, name, data):
        with open(self.path(name), "wb") as out:
            out.write(data)

    def seal(self, name, plain):
        """Seals a well-formed document with qizpack, as its author would."""
        if not self.qizpack:
            return self.raw(name, seal_here(plain))
        with tempfile.NamedTemporaryFile(suffix=".xml", dir=self.folder, delete=False) as source:
            source.write(plain)
        try:
            subprocess.run([self.qizpack, "seal", source.name, self.path(name)], check=True)
        finally:
            os.unlink(source.name)

    def check_cipher(self):
        if not self.qizpack:
            return
        self.seal("cipher-check.qiz", valid_document())
        with open(self.path("cipher-check.qiz"), "rb") as sealed:
            made = sealed.read()
        os.unlink(self.path("cipher-check.qiz"))
        if made != seal_here(valid_document()):
            raise SystemExit("make_hostile_qiz: this script's cipher differs from qizpack's")


def write_corpus(corpus, huge_size):
    rng = random.Random(20261209)
    corpus.check_cipher()
    corpus.raw("empty.qiz", b"")
    sealed = seal_here(valid_document())
    corpus.raw("truncated.qiz", sealed[:len(sealed) // 2])
    corpus.raw("random-bytes.qiz", bytes(rng.getrandbits(8) for _ in range(4096)))
    corpus.raw("plain-document.qiz", valid_document())
    corpus.raw("other-key.qiz", seal_here(valid_document(), OTHER_PASSPHRASE))
    with open(corpus.path("huge.qiz"), "wb") as huge:
        huge.truncate(huge_size)
    depth = 10000
    corpus.raw("deep-nesting.qiz", seal_here(document(quiz(b"Deep", [round_of(
        b"d", [test(b"<b>" * depth + b"q" + b"</b>" * depth)])]))))
    laughs = [b"<!ENTITY lol0 \"lol\">"] + [
        b"<!ENTITY lol%d \"" % n + b"&lol%d;" % (n - 1) * 10 + b"\">" for n in range(1, 10)]
    corpus.raw("billion-laughs.qiz", seal_here(document(
        quiz(b"Laughs", [round_of(b"l", [test(b"&lol9;")])]), doctype=b"<!DOCTYPE Quizzes [" + b"".join(laughs) + b"]>")))
    corpus.raw("external-entity.qiz", seal_here(document(
        quiz(b"Secret", [round_of(b"s", [test(b"&secret;")])]),
        doctype=b"<!DOCTYPE Quizzes [<!ENTITY secret SYSTEM \"file:///etc/passwd\">]>")))
    corpus.seal("big-text-node.qiz", document(quiz(b"Long", [round_of(b"t", [test(b"w" * (10 << 20))])])))
    picture = (b"<Source>course</Source><BMP-BASE-64 xmlns:dt=\"urn:schemas-microsoft-com:datatypes\" "
               b"dt:dt=\"bin.base64\">" + base64.b64encode(huge_jpeg()) + b"</BMP-BASE-64>")
    corpus.seal("huge-jpeg.qiz", document(quiz(b"Picture", [round_of(b"p", [test(b"What?", b"A", picture)])])))
    # Windows-1252 text that is no UTF-8: lone lead bytes, stray continuation
    # bytes, and the code page's five unassigned bytes.
    odd = bytes([0xC3, 0x28, 0xA0, 0xA1, 0xE2, 0x82, 0xFF, 0xFE, 0x81, 0x8D, 0x8F, 0x90, 0x9D])
    corpus.seal("invalid-utf8.qiz", document(quiz(b"Odd " + odd, [round_of(b"u" + odd, [test(odd, odd)])])))
    corpus.seal("no-rounds.qiz", document(b"<Quiz title=\"Empty\"><Rounds></Rounds></Quiz>"))
    corpus.seal("round-without-tests.qiz", document(quiz(b"Bare", [round_of(b"none", [])])))
    corpus.seal("empty-answer.qiz", document(quiz(b"Blank", [round_of(b"e", [test(b"q", b"")])])))
    corpus.seal("5000-quizzes.qiz", document(*[quiz(b"Quiz %d" % n, [round_of(b"c", [test(b"q%d" % n)])])
                                               for n in range(5000)]))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("outdir")
    parser.add_argument("--qizpack", help="the built qizpack, to seal well-formed documents with")
    parser.add_argument("--huge-size", type=int, default=600 << 20, help="size of huge.qiz in bytes")
    arguments = parser.parse_args()
    os.makedirs(arguments.outdir, exist_ok=True)
    write_corpus(Corpus(arguments.outdir, arguments.qizpack), arguments.huge_size)
    return 0


if __name__ == "__main__":
    sys.exit(main())
