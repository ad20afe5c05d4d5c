// The score ladder driven through its interface: the percentage, the rung it
// shows (read off its pixels, as a frame of the ladder clip) and the bonuses
// of the two lifeline rungs.
#include "HostedGauge.h"

#include "Playdeck.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class ProgressManagerTest : public GaugeTest {
protected:
    void SetUp() override
    {
        GaugeTest::SetUp();
        clip = LoadClip(playdeck.Module(), 245);
        ASSERT_EQ(clip.frames.size(), 16u);
        // The console's place for the ladder: 92 x 158 dialog units at (248, 6).
        progress = Host<IProgressManager>(CLSID_ProgressManager, IID_IProgressManager, QRect(372, 10, 138, 257));
        ASSERT_TRUE(progress);
        Listen(progress, DIID__IProgressManagerEvents, recorder);
    }

    void TearDown() override
    {
        progress.Release();
        GaugeTest::TearDown();
    }

    int Rung() const { return MatchingFrame(ShownClip(Window()), clip); }
    SHORT Percentage() const
    {
        SHORT percentage = -1;
        EXPECT_EQ(progress->get_Percentage(&percentage), S_OK);
        return percentage;
    }

    // Answers correctly `answers` times after Reset(total); returns the rung
    // shown after each answer, and writes down after which answers (1 for
    // the first) a Bonus came.
    std::vector<int> Climb(ULONG total, int answers, std::vector<int>& bonuses)
    {
        progress->Reset(total);
        EXPECT_EQ(Rung(), 0);
        EXPECT_EQ(Percentage(), 0);
        events.clear();
        bonuses.clear();
        std::vector<int> rungs;
        for (int answer = 1; answer <= answers; ++answer) {
            progress->CorrectAnswer();
            rungs.push_back(Rung());
            for (const RecordedEvent& event : events) {
                EXPECT_EQ(event.id, DISPID_PROGRESSMANAGER_BONUS) << "ExtraLife is never raised";
                EXPECT_TRUE(event.types.empty());
                bonuses.push_back(answer);
            }
            events.clear();
        }
        return rungs;
    }

    AviClip clip;
    CComPtr<IProgressManager> progress;
    CComPtr<CEventRecorder> recorder;
};

TEST_F(ProgressManagerTest, TenQuestionsClimbByRoundedRungsWithOneBonus)
{
    EXPECT_EQ(Rung(), 0) << "a new ladder stands on the bottom rung";
    std::vector<int> bonuses;
    EXPECT_EQ(Climb(10, 10, bonuses), (std::vector<int>{2, 3, 5, 6, 8, 9, 11, 12, 14, 15}));
    EXPECT_EQ(bonuses, std::vector<int>{3}) << "rung 10 is jumped over";
    EXPECT_EQ(Percentage(), 100);
}

TEST_F(ProgressManagerTest, TheLadderFillsItsWindowToTheLastColumn)
{
    // The clip is a pixel wider than its place in the template; shown at the
    // template's width the window's last column would be the bare background.
    const QImage frame = clip.frames[0].convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(Shown(Window()), frame);
}

TEST_F(ProgressManagerTest, EachLifelineRungPaysOncePerQuiz)
{
    std::vector<int> bonuses;
    const std::vector<int> rungs = Climb(20, 13, bonuses);
    EXPECT_EQ(rungs[5], 5);
    EXPECT_EQ(rungs[6], 5);
    EXPECT_EQ(rungs[12], 10);
    EXPECT_EQ(bonuses, (std::vector<int>{6, 13}));

    // Three answers on rung 5 and two on rung 10, one bonus each.
    Climb(40, 27, bonuses);
    EXPECT_EQ(bonuses, (std::vector<int>{12, 26}));

    // A new quiz pays again: after Reset(3) 33 % and 67 % stand on both
    // lifeline rungs, and 100 % on the top.
    for (int quiz = 0; quiz < 2; ++quiz) {
        EXPECT_EQ(Climb(3, 3, bonuses), (std::vector<int>{5, 10, 15}));
        EXPECT_EQ(bonuses, (std::vector<int>{1, 2}));
    }
}

TEST_F(ProgressManagerTest, TheTopRungNeedsAPerfectScore)
{
    std::vector<int> bonuses;
    std::vector<int> rungs = Climb(40, 39, bonuses);
    EXPECT_EQ(Percentage(), 98);
    EXPECT_EQ(rungs.back(), 14);
    progress->CorrectAnswer();
    EXPECT_EQ(Rung(), 15);

    EXPECT_EQ(Climb(2, 3, bonuses), (std::vector<int>{8, 15, 15}));
    EXPECT_TRUE(bonuses.empty());
    EXPECT_EQ(Percentage(), 100) << "more answers than questions stop at 100 %";

    // A quiz of no questions scores nothing, however it goes.
    EXPECT_EQ(Climb(0, 2, bonuses), (std::vector<int>{0, 0}));
    EXPECT_EQ(Percentage(), 0);
}

TEST_F(ProgressManagerTest, AHandlerThatAnswersAgainCannotEarnTheSameBonusTwice)
{
    // The console's handler may run on into the next answer before the event
    // returns; the rung must already count as paid.
    bool answering = false;
    recorder->onEvent = [&] {
        if (answering) return;
        answering = true;
        progress->CorrectAnswer();
    };
    std::vector<int> bonuses;
    Climb(20, 6, bonuses);
    EXPECT_EQ(bonuses, std::vector<int>{6});
    EXPECT_EQ(Percentage(), 35);
    EXPECT_EQ(Rung(), 5);
}

} // namespace
