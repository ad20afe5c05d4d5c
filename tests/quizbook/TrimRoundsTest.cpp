// Trimming a quiz document to one game's worth of tests, with the clock
// stopped so that the draws are known.
#include "quizbook/TrimRounds.h"

#include "FixedClock.h"
#include "QuizDocuments.h"
#include "ui/AnsiCodePage.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quizdoc;

namespace {

// The questions left in each Questions element of the document, in order.
std::vector<std::vector<std::string>> QuestionsLeft(const std::u16string& text)
{
    const XmlDocumentPtr document = CXmlDocument::Create();
    EXPECT_TRUE(document->loadXML(text));
    std::vector<std::vector<std::string>> result;
    std::vector<CXmlNode> pending = {document->node()};
    while (!pending.empty()) {
        const CXmlNode node = pending.front();
        pending.erase(pending.begin());
        if (node.nodeName() == u"Questions") {
            std::vector<std::string> names;
            for (const CXmlNode& test : node.childNodes())
                names.push_back(WideToAnsi(test.firstChild() ? test.firstChild().text() : test.nodeName()));
            result.push_back(names);
            continue;
        }
        const std::vector<CXmlNode> children = node.childNodes();
        pending.insert(pending.end(), children.begin(), children.end());
    }
    return result;
}

std::vector<std::string> Names(const std::string& prefix, int n)
{
    std::vector<std::string> names;
    for (int i = 1; i <= n; ++i) names.push_back(prefix + std::to_string(i));
    return names;
}

// What the book must leave of n tests: one draw r per second, removals at
// r mod n, r mod (n - 1), ... down to r mod 11.
std::vector<std::string> Expected(const FixedClock& clock, const std::string& prefix, int n)
{
    std::vector<std::string> names = Names(prefix, n);
    const int r = clock.Draw(0x8000);
    for (int count = n; count > 10; --count) names.erase(names.begin() + r % count);
    return names;
}

std::u16string Trim(const std::string& document) { return TrimmedDocument(AnsiToWide(document)); }

} // namespace

TEST(TrimRoundsTest, LongRoundsKeepTenAtTheDrawnPositionsShortOnesStayWhole)
{
    FixedClock clock(1700000123);
    const std::string document =
        Document({Quiz("Q", {Round("Long", Tests("l", 17)), Round("Ten", Tests("t", 10)), Round("Few", Tests("f", 3)),
                             Round("Eleven", Tests("e", 11))})});
    const std::u16string first = Trim(document);
    const auto left = QuestionsLeft(first);
    ASSERT_EQ(left.size(), 4u);
    EXPECT_EQ(left[0], Expected(clock, "l", 17));
    EXPECT_EQ(left[1], Names("t", 10));
    EXPECT_EQ(left[2], Names("f", 3));
    EXPECT_EQ(left[3], Expected(clock, "e", 11));

    // Within one second every call cuts the same tests; the next second draws anew.
    EXPECT_EQ(Trim(document), first);
    clock.Set(1700000124);
    const auto later = QuestionsLeft(Trim(document));
    EXPECT_EQ(later[0], Expected(clock, "l", 17));
    EXPECT_NE(later[0], left[0]);
}

TEST(TrimRoundsTest, EveryQuestionsElementOfTheFirstQuizIsCutAndNothingElse)
{
    FixedClock clock(1700000000);
    // A comment is a child node like any test, and counts towards the ten.
    std::string round = "<Round category=\"Two\"><Questions><!-- note -->";
    for (const std::string& test : Tests("a", 11)) round += test;
    round += "</Questions><Questions>";
    for (const std::string& test : Tests("b", 12)) round += test;
    round += "</Questions></Round>";

    const std::string document = Document({Quiz("First", {round}), Quiz("Later", {Round("Late", Tests("z", 14))})});
    const auto left = QuestionsLeft(Trim(document));
    ASSERT_EQ(left.size(), 3u);
    EXPECT_EQ(left[0].size(), 10u);
    EXPECT_EQ(left[1], Expected(clock, "b", 12));
    EXPECT_EQ(left[2], Names("z", 14)) << "later quizzes stay whole";

    // A quiz whose first child is not Rounds is served as it is.
    const std::string commentFirst = Document({"<Quiz title=\"C\"><!-- x --><Rounds>" + Round("R", Tests("r", 15)) +
                                               "</Rounds></Quiz>"});
    EXPECT_EQ(QuestionsLeft(Trim(commentFirst))[0], Names("r", 15));

    // Only a Round's Questions are cut, not those of another element.
    std::string other = "<Other><Questions>";
    for (const std::string& test : Tests("o", 15)) other += test;
    other += "</Questions></Other>";
    EXPECT_EQ(QuestionsLeft(Trim(Document({Quiz("O", {other})})))[0], Names("o", 15));
}

TEST(TrimRoundsTest, TextThatIsNoQuizDocumentGivesNothing)
{
    EXPECT_EQ(Trim(""), u"");
    EXPECT_EQ(Trim("<Quizzes><Quiz>"), u"");
    EXPECT_EQ(Trim("<Other><Quiz/></Other>"), u"");
    EXPECT_EQ(Trim("<Quizzes><Round/></Quizzes>"), u"");
    // A quiz with nothing in it is still a document.
    EXPECT_NE(Trim("<Quizzes><Quiz/></Quizzes>"), u"");
}
