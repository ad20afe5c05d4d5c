// Whole games of the French course through the game's own quiz reader.
#include "WordcrateFixture.h"

#include "FixedClock.h"
#include "QuizReader.h"
#include "ui/AnsiCodePage.h"

#include <map>

namespace {

struct Played {
    int rounds = 0;
    int pictures = 0;
    std::map<std::u16string, int> testsByCategory;
};

Played PlayOut(CQuizReader& reader)
{
    Played played;
    std::u16string q, a, o1, o2, o3;
    while (reader.NextRound()) {
        ++played.rounds;
        int& tests = played.testsByCategory[reader.Category()];
        while (reader.NextTest(q, a, o1, o2, o3)) {
            ++tests;
            if (reader.Picture()) ++played.pictures;
        }
    }
    return played;
}

class BookGameTest : public WordcrateFixture {
protected:
    FixedClock clock{1700000000};
    CQuizReader reader;
};

} // namespace

TEST_F(BookGameTest, RevisionOnePlaysNinetyFivePictureQuestionsInElevenRounds)
{
    ASSERT_TRUE(reader.OpenBook("Tavorin.CoFrench4", 0));
    EXPECT_EQ(reader.TotalTests(), 95);
    const Played played = PlayOut(reader);
    EXPECT_EQ(played.rounds, 11);
    EXPECT_EQ(played.testsByCategory.at(u"The Human Body"), 6);
    EXPECT_EQ(played.pictures, 95) << "every question shows its picture";
}

TEST_F(BookGameTest, BeginnerStageOnePlaysTenQuestionsInEveryRound)
{
    ASSERT_TRUE(reader.OpenBook("Tavorin.CoFrench1", 0));
    EXPECT_EQ(reader.TotalTests(), 110);
    const Played played = PlayOut(reader);
    EXPECT_EQ(played.rounds, 11);
    for (const auto& [category, tests] : played.testsByCategory) EXPECT_EQ(tests, 10) << WideToAnsi(category);
    EXPECT_EQ(played.pictures, 10) << "the Picture Board round";
}

TEST_F(BookGameTest, EveryStageServesItsOwnQuizLength)
{
    const std::pair<const char*, LONG> stages[] = {
        {"Tavorin.CoFrench1", 110}, {"Tavorin.CoFrench2", 120}, {"Tavorin.CoFrench3", 120}, {"Tavorin.CoFrench4", 95}};
    for (const auto& [progId, tests] : stages) {
        ASSERT_TRUE(reader.OpenBook(progId, 0)) << progId;
        EXPECT_EQ(reader.TotalTests(), tests) << progId;
    }
}
