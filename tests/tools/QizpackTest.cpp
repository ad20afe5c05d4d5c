// qizpack as an author uses it: whole runs of the program.
#include "QuizDocuments.h"
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

TEST_F(QizpackTest, ReportsTheGamesErrorsAndFails)
{
    ProgramResult missing = Run("list " + At("missing.qiz"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Error #0104\nError #0101\n");

    WriteBytes(At("plain.qiz"), kDocument);
    ProgramResult plain = Run("list " + At("plain.qiz"));
    EXPECT_EQ(plain.status, 1);
    EXPECT_EQ(plain.err, "Error #0101\n");

    WriteBytes(At("broken.xml"), "<Quizzes><Quiz>");
    EXPECT_EQ(Run("check " + At("broken.xml")).status, 1);
    EXPECT_EQ(Run("seal " + At("broken.xml") + " " + At("out.qiz")).status, 1);
    EXPECT_EQ(Run("frobnicate").status, 2);
    EXPECT_EQ(Run("--help").status, 0);
}
