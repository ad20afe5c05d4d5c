// qizpack as an author uses it: whole runs of the program.
#include "PictureBytes.h"
#include "QuizDocuments.h"
#include "QuizReader.h"
#include "RunProgram.h"
#include "SealedFile.h"

#include <gtest/gtest.h>

using namespace quizdoc;

namespace {

class QizpackTest : public ::testing::Test {
protected:
    ProgramResult Run(const std::string& arguments) { return RunProgram(env, "qizpack", arguments); }
    std::string At(const char* name) const { return (env.Dir() / name).string(); }

    TestEnvironment env;
};

const std::string kDocument =
    Document({Quiz("Caf\xe9 &amp;amp; Cr\xe8me", {Round("Food", Tests("f", 2)), Round("Drink", Tests("d", 12))}),
              Quiz("Second", {Round("Only", Tests("s", 1))})});

} // namespace

TEST_F(QizpackTest, SealsAFileThatListsShowsAndOpensAsTheGameSeesIt)
{
    WriteBytes(At("quiz.xml"), kDocument);
    ProgramResult sealed = Run("seal " + At("quiz.xml") + " " + At("quiz.qiz"));
    ASSERT_EQ(sealed.status, 0) << sealed.err;
    EXPECT_NE(ReadWholeFile(At("quiz.qiz")), kDocument);

    ProgramResult list = Run("list " + At("quiz.qiz"));
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out, "Caf\xc3\xa9 & Cr\xc3\xa8me\nSecond\n") << "titles unescaped, printed in UTF-8";

    ProgramResult show = Run("show " + At("quiz.qiz") + " 2");
    EXPECT_EQ(show.status, 0);
    EXPECT_EQ(show.out.rfind("<?xml version='1.0' encoding='ISO-8859-1' ?><Quizzes title=\"User Defined\"", 0), 0u);
    EXPECT_NE(show.out.find("category=\"Only\""), std::string::npos);
    EXPECT_EQ(show.out.find("Food"), std::string::npos);

    EXPECT_EQ(Run("open " + At("quiz.qiz")).out, kDocument);
    EXPECT_EQ(Run("show " + At("quiz.qiz") + " 3").status, 1);
}

TEST_F(QizpackTest, ChecksRoundsInTheReadersOrder)
{
    WriteBytes(At("quiz.xml"), kDocument);
    WriteSealed(At("quiz.qiz"), kDocument);
    const std::string expected = "2\tFood\n12\tDrink\n1\tOnly\ntotal\t15\n";
    EXPECT_EQ(Run("check " + At("quiz.xml")).out, expected);
    EXPECT_EQ(Run("check " + At("quiz.qiz")).out, expected);
}

TEST_F(QizpackTest, CheckCountsWhatIsPlayedAndWarnsOfTheRest)
{
    const std::string document = Document({Quiz(
        "Q", {Round("Good", Tests("g", 2)), "<Round category=\"Bare\"/>",
              "<Round category=\"Empty\"><Questions>\r\n\t\t</Questions></Round>",
              "<Round category=\"Noted\"><Questions><!-- to do -->" + TestElement("n") +
                  "\r\n\tstray </Questions><Questions>" + TestElement("m") + "</Questions></Round>"})});
    WriteBytes(At("quiz.xml"), document);
    ProgramResult checked = Run("check " + At("quiz.xml"));
    EXPECT_EQ(checked.status, 0);
    EXPECT_EQ(checked.out, "2\tGood\n1\tNoted\ntotal\t3\n");
    EXPECT_EQ(checked.err, "warning: round \"Bare\": it has no Questions element and is skipped\n"
                           "warning: round \"Empty\": it has no tests and is skipped\n"
                           "warning: round \"Noted\": a comment inside Questions is not a test\n"
                           "warning: round \"Noted\": the text \"stray\" inside Questions is not a test\n"
                           "warning: round \"Noted\": only its first Questions element is played, not the 1 after it\n");
}

TEST_F(QizpackTest, ALargePictureSealsListsChecksAndShows)
{
    // 2400 x 1700 pixels of 24 bits: a 12 MB bitmap, 16 MB once in base64.
    const QByteArray bitmap = EncodedImage(2400, 1700, "BMP");
    ASSERT_GT(bitmap.size(), 12'000'000);
    const std::string picture = "<BMP-BASE-64 xmlns:dt=\"urn:schemas-microsoft-com:datatypes\" dt:dt=\"bin.base64\">" +
                                bitmap.toBase64().toStdString() + "</BMP-BASE-64><Source>me</Source>";
    WriteBytes(At("big.xml"), Document({Quiz("Big", {Round("Pictures", {TestElement("What?", "A", picture)})})}));
    ASSERT_EQ(Run("seal " + At("big.xml") + " " + At("big.qiz")).status, 0);
    EXPECT_EQ(Run("list " + At("big.qiz")).out, "Big\n");
    EXPECT_EQ(Run("check " + At("big.qiz")).out, "1\tPictures\ntotal\t1\n");

    ProgramResult show = Run("show " + At("big.qiz") + " 1");
    ASSERT_EQ(show.status, 0) << show.err;
    CQuizReader reader;
    ASSERT_TRUE(reader.LoadText(show.out));
    ASSERT_TRUE(reader.NextRound());
    std::u16string q, a, o1, o2, o3;
    ASSERT_TRUE(reader.NextTest(q, a, o1, o2, o3));
    EXPECT_EQ(q, u"What?");
    EXPECT_NE(reader.Picture(), nullptr);
}

TEST_F(QizpackTest, ReportsTheGamesErrorsWithTheFileAndTheReason)
{
    std::filesystem::create_directory(At("folder.qiz"));
    WriteBytes(At("plain.qiz"), kDocument);
    WriteBytes(At("empty.qiz"), "");
    std::string passphrase;
    CUserQuizFile::Passphrase(passphrase);
    CQuizCipher foreign;
    ASSERT_TRUE(foreign.Encipher("another key", reinterpret_cast<const BYTE*>(kDocument.data()),
                                 static_cast<DWORD>(kDocument.size())));
    WriteBytes(At("foreign.qiz"), std::string(reinterpret_cast<const char*>(foreign.Output()), foreign.OutputLength()));
    WriteSealed(At("cut.qiz"), kDocument.substr(0, kDocument.size() - std::string("</Quizzes>").size()));
    WriteSealed(At("noquiz.qiz"), "<?xml version='1.0' ?><Other/>");

    struct Case {
        const char* file;
        std::string err;  // with FILE for the file's path
        int status;
    };
    const std::vector<Case> cases = {
        {"missing.qiz", "Error #0104: FILE: it can't be read (No such file or directory)\n"
                        "Error #0101: FILE: it can't be read (No such file or directory)\n", 1},
        {"folder.qiz", "Error #0104: FILE: it can't be read (it is a folder)\n"
                       "Error #0101: FILE: it can't be read (it is a folder)\n", 1},
        {"plain.qiz", "Error #0101: FILE: not a quiz file: it holds plain text, not a sealed quiz\n", 1},
        {"empty.qiz", "Error #0101: FILE: the file is empty\n", 1},
        {"foreign.qiz", "Error #0101: FILE: enciphered with another key, or damaged: deciphered, it is not XML\n", 1},
        {"cut.qiz", "Error #0101: FILE: not well-formed at line 2 (Premature end of data in tag Quizzes line 2)\n", 1},
        {"noquiz.qiz", "qizpack: warning: FILE holds no quiz the game lists (a titled element inside Quizzes)\n", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        std::string expected = c.err;
        for (size_t at; (at = expected.find("FILE")) != std::string::npos;) expected.replace(at, 4, At(c.file));
        ProgramResult listed = Run("list " + At(c.file));
        EXPECT_EQ(listed.status, c.status);
        EXPECT_EQ(listed.err, expected);
    }
    EXPECT_EQ(Run("show " + At("cut.qiz") + " 1").status, 1);
    EXPECT_EQ(Run("open " + At("foreign.qiz")).status, 0) << "open shows whatever deciphering gives";

    WriteBytes(At("broken.xml"), "<Quizzes>\n<Quiz>");
    ProgramResult checked = Run("check " + At("broken.xml"));
    EXPECT_EQ(checked.status, 1);
    EXPECT_EQ(checked.err, "Failed to load XML: " + At("broken.xml") +
                               ": not well-formed at line 2 (Premature end of data in tag Quiz line 2)\n");
    ProgramResult sealed = Run("seal " + At("broken.xml") + " " + At("out.qiz"));
    EXPECT_EQ(sealed.status, 1);
    EXPECT_NE(sealed.err.find("not well-formed at line 2"), std::string::npos) << sealed.err;
    EXPECT_FALSE(std::filesystem::exists(At("out.qiz")));
    EXPECT_EQ(Run("seal " + At("nothing.xml") + " " + At("out.qiz")).err,
              "qizpack: " + At("nothing.xml") + " can't be read (No such file or directory)\n");
}

TEST_F(QizpackTest, OptionsMayStandAnywhere)
{
    WriteBytes(At("quiz.xml"), kDocument);
    WriteBytes(At("--odd.xml"), kDocument);
    WriteBytes(At("words.csv"), "q,a,b,c,d\n");
    struct Case {
        std::string arguments;
        int status;
    };
    const std::vector<Case> cases = {
        {"seal " + At("quiz.xml") + " " + At("a.qiz"), 0},
        {"check -- " + At("--odd.xml"), 0},
        {"import --title=T " + At("words.csv") + " " + At("b.qiz"), 0},
        {"import " + At("words.csv") + " --round R " + At("c.qiz") + " --seed 3", 0},
        {"import " + At("words.csv") + " " + At("d.qiz") + " --format csv --header", 1},
        {"list " + At("a.qiz") + " --help", 0},
        {"frobnicate", 2},
        {"list", 2},
        {"list " + At("a.qiz") + " --book", 2},
        {"import " + At("words.csv") + " " + At("e.qiz") + " --seed x", 2},
        {"import " + At("words.csv") + " " + At("e.qiz") + " --header=yes", 2},
        {"import " + At("words.csv"), 2},
        {"--help", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(Run(c.arguments).status, c.status) << c.arguments;
    EXPECT_EQ(Run("list " + At("c.qiz")).out, "words\n");
    EXPECT_EQ(Run("check " + At("c.qiz")).out, "1\tR\ntotal\t1\n");
    EXPECT_EQ(Run("list " + At("b.qiz")).out, "T\n");
}

namespace {

// qizpack with quiz books registered in the test's own registry.
class QizpackBookTest : public QizpackTest {
protected:
    void SetUp() override
    {
        for (const char* module : {"FixtureBook.so", "Wordcrate.so"})
            ASSERT_EQ(RunProgram(env, "regsvr", "-s " + (TestEnvironment::BinDir() / module).string()).status, 0);
    }

    // Plays the whole document as the game's reader would, with no book bound.
    static int PicturesPlayed(const std::string& document, int& tests)
    {
        CQuizReader reader;
        EXPECT_TRUE(reader.LoadText(document));
        int pictures = 0;
        tests = 0;
        std::u16string q, a, o1, o2, o3;
        while (reader.NextRound())
            while (reader.NextTest(q, a, o1, o2, o3)) {
                ++tests;
                if (reader.Picture()) ++pictures;
            }
        return pictures;
    }
};

const std::string kStoredProlog = "<?xml version='1.0' encoding='ISO-8859-1' ?>";

} // namespace

TEST_F(QizpackBookTest, ExportsTheServedDocumentInTheStoredForm)
{
    ProgramResult exported = Run("export Fixture.Book");
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out.rfind(kStoredProlog, 0), 0u);
    EXPECT_EQ(exported.out.find("encoding=\"UTF-8\""), std::string::npos);
    EXPECT_NE(exported.out.find("La F\xe8ve"), std::string::npos) << "Latin-1 bytes, not UTF-8";

    WriteBytes(At("book.xml"), exported.out);
    ASSERT_EQ(Run("seal " + At("book.xml") + " " + At("book.qiz")).status, 0);
    EXPECT_EQ(Run("check " + At("book.qiz")).out, "2\tPictures\n1\tWords\ntotal\t3\n");

    // A real book hands out its trimmed document: every round of ten or fewer.
    ProgramResult course = Run("export Tavorin.CoFrench1");
    ASSERT_EQ(course.status, 0) << course.err;
    EXPECT_EQ(course.out.rfind(kStoredProlog, 0), 0u);
    int tests = 0;
    EXPECT_EQ(PicturesPlayed(course.out, tests), 0) << "no book bound, no embedded pictures";
    EXPECT_EQ(tests, 110);

    ProgramResult unknown = Run("export No.Such.Book");
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err, "qizpack: there is no quiz book No.Such.Book\n");
    EXPECT_EQ(Run("export Fixture.Book --inline").status, 2);
    EXPECT_EQ(Run("export --embed Fixture.Book").out, Run("export Fixture.Book --embed").out);
}

TEST_F(QizpackBookTest, EmbeddedPicturesPlayWithoutTheBook)
{
    ProgramResult exported = Run("export Fixture.Book --embed");
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.err, "qizpack: Fixture.Book holds no picture \"12\"; the Picture element stays\n");
    EXPECT_EQ(exported.out.find("<Picture>309</Picture>"), std::string::npos);
    EXPECT_NE(exported.out.find("<BMP-BASE-64 xmlns:dt=\"urn:schemas-microsoft-com:datatypes\" dt:dt=\"bin.base64\">"),
              std::string::npos);
    EXPECT_NE(exported.out.find("</BMP-BASE-64><Source>Fixture.Book picture 309</Source>"), std::string::npos);
    EXPECT_NE(exported.out.find("<Picture>12</Picture>"), std::string::npos);

    ProgramResult course = Run("export Tavorin.CoFrench4 --embed");
    ASSERT_EQ(course.status, 0) << course.err;
    EXPECT_EQ(course.err, "");

    // Unregistered, the books can no longer lend their pictures.
    for (const char* module : {"FixtureBook.so", "Wordcrate.so"})
        ASSERT_EQ(RunProgram(env, "regsvr", "-s -u " + (TestEnvironment::BinDir() / module).string()).status, 0);
    int tests = 0;
    EXPECT_EQ(PicturesPlayed(exported.out, tests), 1);
    EXPECT_EQ(tests, 3);
    EXPECT_EQ(PicturesPlayed(course.out, tests), 95);
    EXPECT_EQ(tests, 95);
}

TEST_F(QizpackBookTest, CheckWarnsOfEachFindingAndStillSucceeds)
{
    const std::string document = Document({Quiz(
        "Q", {Round("Colours", {TestElement("Black", "Noir", ""),
                                "<Test><Question>Red</Question><Answer>Rouge</Answer><Option1>Rose</Option1>"
                                "<Option2>Rose</Option2><Option3>Roux</Option3></Test>",
                                "<Test><Question>Scarlet</Question><Answer>\xc9""carlate</Answer><Option1>Rouge</Option1>"
                                "<Option2>ECARLATE</Option2><Option3>Rubis</Option3></Test>"}),
              Round("Pictures", {TestElement("", "L'Ail", "<Picture>309</Picture>"),
                                 TestElement("Qu'est-ce que c'est?", "", "<Picture>12</Picture>")})})});
    WriteBytes(At("quiz.xml"), document);
    const std::string counts = "3\tColours\n2\tPictures\ntotal\t5\n";

    ProgramResult plain = Run("check " + At("quiz.xml"));
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out, counts);
    const std::string findings =
        "warning: round \"Colours\", test 2 \"Red\": options 1 and 2 are both \"Rose\"\n"
        "warning: round \"Colours\", test 3 \"Scarlet\": option 2 \"ECARLATE\" is the answer \"\xc3\x89""carlate\"\n"
        "warning: round \"Pictures\", test 1 \"\": the question is empty\n"
        "warning: round \"Pictures\", test 2 \"Qu'est-ce que c'est?\": the answer is empty\n";
    EXPECT_EQ(plain.err, findings);

    ProgramResult withBook = Run("check --book=Fixture.Book " + At("quiz.xml"));
    EXPECT_EQ(withBook.status, 0);
    EXPECT_EQ(withBook.out, counts);
    EXPECT_EQ(withBook.err, findings + "warning: round \"Pictures\", test 2 \"Qu'est-ce que c'est?\": the book holds "
                                       "no picture 12\n");

    EXPECT_EQ(Run("check " + At("quiz.xml") + " --book No.Such.Book").status, 1);
}

TEST_F(QizpackBookTest, TheShippedCourseHasNoFindings)
{
    for (const char* stage : {"1", "2", "3", "4"}) {
        const std::string path = std::string(BRAINWHEEL_COURSE_DIR "/french") + stage + ".xml";
        ProgramResult checked = Run("check " + path + " --book Tavorin.CoFrench" + stage);
        EXPECT_EQ(checked.status, 0) << stage;
        EXPECT_EQ(checked.err, "") << stage;
    }
}
