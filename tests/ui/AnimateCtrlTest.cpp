#include "ui/AnimateCtrl.h"

#include "ManualTimers.h"

#include <gtest/gtest.h>

namespace {

// The lives clip is built into this test program: 125 x 40, 61 frames at 10
// frames a second.
constexpr int kClip = 243;
constexpr int kDamagedClip = 9;
// Three frames at 15 a second: 66,667 microseconds each.
constexpr int kFifteenClip = 15;

HMODULE TestProgram()
{
    static const int anchor = 0;
    return GetModuleFromAddress(&anchor);
}

const AviClip& Clip()
{
    static const AviClip clip = [] {
        AviClip parsed;
        const HRSRC resource = FindResourceA(TestProgram(), kClip, "AVI");
        EXPECT_TRUE(ParseAviClip(static_cast<const unsigned char*>(LockResource(resource)),
                                 SizeofResource(TestProgram(), resource), parsed));
        return parsed;
    }();
    return clip;
}

class AnimateCtrlTest : public ::testing::Test {
protected:
    AnimateCtrlTest()
    {
        m_ctrl.resize(Clip().width + 10, Clip().height + 10);
        m_ctrl.setAutoFillBackground(true);
        QPalette palette = m_ctrl.palette();
        palette.setColor(QPalette::Window, kBackground);
        m_ctrl.setPalette(palette);
    }

    // Whether the control shows `frame` of the clip at its top-left.
    bool Shows(int frame)
    {
        const QImage shown = m_ctrl.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage expected = Clip().frames[static_cast<std::size_t>(frame)];
        return shown.copy(0, 0, expected.width(), expected.height()) == expected;
    }

    static constexpr QRgb kBackground = qRgb(1, 2, 3);
    ManualTimers m_timers; // made first: the control takes its timer at birth
    CAnimateCtrl m_ctrl;
};

TEST_F(AnimateCtrlTest, OpeningShowsTheFirstFrameAndAStillShowsItsFrame)
{
    ASSERT_EQ(Clip().frames.size(), 61u);
    ASSERT_NE(Clip().frames[0], Clip().frames[12]);

    EXPECT_FALSE(m_ctrl.IsOpen());
    EXPECT_FALSE(m_ctrl.Play(1, 0, 0));
    EXPECT_EQ(m_ctrl.grab().toImage().pixel(5, 5), kBackground);

    ASSERT_TRUE(m_ctrl.Open(TestProgram(), kClip));
    EXPECT_EQ(m_ctrl.FrameCount(), 61);
    EXPECT_EQ(m_ctrl.CurrentFrame(), 0);
    EXPECT_TRUE(Shows(0));
    // It takes the clip's size where it stands, so no strip of its own
    // background is left beside the frame.
    EXPECT_EQ(m_ctrl.geometry(), QRect(0, 0, Clip().width, Clip().height));

    EXPECT_TRUE(m_ctrl.Play(1, 36, 36));
    EXPECT_EQ(m_ctrl.CurrentFrame(), 36);
    EXPECT_TRUE(Shows(36));
    EXPECT_FALSE(m_ctrl.IsPlaying());
    m_timers.Advance(5000);
    EXPECT_TRUE(Shows(36));
}

TEST_F(AnimateCtrlTest, FramesOutsideTheClipLeaveTheDisplayAsItWas)
{
    ASSERT_TRUE(m_ctrl.Open(TestProgram(), kClip));
    ASSERT_TRUE(m_ctrl.Play(1, 60, 60));
    for (auto [from, to] : {std::pair{61, 61}, {72, 72}, {-1, -1}, {50, 61}, {-1, 5}}) {
        EXPECT_FALSE(m_ctrl.Play(1, from, to)) << from << ".." << to;
        EXPECT_EQ(m_ctrl.CurrentFrame(), 60);
        EXPECT_TRUE(Shows(60));
    }
}

TEST_F(AnimateCtrlTest, PlaysARunOnceAtTheClipsRate)
{
    ASSERT_TRUE(m_ctrl.Open(TestProgram(), kClip));
    // Repeat counts other than 1 never make it loop.
    ASSERT_TRUE(m_ctrl.Play(0, 0, 12));
    EXPECT_TRUE(m_ctrl.IsPlaying());
    EXPECT_TRUE(Shows(0));
    m_timers.Advance(99);
    EXPECT_EQ(m_ctrl.CurrentFrame(), 0);
    m_timers.Advance(1);
    EXPECT_EQ(m_ctrl.CurrentFrame(), 1);
    EXPECT_TRUE(Shows(1));
    m_timers.Advance(1000);
    EXPECT_EQ(m_ctrl.CurrentFrame(), 11);
    m_timers.Advance(100);
    EXPECT_EQ(m_ctrl.CurrentFrame(), 12);
    EXPECT_FALSE(m_ctrl.IsPlaying());
    EXPECT_EQ(m_timers.ActiveCount(), 0);
    m_timers.Advance(10000);
    EXPECT_EQ(m_ctrl.CurrentFrame(), 12);
    EXPECT_TRUE(Shows(12));

    // A frame period between two milliseconds goes to the nearer one.
    ASSERT_TRUE(m_ctrl.Open(TestProgram(), kFifteenClip));
    ASSERT_TRUE(m_ctrl.Play(1, 0, 2));
    m_timers.Advance(66);
    EXPECT_EQ(m_ctrl.CurrentFrame(), 0);
    m_timers.Advance(1);
    EXPECT_EQ(m_ctrl.CurrentFrame(), 1);
}

TEST_F(AnimateCtrlTest, ANewRequestOrStopEndsARun)
{
    ASSERT_TRUE(m_ctrl.Open(TestProgram(), kClip));
    ASSERT_TRUE(m_ctrl.Play(1, 12, 24));
    m_timers.Advance(300);
    EXPECT_EQ(m_ctrl.CurrentFrame(), 15);
    ASSERT_TRUE(m_ctrl.Play(1, 48, 48));
    m_timers.Advance(2000);
    EXPECT_EQ(m_ctrl.CurrentFrame(), 48);

    ASSERT_TRUE(m_ctrl.Play(1, 0, 60));
    m_timers.Advance(200);
    m_ctrl.Stop();
    m_timers.Advance(2000);
    EXPECT_EQ(m_ctrl.CurrentFrame(), 2);
    EXPECT_TRUE(Shows(2));

    // A run backwards shows only its first frame.
    ASSERT_TRUE(m_ctrl.Play(1, 30, 20));
    m_timers.Advance(2000);
    EXPECT_EQ(m_ctrl.CurrentFrame(), 30);
}

TEST_F(AnimateCtrlTest, AClipThatCannotBeReadClosesTheOldOne)
{
    EXPECT_FALSE(m_ctrl.Open(TestProgram(), 4242));
    EXPECT_FALSE(m_ctrl.Open(nullptr, kClip));
    ASSERT_TRUE(m_ctrl.Open(TestProgram(), kClip));
    EXPECT_FALSE(m_ctrl.Open(TestProgram(), kDamagedClip));
    EXPECT_FALSE(m_ctrl.IsOpen());
    EXPECT_FALSE(m_ctrl.Play(1, 0, 0));
    EXPECT_EQ(m_ctrl.grab().toImage().pixel(5, 5), kBackground);
}

} // namespace
