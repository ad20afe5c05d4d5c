#!/usr/bin/python3
"""Tests of the course builder: document bytes, and faults the checker must find.

Run with: /usr/bin/python3 -m unittest discover -s tools/course
"""

import os
import tempfile
import unittest

import build_course as bc

SMALL = """\
@title French & Co <Vocabulary>
@quizid FrenchID
@quiz Tiny "Quiz"
@output tiny.xml
== Fish & Chips [4]
en  Black = Noir | Bleu | Brun | Blanc
fr  Marron = Brown | Beige | Grey | Gold
== Picture Board
pic 309 = L'Ail | La Fève | Le Poireau | Le Fenouil
pic! 250 = Le Pain | Le Bain | Le Pin | La Pâte
"""

PICTURES = {309: {"group": "Food and Drink", "object": "garlic",
                  "answer": "L'Ail"},
            250: {"group": "Food and Drink", "object": "bread",
                  "answer": "Le Pain"}}


def source(text):
    """Parse source text as the builder reads a source table."""
    with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False,
                                     encoding="utf-8") as f:
        f.write(text)
    try:
        return bc.read_source(f.name)
    finally:
        os.unlink(f.name)


def findings_for(text, expected_rounds, pictures=2, difficult=3,
                 synonyms=(), docs_extra=(), meanings=()):
    """Run the content checks on one small document."""
    doc = source(text)
    saved = dict(bc.EXPECTED)
    bc.EXPECTED["tiny.xml"] = {
        "resource": 106, "title": doc.header["title"], "quizid": "FrenchID",
        "quiz": doc.header["quiz"], "tests": sum(n for _, n in expected_rounds),
        "pictures": pictures, "difficult": difficult,
        "rounds": expected_rounds}
    try:
        docs = [doc] + list(docs_extra)
        found = []
        bc.check_document(doc, PICTURES, [set(g) for g in synonyms],
                          bc.build_dictionary(docs, [], meanings),
                          bc.build_language_sets(docs), found)
        return found
    finally:
        bc.EXPECTED.clear()
        bc.EXPECTED.update(saved)


class RenderTest(unittest.TestCase):
    def setUp(self):
        self.data = bc.render(source(SMALL))
        self.lines = self.data.split(b"\r\n")

    def test_prolog_line_ends_and_indentation(self):
        self.assertEqual(self.lines[0],
                         b"<?xml version='1.0' encoding='ISO-8859-1' ?>")
        self.assertTrue(self.data.endswith(b"</Quizzes>\r\n"))
        self.assertNotIn(b"\n", self.data.replace(b"\r\n", b""))
        self.assertNotIn(b"\r", self.data.replace(b"\r\n", b""))
        for line in self.lines[1:]:
            self.assertFalse(line.lstrip(b"\t").startswith(b" "), line)
        self.assertIn(b"\t\t\t\t\t\t<Question>Black</Question>", self.lines)

    def test_latin1_and_escaping(self):
        self.assertIn("<Option1>La Fève</Option1>".encode("iso-8859-1"),
                      self.data)
        self.assertIn(b'title="French &amp; Co &lt;Vocabulary&gt;"',
                      self.data)
        self.assertIn(b'<Quiz title="Tiny &quot;Quiz&quot;">', self.data)
        self.assertIn(b'<Round category="Fish &amp; Chips">', self.data)

    def test_difficulty_and_picture_placement(self):
        text = self.data.decode("iso-8859-1")
        # a round marked [4] marks all its tests; "pic!" marks one test
        self.assertEqual(text.count('<Test difficulty="4">'), 3)
        first = text.index("<Picture>309</Picture>")
        second = text.index("<Picture>250</Picture>")
        self.assertTrue(text[:first].rstrip().endswith(
            "<Question>Qu'est-ce que c'est?</Question>"))
        self.assertTrue(text[:second].rstrip().endswith(
            "<Answer>Le Pain</Answer>"))


class SourceErrorTest(unittest.TestCase):
    def test_malformed_lines_are_refused(self):
        head = "@title T\n@quizid Q\n@quiz Z\n@output tiny.xml\n== R\n"
        for bad in ("en  Black = Noir | Bleu | Brun\n",
                    "en  Black Noir | Bleu | Brun | Blanc\n",
                    "xx  Black = Noir | Bleu | Brun | Blanc\n",
                    "pic abc = L'Ail | La Fève | Le Poireau | Le Fenouil\n"):
            with self.assertRaises(bc.SourceError, msg=bad):
                source(head + bad)
        with self.assertRaises(bc.SourceError):
            source("@title T\n== R\nen  A = B | C | D | E\n")


class ContentCheckTest(unittest.TestCase):
    ROUNDS = [("Fish & Chips", 2), ("Picture Board", 2)]

    def assertFinding(self, found, fragment):
        self.assertTrue(any(fragment in f for f in found),
                        f"no finding with {fragment!r} in {found}")

    def test_clean_document_has_no_findings(self):
        self.assertEqual(findings_for(SMALL, self.ROUNDS), [])

    def test_counts_and_rounds(self):
        found = findings_for(SMALL, [("Fish & Chips", 3),
                                     ("Picture Board", 2)], pictures=3,
                             difficult=2)
        self.assertFinding(found, "round 1 is ('Fish & Chips', 2)")
        self.assertFinding(found, "2 picture tests, expected 3")
        self.assertFinding(found, "3 difficulty 4 tests, expected 2")

    def test_options_against_answer(self):
        text = SMALL.replace("Noir | Bleu | Brun | Blanc",
                             "Où? | ou? | Brun | Brun")
        found = findings_for(text, self.ROUNDS)
        self.assertFinding(found, "an option equals the answer")
        self.assertFinding(found, "two equal options")

    def test_synonym_and_course_translation(self):
        text = SMALL.replace("Noir | Bleu | Brun | Blanc",
                             "Noir | Sombre | Brun | Blanc")
        found = findings_for(text, self.ROUNDS, synonyms=[{"noir", "sombre"}])
        self.assertFinding(found, "option 'Sombre' means the same as 'Noir'")
        other = source("@title T\n@quizid Q\n@quiz Z\n@output other.xml\n"
                       "== R\nfr  Brun = Black | Red | Grey | Blue\n")
        found = findings_for(SMALL, self.ROUNDS, docs_extra=[other])
        self.assertFinding(found, "option 'Brun' is also a translation of "
                                  "'Black'")
        # a meaning the course does not teach, listed in synonyms.txt
        text = SMALL.replace("Brown | Beige", "Brown | Chestnut")
        found = findings_for(text, self.ROUNDS,
                             meanings=[("marron", "chestnut")])
        self.assertFinding(found, "option 'Chestnut' is also a translation "
                                  "of 'Marron'")

    def test_word_list_holds_groups_and_meanings(self):
        with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False,
                                         encoding="utf-8") as f:
            f.write("# comment\nNoir | Sombre\nMarron = Chestnut\n")
        saved, bc.SYNONYMS = bc.SYNONYMS, f.name
        try:
            self.assertEqual(bc.read_synonyms(), [{"noir", "sombre"}])
            self.assertEqual(bc.read_meanings(), [("marron", "chestnut")])
        finally:
            bc.SYNONYMS = saved
            os.unlink(f.name)

    def test_round_must_ask_both_ways_and_not_repeat(self):
        text = SMALL.replace("fr  Marron = Brown | Beige | Grey | Gold",
                             "en  Black = Noir | Bleu | Gris | Blanc")
        found = findings_for(text, self.ROUNDS)
        self.assertFinding(found, "must ask in both directions")
        self.assertFinding(found, "question 'black' repeats")

    def test_picture_rules(self):
        text = SMALL.replace("pic! 250 = Le Pain | Le Bain | Le Pin | La Pâte",
                             "pic! 309 = Le Pain | Bain | Le Pin | La Pâte")
        found = findings_for(text, self.ROUNDS)
        self.assertFinding(found, "picture 309 already used")
        self.assertFinding(found, "picture 309 shows \"L'Ail\", not 'Le Pain'")
        self.assertFinding(found, "'Bain' needs its article")

    def test_text_form(self):
        text = SMALL.replace("Noir | Bleu | Brun | Blanc",
                             "noir | Bleu  Clair | Brun | Le blanc")
        text = text.replace("Brown | Beige", "Brown | Beigé")
        found = findings_for(text, self.ROUNDS)
        self.assertFinding(found, "word 'noir' should be capitalised")
        self.assertFinding(found, "stray blanks in 'Bleu  Clair'")
        self.assertFinding(found, "accented letter in English text 'Beigé'")
        self.assertFinding(found, "article or all have none")

    def test_english_title_case(self):
        for text, expected in (
                ("On The Left", "On the Left"),
                ("To Park the Car", "To Park the Car"),
                ("at a stranger's", "At a Stranger's"),
                ("In Front Of", "In Front Of"),      # last word stays up
                ("Brother-In-Law", "Brother-in-Law"),
                ("Passer-by", "Passer-By"),
                ("A Week", "A Week"),
                ("When?", "When?")):
            self.assertEqual(bc.english_case(text), expected, text)
        # English sides are held to it, French ones keep their own case
        text = SMALL.replace("en  Black = Noir", "en  In The Dark = Noir")
        text = text.replace("Brown | Beige", "Brown | Out Of Town")
        text = text.replace("| Bleu |", "| Bleu de Prusse |")
        found = [f.split(":", 1)[1] for f in findings_for(text, self.ROUNDS)]
        self.assertEqual(found, [
            "6: English text 'In The Dark' should read 'In the Dark'",
            "7: English text 'Out Of Town' should read 'Out of Town'"])


class RevisionTest(unittest.TestCase):
    def test_revision_needs_other_options_than_the_stage(self):
        stage = source(SMALL)
        head = "@title T\n@quizid Q\n@quiz Z\n@output rev.xml\n== Food\n"
        saved = dict(bc.EXPECTED)
        bc.EXPECTED["rev.xml"] = {"resource": 350}
        try:
            found = []
            bc.check_revision([stage, source(
                head + "pic 309 = L'Ail | L'Aile | Le Poireau | L'Oignon\n"
                "pic 251 = Le Fromage | Le Beurre | Le Gâteau | Le Pain\n")],
                found)
            self.assertEqual(len(found), 1, found)
            self.assertIn("picture 309 repeats options ['le poireau']",
                          found[0])
            found = []
            bc.check_revision([stage, source(
                head + "pic 309 = L'Ail | L'Aile | L'Oignon | Le Céleri\n")],
                found)
            self.assertEqual(found, [])
        finally:
            bc.EXPECTED.clear()
            bc.EXPECTED.update(saved)


class OutputBytesTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.saved = (bc.OUT_DIR, bc.PICTURE_DIR, dict(bc.EXPECTED))
        bc.OUT_DIR = self.tmp.name
        bc.PICTURE_DIR = self.tmp.name
        for n in (250, 309):
            open(os.path.join(self.tmp.name, f"{n}.jpg"), "wb").close()
        self.doc = source(SMALL)
        bc.EXPECTED["tiny.xml"] = {
            "resource": 106, "title": self.doc.header["title"],
            "quizid": "FrenchID", "quiz": self.doc.header["quiz"],
            "rounds": [("Fish & Chips", 2), ("Picture Board", 2)]}

    def tearDown(self):
        bc.OUT_DIR, bc.PICTURE_DIR = self.saved[0], self.saved[1]
        bc.EXPECTED.clear()
        bc.EXPECTED.update(self.saved[2])
        self.tmp.cleanup()

    def check(self, data):
        with open(os.path.join(self.tmp.name, "tiny.xml"), "wb") as f:
            f.write(data)
        found = []
        bc.check_output_bytes(self.doc, found)
        return found

    def test_fresh_document_passes(self):
        self.assertEqual(self.check(bc.render(self.doc)), [])

    def test_damaged_documents_are_reported(self):
        good = bc.render(self.doc)
        found = self.check(good.replace("Fève".encode("iso-8859-1"),
                                        b"F\x96ve"))
        self.assertTrue(any("out of date" in f for f in found))
        self.assertTrue(any("0x80..0x9F: [150]" in f for f in found))
        found = self.check(good.replace(b"\r\n", b"\n", 3))
        self.assertTrue(any("CR LF" in f for f in found), found)
        found = self.check(good.replace(b"\t\t\t\t\t\t<Question>Black",
                                        b"    \t\t<Question>Black"))
        self.assertTrue(any("indentation" in f for f in found), found)
        os.unlink(os.path.join(self.tmp.name, "250.jpg"))
        found = self.check(good)
        self.assertTrue(any("250.jpg missing" in f for f in found), found)


class ShippedCourseTest(unittest.TestCase):
    def test_shipped_course_is_clean(self):
        self.assertEqual(bc.check(bc.load_all()), [])


if __name__ == "__main__":
    unittest.main()
