#include "QuizReader.h"

#include "FixedClock.h"
#include "PictureBytes.h"
#include "QuizDocuments.h"
#include "TestEnvironment.h"
#include "ole/Picture.h"
#include "ui/AnsiCodePage.h"

#include <gtest/gtest.h>

#include <set>

using namespace quizdoc;

namespace {

struct Drawn {
    std::u16string question, answer, option1, option2, option3;
};

class QuizReaderTest : public ::testing::Test {
protected:
    bool Next(Drawn& d) { return reader.NextTest(d.question, d.answer, d.option1, d.option2, d.option3); }

    // Draws every test of the current round and returns their questions.
    std::vector<std::u16string> DrawAll()
    {
        std::vector<std::u16string> questions;
        Drawn d;
        while (Next(d)) questions.push_back(d.question);
        return questions;
    }

    TestEnvironment env;
    FixedClock clock{1700000000};
    CQuizReader reader;
};

LONG PictureWidth(IPictureDisp* picture)
{
    CComPtr<IPicture> p;
    if (!picture || FAILED(picture->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&p)))) return -1;
    OLE_XSIZE_HIMETRIC width = 0;
    p->get_Width(&width);
    return width;
}

} // namespace

TEST_F(QuizReaderTest, PlaysOneRoundOfThreeTestsOnceEach)
{
    ASSERT_TRUE(reader.LoadText(Document({Quiz("Q", {Round("Colours", Tests("t", 3))})})));
    EXPECT_EQ(reader.TotalTests(), 3);
    ASSERT_TRUE(reader.NextRound());
    EXPECT_EQ(reader.Category(), u"Colours");
    // The clock stands still: every draw starts from the same output, and still
    // no test comes twice.
    const std::vector<std::u16string> drawn = DrawAll();
    EXPECT_EQ(std::set<std::u16string>(drawn.begin(), drawn.end()), (std::set<std::u16string>{u"t1", u"t2", u"t3"}));
    EXPECT_FALSE(reader.NextRound());
    EXPECT_EQ(reader.Category(), u"");
}

TEST_F(QuizReaderTest, DrawsRoundsAndTestsAtTheClocksIndex)
{
    ASSERT_TRUE(reader.LoadText(Document({Quiz("Q", {Round("r0", Tests("a", 2)), Round("r1", Tests("b", 2)),
                                                    Round("r2", Tests("c", 5))})})));
    const int round = clock.Draw(3);
    ASSERT_TRUE(reader.NextRound());
    EXPECT_EQ(reader.Category(), u"r" + std::u16string(1, u'0' + round));
    ASSERT_EQ(reader.Rounds().size(), 2u);

    // Two draws in the same second use one generator output.
    clock.Set(1700000123);
    ASSERT_TRUE(reader.LoadText(Document({Quiz("Q", {Round("only", Tests("t", 7))})})));
    ASSERT_TRUE(reader.NextRound());
    Drawn d;
    ASSERT_TRUE(Next(d));
    EXPECT_EQ(d.question, u"t" + std::u16string(1, u'1' + clock.Draw(7)));
}

TEST_F(QuizReaderTest, CountsAndPlaysTheTestsOfTheFirstQuestionsOnly)
{
    const std::string round = "<Round category=\"Two\"><Questions>" + TestElement("first") +
                              "<!-- a comment is no test --></Questions><Questions>" + TestElement("second1") +
                              TestElement("second2") + "</Questions></Round>";
    ASSERT_TRUE(reader.LoadText(Document({Quiz("Q", {round})})));
    EXPECT_EQ(reader.TotalTests(), 1) << "the count is what the player will be asked";
    ASSERT_TRUE(reader.NextRound());
    EXPECT_EQ(DrawAll(), std::vector<std::u16string>{u"first"});
}

TEST_F(QuizReaderTest, WalksTheDocumentAsTheFormatSays)
{
    // Nodes before Quizzes are passed over, only the first Quizzes is read, a
    // child of Quizzes with any name is a quiz, a Round without category has
    // an empty one, and a Test without Answer gives an empty answer.
    const std::string text = "<?xml version='1.0' encoding='ISO-8859-1' ?><!-- note --><?app x?>"
                             "<Quizzes><Section><Rounds>" +
                             Round("", {"<Test><Question>q</Question></Test>"}) +
                             "</Rounds></Section><Quiz title=\"t\"><!-- first --><Rounds>" + Round("b", Tests("b", 1)) +
                             "</Rounds></Quiz></Quizzes>";
    ASSERT_TRUE(reader.LoadXml(AnsiToWide(text)));
    EXPECT_EQ(reader.TotalTests(), 2);
    std::set<std::u16string> categories;
    while (reader.NextRound()) {
        categories.insert(reader.Category());
        Drawn d;
        while (Next(d)) {
            if (d.question == u"q") {
                EXPECT_EQ(d.answer, u"");
            }
        }
    }
    EXPECT_EQ(categories, (std::set<std::u16string>{u"", u"b"}));
}

TEST_F(QuizReaderTest, AQuizWithoutRoundsLoadsEmpty)
{
    ASSERT_TRUE(reader.LoadText("<Quizzes><Quiz title=\"x\"><Notes/></Quiz></Quizzes>"));
    EXPECT_EQ(reader.TotalTests(), 0);
    EXPECT_FALSE(reader.NextRound());
}

TEST_F(QuizReaderTest, ARoundWithoutQuestionsOrTestsIsSkipped)
{
    ASSERT_TRUE(reader.LoadText(Document({Quiz("Q", {"<Round category=\"empty\"/>", "<Round category=\"e2\"/>"})})));
    EXPECT_FALSE(reader.NextRound());
    EXPECT_TRUE(reader.Rounds().empty()) << "the skipped rounds leave the pool";

    // Between two good rounds, whichever is drawn first, the quiz plays both
    // good ones, and the count is what it asks.
    for (const char* bad : {"<Round/>", "<Round><Questions>\r\n\t\t\t</Questions></Round>",
                            "<Round><Questions><!-- soon --><?Test x?>stray</Questions></Round>"}) {
        for (std::time_t second = 1700000000; second < 1700000006; ++second) {
            clock.Set(second);
            ASSERT_TRUE(reader.LoadText(Document({Quiz("Q", {Round("a", Tests("a", 2)), bad, Round("b", Tests("b", 3))})})));
            EXPECT_EQ(reader.TotalTests(), 5) << bad;
            std::multiset<std::u16string> played;
            while (reader.NextRound())
                for (const std::u16string& question : DrawAll()) played.insert(reader.Category() + question);
            EXPECT_EQ(played, (std::multiset<std::u16string>{u"aa1", u"aa2", u"bb1", u"bb2", u"bb3"})) << bad << second;
        }
    }
}

TEST_F(QuizReaderTest, OnlyElementsStandForQuizzesRoundsAndTests)
{
    const std::string rounds = "<Rounds>" + Round("r", Tests("t", 2)) + "</Rounds>";
    const std::pair<std::string, std::set<std::u16string>> cases[] = {
        {"<!DOCTYPE Quizzes><?Quizzes x?><Quizzes><!-- q --><?Quiz x?><Quiz><?Rounds?>" + rounds + "</Quiz></Quizzes>",
         {u"t1", u"t2"}},
        {"<Quizzes><Quiz><Rounds><Round><Questions><!-- b -->" + TestElement("q") +
             "<?Test?>text<![CDATA[data]]></Questions></Round></Rounds></Quiz></Quizzes>",
         {u"q"}},
        {"<Quizzes><Quiz><Rounds>" + Round("r", {"<Test><Question>real</Question><?Question fake?></Test>"}) +
             "</Rounds></Quiz></Quizzes>",
         {u"real"}},
        {"<Quizzes><Quiz><Rounds><Notes><Questions>" + TestElement("note") + "</Questions></Notes>" +
             Round("r", Tests("t", 1)) + "</Rounds></Quiz></Quizzes>",
         {u"t1"}},
    };
    for (const auto& [text, questions] : cases) {
        ASSERT_TRUE(reader.LoadText(text)) << text;
        EXPECT_EQ(reader.TotalTests(), static_cast<LONG>(questions.size())) << text;
        std::set<std::u16string> asked;
        while (reader.NextRound())
            for (const std::u16string& question : DrawAll()) asked.insert(question);
        EXPECT_EQ(asked, questions) << text;
    }
}

TEST_F(QuizReaderTest, AFailedLoadReportsAndEmptiesThePool)
{
    ASSERT_TRUE(reader.LoadText(Document({Quiz("Q", {Round("r", Tests("t", 2))})})));
    EXPECT_FALSE(reader.LoadText("<Quizzes><Quiz>"));
    EXPECT_EQ(reader.Error(), u"Failed to load XML");
    EXPECT_EQ(reader.TotalTests(), 0);
    EXPECT_FALSE(reader.NextRound());
    EXPECT_FALSE(reader.LoadText(""));
}

TEST_F(QuizReaderTest, AnEmbeddedPictureNeedsASource)
{
    const std::string picture = EmbeddedPicture(48, 24);
    // Each test brings its own picture or none, in whichever order they come.
    Drawn d;
    for (std::time_t second = 1700000000; second < 1700000004; ++second) {
        clock.Set(second);
        ASSERT_TRUE(reader.LoadText(Document(
            {Quiz("Q", {Round("with", {TestElement("with", "A", picture + "<Source/>"), TestElement("text")})})})));
        ASSERT_TRUE(reader.NextRound());
        while (Next(d))
            EXPECT_EQ(PictureWidth(reader.Picture()), d.question == u"with" ? 1270 : -1) << "48 pixels in HIMETRIC";
    }

    ASSERT_TRUE(reader.LoadText(Document({Quiz("Q", {Round("without", {TestElement("without", "A", picture)})})})));
    ASSERT_TRUE(reader.NextRound());
    ASSERT_TRUE(Next(d));
    EXPECT_EQ(reader.Picture(), nullptr);

    // Nor does a later picture that fails to decode make the good one count.
    const std::string broken = "<BMP-BASE-64 xmlns:dt=\"urn:schemas-microsoft-com:datatypes\" dt:dt=\"bin.base64\">"
                               "bm90IGFuIGltYWdl</BMP-BASE-64>";
    ASSERT_TRUE(reader.LoadText(Document({Quiz("Q", {Round("two", {TestElement("two", "A", picture + broken)})})})));
    ASSERT_TRUE(reader.NextRound());
    ASSERT_TRUE(Next(d));
    EXPECT_EQ(reader.Picture(), nullptr);
}

TEST_F(QuizReaderTest, AnEmbeddedPictureDeclaredOnAnAncestorStillDecodes)
{
    const std::string test = "<Test><Question>q</Question><Source>me</Source><BMP-BASE-64 dt:dt=\"bin.base64\">" +
                             EncodedImage(10, 10, "BMP").toBase64().toStdString() + "</BMP-BASE-64></Test>";
    const std::string text = "<Quizzes xmlns:dt=\"urn:schemas-microsoft-com:datatypes\"><Quiz title=\"t\"><Rounds>" +
                             Round("r", {test}) + "</Rounds></Quiz></Quizzes>";
    ASSERT_TRUE(reader.LoadText(text));
    ASSERT_TRUE(reader.NextRound());
    Drawn d;
    ASSERT_TRUE(Next(d));
    EXPECT_NE(reader.Picture(), nullptr);
}

TEST_F(QuizReaderTest, UndecodablePicturesAndUnboundBooksGiveTextQuestions)
{
    const std::string broken = "<BMP-BASE-64 xmlns:dt=\"urn:schemas-microsoft-com:datatypes\" dt:dt=\"bin.base64\">"
                               "bm90IGFuIGltYWdl</BMP-BASE-64><Source/>";
    ASSERT_TRUE(reader.LoadText(Document({Quiz("Q", {Round("r", {TestElement("q1", "A", broken),
                                                                 TestElement("q2", "A", "<Picture>309</Picture>"),
                                                                 TestElement("q3", "A", "<Picture></Picture>")})})})));
    ASSERT_TRUE(reader.NextRound());
    Drawn d;
    int tests = 0;
    while (Next(d)) {
        ++tests;
        EXPECT_EQ(reader.Picture(), nullptr) << "test " << tests;
        EXPECT_FALSE(d.question.empty());
    }
    EXPECT_EQ(tests, 3);
}

TEST_F(QuizReaderTest, OpenBookOfAnUnknownNameKeepsTheQuiz)
{
    ASSERT_TRUE(reader.LoadText(Document({Quiz("Q", {Round("kept", Tests("t", 2))})})));
    EXPECT_FALSE(reader.OpenBook("Tavorin.NoSuchBook", 0));
    EXPECT_EQ(reader.TotalTests(), 2);
    ASSERT_TRUE(reader.NextRound());
    EXPECT_EQ(reader.Category(), u"kept");
}
