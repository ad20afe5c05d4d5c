// The reader against a real quiz book module, found through the registry and
// loaded with dlopen.
#include "QuizReader.h"

#include "FixedClock.h"
#include "QuizDocuments.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace quizdoc;

namespace {

class OpenBookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string command = (TestEnvironment::BinDir() / "regsvr").string() + " -s " +
                                    (TestEnvironment::BinDir() / "FixtureBook.so").string();
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    // Plays the current quiz out; returns the questions that came with a picture.
    std::vector<std::u16string> PlayOut(int& tests)
    {
        std::vector<std::u16string> withPicture;
        std::u16string q, a, o1, o2, o3;
        tests = 0;
        while (reader.NextRound())
            while (reader.NextTest(q, a, o1, o2, o3)) {
                ++tests;
                if (reader.Picture()) withPicture.push_back(q);
            }
        return withPicture;
    }

    TestEnvironment env;
    FixedClock clock{1700000000};
    CQuizReader reader;
};

} // namespace

TEST_F(OpenBookTest, PlaysABookWithItsPictures)
{
    ASSERT_TRUE(reader.OpenBook("Fixture.Book", 0));
    EXPECT_EQ(reader.TotalTests(), 3);
    int tests = 0;
    EXPECT_EQ(PlayOut(tests), std::vector<std::u16string>{u"Qu'est-ce que c'est?"});
    EXPECT_EQ(tests, 3);
}

TEST_F(OpenBookTest, AUserQuizStillResolvesPicturesAgainstTheBookOpenedLast)
{
    ASSERT_TRUE(reader.OpenBook("Fixture.Book.1", 0));
    ASSERT_TRUE(reader.LoadText(Document({Quiz("U", {Round("r", {TestElement("user", "A", "<Picture> 309</Picture>")})})})));
    int tests = 0;
    EXPECT_EQ(PlayOut(tests), std::vector<std::u16string>{u"user"});
}

TEST_F(OpenBookTest, AnUnknownOrBrokenBookLeavesTheEarlierQuizLoaded)
{
    ASSERT_TRUE(reader.OpenBook("Fixture.Book", 0));
    EXPECT_FALSE(reader.OpenBook("Fixture.NoSuchBook", 0));
    EXPECT_FALSE(reader.OpenBook("Fixture.FailingBook", -1));
    EXPECT_EQ(reader.TotalTests(), 3);
    ASSERT_TRUE(reader.NextRound());
}

TEST_F(OpenBookTest, ABookWhosePicturesFailGivesTextQuestions)
{
    ASSERT_TRUE(reader.OpenBook("Fixture.FailingBook", 0));
    int tests = 0;
    EXPECT_TRUE(PlayOut(tests).empty());
    EXPECT_EQ(tests, 3);
}
