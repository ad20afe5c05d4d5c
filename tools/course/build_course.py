#!/usr/bin/python3
"""Build the French vocabulary course of the quiz book library.

The course is written as four UTF-8 source tables beside this script
(french1.txt .. french4.txt).  This script turns each table into the quiz
document the library embeds, quizbook/resources/frenchN.xml: ISO-8859-1
bytes, CR LF line ends, tab indentation.

    build_course.py            write the four documents
    build_course.py --check    verify sources and documents, exit 1 on findings
    build_course.py --spell    list words missing from the system word lists
                               (/usr/share/dict/french, british-english) for a
                               human to judge; never fails

Source table format (one line each, '#' starts a comment line):

    @title French Vocabulary         title of the Quizzes element
    @quizid FrenchID                 quizid of the Quizzes element
    @quiz Beginner Stage 1           title of the Quiz element
    @output french1.xml              document written under quizbook/resources
    == Colours                       a new round with this category
    == In The Town [4]               ... whose tests all carry difficulty="4"
    en  Black = Noir | Bleu | Brun | Blanc
    fr  Marron = Brown | Beige | Grey | Gold
    en! Scarlet = Écarlate | ...     '!' gives this one test difficulty="4"
    pic 309 = L'Ail | La Fève | Le Poireau | Le Fenouil

"en" lines ask an English word and answer in French, "fr" lines the other
way round; the three texts after the answer are the wrong options, in the
answer's language.  A "pic" line asks "Qu'est-ce que c'est?" about picture
NNN; its answer must be the one given to that picture in
tools/artwork/pictures.tsv.  Picture elements are placed alternately right
after the Question and right after the Answer.

synonyms.txt lists groups of words a learner could fairly give for one
another (one group a line, words separated by " | "): synonyms, and a word
with its broader or narrower term.  An option from the answer's group would
be a second right answer, and --check reports it.  Its lines of the form
"French = English" give meanings the course does not teach; an option that
is such a meaning of the question is reported the same way.

English texts follow one title case: every word starts with a capital
except the small words of ENGLISH_SMALL_WORDS, which are written in lower
case unless they open or close the text (words joined by '-' count as
separate words: "Brother-in-Law", "Passer-By").  French texts keep their own
capitalisation.  The revision book (resource 350) asks again about pictures
the three stages ask about; it must offer other wrong options than the
stage does, or the learner only recognises the set.
"""

import argparse
import os
import re
import sys
import unicodedata
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
OUT_DIR = os.path.join(ROOT, "quizbook", "resources")
PICTURE_TABLE = os.path.join(ROOT, "tools", "artwork", "pictures.tsv")
PICTURE_DIR = os.path.join(OUT_DIR, "pictures")
SYNONYMS = os.path.join(HERE, "synonyms.txt")
SOURCES = ["french1.txt", "french2.txt", "french3.txt", "french4.txt"]

PROLOG = "<?xml version='1.0' encoding='ISO-8859-1' ?>"
PICTURE_QUESTION = "Qu'est-ce que c'est?"
FIRST_PICTURE, LAST_PICTURE = 250, 348

# What each document must hold: header, rounds in order with their sizes,
# the number of picture tests and of tests marked difficulty="4".
EXPECTED = {
    "french1.xml": {
        "resource": 106, "title": "French Vocabulary", "quizid": "FrenchID",
        "quiz": "Beginner Stage 1", "tests": 323, "pictures": 25,
        "difficult": 33,
        "rounds": [("Colours", 17), ("The Calendar", 53), ("-ER Verbs", 28),
                   ("Professions", 32), ("Clothes", 35),
                   ("Food and Drink", 31), ("In The Town", 30),
                   ("The Family", 21), ("The Human Body", 21),
                   ("Home Furnishings", 30), ("Picture Board", 25)],
    },
    "french2.xml": {
        "resource": 107, "title": "French Vocabulary", "quizid": "FrenchID",
        "quiz": "Beginner Stage 2", "tests": 308, "pictures": 25,
        "difficult": 60,
        "rounds": [("Adverbs", 20), ("-IR Verbs", 20), ("Materials", 18),
                   ("Adjectives", 32), ("In The Kitchen", 32),
                   ("Feelings and Emotions", 18), ("At The Bank", 21),
                   ("The Weather", 30), ("When?", 37),
                   ("Around The House", 32), ("The Animal Kingdom", 23),
                   ("Pictures", 25)],
    },
    "french3.xml": {
        "resource": 349, "title": "French Vocabulary", "quizid": "FrhID",
        "quiz": "Beginner Stage 3", "tests": 340, "pictures": 24,
        "difficult": 167,
        "rounds": [("Air Travel", 49), ("In The Office", 24),
                   ("-RE Verbs", 20), ("Appearance", 22),
                   ("Characteristics", 22), ("Cars and Motoring", 28),
                   ("Fashion", 30), ("Where?", 27), ("Food and Drink", 34),
                   ("Pot Luck", 30), ("Adjectives", 30),
                   ("Picture Board", 24)],
    },
    "french4.xml": {
        "resource": 350, "title": "French Vocabulary", "quizid": "FrenchID",
        "quiz": "Categories", "tests": 99, "pictures": 99, "difficult": 37,
        "rounds": [("Food and Drink", 10), ("The Animal Kingdom", 11),
                   ("Clothes", 11), ("The Human Body", 6),
                   ("In The Office", 9), ("In The Kitchen", 8),
                   ("Around The House", 12), ("More Advanced", 8),
                   ("People", 7), ("Around Town", 7), ("Pot Luck", 10)],
    },
}

FRENCH_ARTICLES = ("Le ", "La ", "Les ", "L'", "Un ", "Une ", "Des ")
# Words that may stay in lower case inside a title-cased text.
SMALL_WORDS = {
    "de", "du", "des", "d'", "à", "au", "aux", "en", "et", "ou", "sur", "pour",
    "par", "avec", "sans", "que", "qui", "y", "le", "la", "les", "un", "une",
    "of", "and", "or", "the", "a", "an", "to", "in", "on", "at", "for",
    "with", "from", "by", "per", "as",
}
ENGLISH_SMALL_WORDS = {
    "a", "an", "the", "and", "but", "or", "nor", "of", "to", "in", "on",
    "at", "by", "for", "with", "from", "per", "as", "into",
}


class SourceError(Exception):
    pass


class Test:
    def __init__(self, kind, question, answer, options, picture, difficult,
                 where):
        self.kind = kind            # "en", "fr" or "pic"
        self.question = question
        self.answer = answer
        self.options = options
        self.picture = picture      # number or None
        self.difficult = difficult
        self.where = where          # "file:line" for messages


class Round:
    def __init__(self, category, difficult, where):
        self.category = category
        self.difficult = difficult
        self.where = where
        self.tests = []


class Document:
    def __init__(self, source):
        self.source = source
        self.header = {}
        self.rounds = []

    @property
    def tests(self):
        return [t for r in self.rounds for t in r.tests]


def norm(text):
    """Compare form: no accents, no case, single blanks."""
    decomposed = unicodedata.normalize("NFD", text)
    bare = "".join(c for c in decomposed if not unicodedata.combining(c))
    return " ".join(bare.casefold().split())


def key(text):
    """Lookup form: no case, single blanks, accents kept (Sale is not Salé)."""
    return " ".join(text.casefold().split())


def read_source(path):
    doc = Document(os.path.basename(path))
    current = None
    with open(path, encoding="utf-8") as f:
        for lineno, raw in enumerate(f, 1):
            where = f"{doc.source}:{lineno}"
            line = raw.rstrip("\n").rstrip()
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            if line.startswith("@"):
                field, _, value = line[1:].partition(" ")
                if field not in ("title", "quizid", "quiz", "output"):
                    raise SourceError(f"{where}: unknown header @{field}")
                doc.header[field] = value.strip()
                continue
            if line.startswith("=="):
                category = line[2:].strip()
                difficult = category.endswith("[4]")
                if difficult:
                    category = category[:-3].rstrip()
                current = Round(category, difficult, where)
                doc.rounds.append(current)
                continue
            m = re.match(r"^(en|fr|pic)(!?)\s+(.*)$", line)
            if not m:
                raise SourceError(f"{where}: cannot read line: {line}")
            if current is None:
                raise SourceError(f"{where}: test before the first round")
            kind, bang, rest = m.groups()
            if rest.count(" = ") != 1:
                raise SourceError(f"{where}: need exactly one ' = '")
            question, _, answers = rest.partition(" = ")
            texts = [t.strip() for t in answers.split("|")]
            if len(texts) != 4:
                raise SourceError(f"{where}: need an answer and three options")
            picture = None
            if kind == "pic":
                if not re.fullmatch(r"\d+", question.strip()):
                    raise SourceError(f"{where}: picture number expected")
                picture = int(question)
                question = PICTURE_QUESTION
            current.tests.append(Test(kind, question.strip(), texts[0],
                                      texts[1:], picture,
                                      bool(bang) or current.difficult, where))
    for field in ("title", "quizid", "quiz", "output"):
        if field not in doc.header:
            raise SourceError(f"{doc.source}: missing @{field}")
    return doc


def escape(text, attribute=False):
    text = text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
    if attribute:
        text = text.replace('"', "&quot;")
    return text


def render(doc):
    """The document as the library stores it, as bytes."""
    lines = [PROLOG]
    h = doc.header
    lines.append(f'<Quizzes title="{escape(h["title"], True)}" '
                 f'quizid="{escape(h["quizid"], True)}">')
    lines.append(f'\t<Quiz title="{escape(h["quiz"], True)}">')
    lines.append("\t\t<Rounds>")
    picture_count = 0
    for rnd in doc.rounds:
        lines.append(f'\t\t\t<Round category="{escape(rnd.category, True)}">')
        lines.append("\t\t\t\t<Questions>")
        for test in rnd.tests:
            attr = ' difficulty="4"' if test.difficult else ""
            lines.append(f"\t\t\t\t\t<Test{attr}>")
            body = [("Question", test.question), ("Answer", test.answer)]
            if test.picture is not None:
                # Alternate the two placements the reader accepts.
                body.insert(1 + picture_count % 2, ("Picture", str(test.picture)))
                picture_count += 1
            body += [(f"Option{i}", o) for i, o in enumerate(test.options, 1)]
            for name, text in body:
                lines.append(f"\t\t\t\t\t\t<{name}>{escape(text)}</{name}>")
            lines.append("\t\t\t\t\t</Test>")
        lines.append("\t\t\t\t</Questions>")
        lines.append("\t\t\t</Round>")
    lines.append("\t\t</Rounds>")
    lines.append("\t</Quiz>")
    lines.append("</Quizzes>")
    return ("\r\n".join(lines) + "\r\n").encode("iso-8859-1")


def read_pictures():
    table = {}
    with open(PICTURE_TABLE, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            number, group, obj, answer, emoji = line.rstrip("\n").split("\t")
            table[int(number)] = {"group": group, "object": obj,
                                  "answer": answer}
    return table


def word_list_lines():
    if not os.path.exists(SYNONYMS):
        return []
    with open(SYNONYMS, encoding="utf-8") as f:
        return [line.strip() for line in f
                if line.strip() and not line.startswith("#")]


def read_synonyms():
    return [{key(w) for w in line.split("|") if w.strip()}
            for line in word_list_lines() if " = " not in line]


def read_meanings():
    """(French, English) pairs of meanings the course does not teach."""
    pairs = []
    for line in word_list_lines():
        if " = " in line:
            french, _, english = line.partition(" = ")
            pairs.append((key(french), key(english)))
    return pairs


def english_case(text):
    """The text in the course's English title case."""
    parts = re.split(r"([ -])", text)
    words = [i for i in range(0, len(parts), 2) if parts[i]]
    for n, i in enumerate(words):
        word = parts[i]
        if not word[0].isalpha():
            continue
        edge = n in (0, len(words) - 1)
        if word.rstrip("?!.,").lower() in ENGLISH_SMALL_WORDS and not edge:
            parts[i] = word.lower()
        else:
            parts[i] = word[0].upper() + word[1:]
    return "".join(parts)


# ---------------------------------------------------------------- checks

def check_text_form(text, where, findings, english):
    if not text:
        findings.append(f"{where}: empty text")
        return
    if text != text.strip() or "  " in text:
        findings.append(f"{where}: stray blanks in {text!r}")
    for ch in text:
        code = ord(ch)
        if code > 0xFF or 0x80 <= code <= 0x9F or code < 0x20:
            findings.append(f"{where}: character {ch!r} not allowed in {text!r}")
    if english and any(ord(c) > 0x7F for c in text):
        findings.append(f"{where}: accented letter in English text {text!r}")
    if text == PICTURE_QUESTION:
        return
    if english:
        if text != english_case(text):
            findings.append(f"{where}: English text {text!r} should read "
                            f"{english_case(text)!r}")
        return
    words = text.split(" ")
    for i, word in enumerate(words):
        letters = word.lstrip("(\"'¿¡")
        if not letters or not letters[0].isalpha():
            continue
        small = (word.lower() in SMALL_WORDS
                 or word.lower().startswith(("d'", "l'")))
        if (i == 0 or not small) and not letters[0].isupper():
            findings.append(f"{where}: word {word!r} should be capitalised "
                            f"in {text!r}")
    if text.startswith("L'") and len(text) > 2 and not text[2].isupper():
        findings.append(f"{where}: capital letter expected after L' in "
                        f"{text!r}")


def has_article(text):
    return text.startswith(FRENCH_ARTICLES)


def check_document(doc, pictures, synonyms, dictionary, lang_sets, findings):
    exp = EXPECTED.get(doc.header["output"])
    if exp is None:
        findings.append(f"{doc.source}: unknown output {doc.header['output']}")
        return
    for field in ("title", "quizid", "quiz"):
        if doc.header[field] != exp[field]:
            findings.append(f"{doc.source}: @{field} is "
                            f"{doc.header[field]!r}, expected {exp[field]!r}")
    got_rounds = [(r.category, len(r.tests)) for r in doc.rounds]
    if got_rounds != exp["rounds"]:
        for i in range(max(len(got_rounds), len(exp["rounds"]))):
            g = got_rounds[i] if i < len(got_rounds) else None
            e = exp["rounds"][i] if i < len(exp["rounds"]) else None
            if g != e:
                findings.append(f"{doc.source}: round {i + 1} is {g}, "
                                f"expected {e}")
    tests = doc.tests
    n_pic = sum(1 for t in tests if t.picture is not None)
    n_diff = sum(1 for t in tests if t.difficult)
    for label, got, want in (("tests", len(tests), exp["tests"]),
                             ("picture tests", n_pic, exp["pictures"]),
                             ("difficulty 4 tests", n_diff, exp["difficult"])):
        if got != want:
            findings.append(f"{doc.source}: {got} {label}, expected {want}")

    seen_questions, seen_answers, seen_pairs, seen_pictures = {}, {}, {}, {}
    for rnd in doc.rounds:
        kinds = {t.kind for t in rnd.tests}
        if "pic" in kinds and kinds != {"pic"}:
            findings.append(f"{rnd.where}: round {rnd.category!r} mixes "
                            "picture and translation tests")
        if "pic" not in kinds and kinds != {"en", "fr"}:
            findings.append(f"{rnd.where}: round {rnd.category!r} must ask "
                            "in both directions")
        for t in rnd.tests:
            english_answer = t.kind == "fr"
            check_text_form(t.question, t.where, findings,
                            english=(t.kind == "en"))
            for text in [t.answer] + t.options:
                check_text_form(text, t.where, findings,
                                english=english_answer)
            na = norm(t.answer)
            nopts = [norm(o) for o in t.options]
            if len(set(nopts)) != 3:
                findings.append(f"{t.where}: two equal options")
            if na in nopts:
                findings.append(f"{t.where}: an option equals the answer")
            if norm(t.question) in nopts:
                findings.append(f"{t.where}: an option equals the question")
            ka, kopts = key(t.answer), [key(o) for o in t.options]
            for group in synonyms:
                if ka in group:
                    for o, ko in zip(t.options, kopts):
                        if ko in group:
                            findings.append(f"{t.where}: option {o!r} means "
                                            f"the same as {t.answer!r}")
            if t.kind == "pic":
                if t.question != PICTURE_QUESTION:
                    findings.append(f"{t.where}: picture question must be "
                                    f"{PICTURE_QUESTION!r}")
                if t.picture not in pictures:
                    findings.append(f"{t.where}: no picture {t.picture}")
                else:
                    if pictures[t.picture]["answer"] != t.answer:
                        findings.append(
                            f"{t.where}: picture {t.picture} shows "
                            f"{pictures[t.picture]['answer']!r}, not "
                            f"{t.answer!r}")
                    if (exp["resource"] == 350 and
                            pictures[t.picture]["group"] != rnd.category):
                        findings.append(f"{t.where}: picture {t.picture} "
                                        f"belongs to "
                                        f"{pictures[t.picture]['group']!r}")
                for text in [t.answer] + t.options:
                    if not has_article(text):
                        findings.append(f"{t.where}: {text!r} needs its "
                                        "article")
                if t.picture in seen_pictures:
                    findings.append(f"{t.where}: picture {t.picture} already "
                                    f"used at {seen_pictures[t.picture]}")
                seen_pictures[t.picture] = t.where
                continue
            # translation tests
            if has_article(t.answer) != all(has_article(o) for o in t.options) \
                    or len({has_article(o) for o in t.options}) != 1:
                findings.append(f"{t.where}: answer and options must all "
                                "have an article or all have none")
            known = dictionary.get(key(t.question), set())
            for o, ko in zip(t.options, kopts):
                if ko in known:
                    findings.append(f"{t.where}: option {o!r} is also a "
                                    f"translation of {t.question!r}")
            own, other = lang_sets[t.kind]
            for o, ko in zip(t.options, kopts):
                if ko in other and ko not in own:
                    findings.append(f"{t.where}: option {o!r} is in the "
                                    "question's language")
            nq = norm(t.question)
            for text, seen, label in ((nq, seen_questions, "question"),
                                      (na, seen_answers, "answer")):
                if text in seen:
                    findings.append(f"{t.where}: {label} {text!r} repeats "
                                    f"{seen[text]}")
                seen[text] = t.where
            pair = frozenset((nq, na))
            if pair in seen_pairs:
                findings.append(f"{t.where}: the pair {t.question!r}/"
                                f"{t.answer!r} is asked again (also at "
                                f"{seen_pairs[pair]})")
            seen_pairs[pair] = t.where
    if exp["resource"] == 350 and sorted(seen_pictures) != sorted(pictures):
        missing = sorted(set(pictures) - set(seen_pictures))
        findings.append(f"{doc.source}: pictures not used: {missing}")


def check_output_bytes(doc, findings):
    """Verify the written document against the byte and structure rules."""
    path = os.path.join(OUT_DIR, doc.header["output"])
    name = doc.header["output"]
    if not os.path.exists(path):
        findings.append(f"{name}: missing, run build_course.py")
        return
    data = read_bytes(path)
    if data != render(doc):
        findings.append(f"{name}: out of date with {doc.source}, "
                        "run build_course.py")
    if not data.startswith((PROLOG + "\r\n").encode("ascii")):
        findings.append(f"{name}: wrong prolog")
    bad = sorted({b for b in data if 0x80 <= b <= 0x9F})
    if bad:
        findings.append(f"{name}: bytes in 0x80..0x9F: {bad}")
    if 0 in data:
        findings.append(f"{name}: holds a zero byte")
    if data.replace(b"\r\n", b"").count(b"\r") or \
            data.replace(b"\r\n", b"").count(b"\n"):
        findings.append(f"{name}: line ends other than CR LF")
    if not data.endswith(b"\r\n"):
        findings.append(f"{name}: last line not ended")
    for i, line in enumerate(data.split(b"\r\n")[1:], 2):
        body = line.lstrip(b"\t")
        if body[:1] in (b" ", b"\t"):
            findings.append(f"{name}:{i}: indentation other than tabs")
        if body != body.rstrip():
            findings.append(f"{name}:{i}: trailing blanks")
    try:
        root = ET.fromstring(data)
    except ET.ParseError as e:
        findings.append(f"{name}: not well-formed: {e}")
        return
    exp = EXPECTED[name]
    if root.tag != "Quizzes" or root.get("title") != exp["title"] \
            or root.get("quizid") != exp["quizid"]:
        findings.append(f"{name}: Quizzes element or its attributes wrong")
    quizzes = list(root)
    if len(quizzes) != 1 or quizzes[0].tag != "Quiz" \
            or quizzes[0].get("title") != exp["quiz"]:
        findings.append(f"{name}: need exactly one Quiz titled {exp['quiz']!r}")
        return
    quiz = quizzes[0]
    if (quiz.text or "").strip() or not len(quiz) or quiz[0].tag != "Rounds" \
            or len(quiz) != 1:
        findings.append(f"{name}: Rounds must be the only and first child")
        return
    placements = set()
    rounds = list(quiz[0])
    got = []
    for rnd in rounds:
        if rnd.tag != "Round" or rnd.get("category") is None:
            findings.append(f"{name}: Round without category")
            continue
        if len(rnd) != 1 or rnd[0].tag != "Questions":
            findings.append(f"{name}: round {rnd.get('category')!r} needs "
                            "exactly one Questions element")
            continue
        got.append((rnd.get("category"), len(rnd[0])))
        for test in rnd[0]:
            tags = [c.tag for c in test]
            if test.tag != "Test":
                findings.append(f"{name}: {test.tag} inside Questions")
            if set(test.attrib) - {"difficulty"} or \
                    test.get("difficulty") not in (None, "4"):
                findings.append(f"{name}: unexpected Test attributes")
            plain = [t for t in tags if t != "Picture"]
            if plain != ["Question", "Answer", "Option1", "Option2",
                         "Option3"]:
                findings.append(f"{name}: Test children {tags}")
            if "Picture" in tags:
                pos = tags.index("Picture")
                if tags.count("Picture") != 1 or pos not in (1, 2):
                    findings.append(f"{name}: Picture misplaced in {tags}")
                placements.add(tags[pos - 1])
                number = test.find("Picture").text or ""
                if not os.path.exists(os.path.join(PICTURE_DIR,
                                                   f"{number}.jpg")):
                    findings.append(f"{name}: picture file {number}.jpg "
                                    "missing")
    if got != exp["rounds"]:
        findings.append(f"{name}: rounds read back as {got}")
    if placements != {"Question", "Answer"}:
        findings.append(f"{name}: Picture placements used: "
                        f"{sorted(placements)}")


def check_picture_files(findings):
    for number in range(FIRST_PICTURE, LAST_PICTURE + 1):
        path = os.path.join(PICTURE_DIR, f"{number}.jpg")
        if not os.path.exists(path):
            findings.append(f"pictures: {number}.jpg missing")
            continue
        data = read_bytes(path, 4096)
        if data[:2] != b"\xff\xd8" or data[6:11] != b"JFIF\0":
            findings.append(f"pictures: {number}.jpg is not JPEG/JFIF")
            continue
        size = jpeg_size(path)
        if size is None or not (56 <= size[0] <= 400 and 44 <= size[1] <= 218):
            findings.append(f"pictures: {number}.jpg has size {size}")


def read_bytes(path, limit=-1):
    with open(path, "rb") as f:
        return f.read(limit)


def jpeg_size(path):
    data = read_bytes(path)
    i = 2
    while i + 9 < len(data):
        if data[i] != 0xFF:
            return None
        marker = data[i + 1]
        length = int.from_bytes(data[i + 2:i + 4], "big")
        if marker in (0xC0, 0xC1, 0xC2):
            height = int.from_bytes(data[i + 5:i + 7], "big")
            width = int.from_bytes(data[i + 7:i + 9], "big")
            return width, height
        i += 2 + length
    return None


def build_dictionary(docs, synonyms, meanings=()):
    """Every translation the course teaches or synonyms.txt lists, in both
    directions."""
    dictionary = {}
    pairs = list(meanings)
    for doc in docs:
        pairs += [(key(t.question), key(t.answer))
                  for t in doc.tests if t.kind != "pic"]
    for q, a in pairs:
        dictionary.setdefault(q, set()).add(a)
        dictionary.setdefault(a, set()).add(q)
    # A word's synonyms translate the same words.
    for group in synonyms:
        targets = set()
        for w in group:
            targets |= dictionary.get(w, set())
        for target in targets:
            dictionary.setdefault(target, set()).update(group)
    return dictionary


def build_language_sets(docs):
    english, french = set(), set()
    for doc in docs:
        for t in doc.tests:
            if t.kind == "en":
                english.add(key(t.question))
                french.update(key(x) for x in [t.answer] + t.options)
            elif t.kind == "fr":
                french.add(key(t.question))
                english.update(key(x) for x in [t.answer] + t.options)
            else:
                french.update(key(x) for x in [t.answer] + t.options)
    # an "en" test answers in French: its options belong to French
    return {"en": (french, english), "fr": (english, french)}


def check_revision(docs, findings):
    """The revision book's picture tests against the stages' ones."""
    def revision(doc):
        return EXPECTED.get(doc.header["output"], {}).get("resource") == 350

    asked = {t.picture: t for d in docs if not revision(d)
             for t in d.tests if t.picture is not None}
    for doc in filter(revision, docs):
        for t in doc.tests:
            earlier = asked.get(t.picture)
            if earlier is None:
                continue
            shared = {norm(o) for o in t.options} & \
                {norm(o) for o in earlier.options}
            if shared:
                findings.append(f"{t.where}: picture {t.picture} repeats "
                                f"options {sorted(shared)} of {earlier.where}")


def load_all():
    return [read_source(os.path.join(HERE, s)) for s in SOURCES]


def check(docs):
    findings = []
    pictures = read_pictures()
    if sorted(pictures) != list(range(FIRST_PICTURE, LAST_PICTURE + 1)):
        findings.append("pictures.tsv: numbers must be 250..348, each once")
    synonyms = read_synonyms()
    dictionary = build_dictionary(docs, synonyms, read_meanings())
    lang_sets = build_language_sets(docs)
    for doc in docs:
        check_document(doc, pictures, synonyms, dictionary, lang_sets,
                       findings)
        check_output_bytes(doc, findings)
    check_revision(docs, findings)
    check_picture_files(findings)
    return findings


# ---------------------------------------------------------------- spelling

ELISIONS = ("l'", "d'", "qu'", "j'", "n'", "s'", "c'", "m'", "t'")


def load_words(path):
    words = set()
    if os.path.exists(path):
        with open(path, encoding="utf-8", errors="replace") as f:
            for line in f:
                words.add(line.strip().lower())
    return words


def known_word(word, words):
    w = word.lower().strip("?!,.")
    if not w or w.isdigit() or w in words:
        return True
    for e in ELISIONS:
        if w.startswith(e) and known_word(w[len(e):], words):
            return True
    if w.endswith("'s") and w[:-2] in words:
        return True
    if w.endswith("s'") and w[:-1] in words:
        return True
    parts = w.split("-")
    return len(parts) > 1 and all(known_word(p, words) for p in parts)


def spell(docs):
    french = load_words("/usr/share/dict/french")
    english = load_words("/usr/share/dict/british-english")
    if not french or not english:
        print("spell: install wfrench and wbritish for this", file=sys.stderr)
        return
    for doc in docs:
        for t in doc.tests:
            sides = []
            if t.kind == "en":
                sides = [("question", t.question, english),
                         ("answer", t.answer, french)] + \
                        [("option", o, french) for o in t.options]
            elif t.kind == "fr":
                sides = [("question", t.question, french),
                         ("answer", t.answer, english)] + \
                        [("option", o, english) for o in t.options]
            else:
                sides = [("answer", t.answer, french)] + \
                        [("option", o, french) for o in t.options]
            for role, text, words in sides:
                for word in text.split():
                    if not known_word(word, words):
                        print(f"{t.where}: {role} {text!r}: {word!r}")


def main():
    parser = argparse.ArgumentParser(
        description="Build the French course quiz documents.")
    parser.add_argument("--check", action="store_true",
                        help="verify sources and written documents")
    parser.add_argument("--spell", action="store_true",
                        help="list words missing from the system word lists")
    args = parser.parse_args()
    try:
        docs = load_all()
    except (SourceError, OSError) as e:
        print(f"error: {e}", file=sys.stderr)
        return 2
    if args.spell:
        spell(docs)
        return 0
    if not args.check:
        for doc in docs:
            try:
                data = render(doc)
            except UnicodeEncodeError as e:
                print(f"error: {doc.source}: {e}", file=sys.stderr)
                return 2
            with open(os.path.join(OUT_DIR, doc.header["output"]), "wb") as f:
                f.write(data)
    findings = check(docs)
    for finding in findings:
        print(finding)
    tests = sum(len(d.tests) for d in docs)
    print(f"{len(docs)} documents, {tests} tests: {len(findings)} findings")
    return 1 if (findings and args.check) else 0


if __name__ == "__main__":
    sys.exit(main())
